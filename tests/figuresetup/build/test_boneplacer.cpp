#include "buildtestsupport.h"

// Bones the builders place without measuring a face group; the humanoid tests place the
// measured ones.
using BonePlacerTest = BuildTest;

TEST_F(BonePlacerTest, BonesWithoutAMeasurableGroupRunOneUnitFromTheParentsEndPoint)
{
    // Two boxes: "upper" above the figure's origin, "lower" below it. A parametric document
    // lets a bone take a group of any geometry.
    VxFSHierarchy document;
    document.setFigureType(Poser);
    VxFacetMesh* mesh = vxMakeBoxMesh({{QStringLiteral("upper"), {0, 0, 0}, {1, 2, 1}},
                                       {QStringLiteral("lower"), {0, -2, 0}, {1, 0, 1}}});
    setBaseMesh(document, mesh, QStringLiteral("body"));
    auto* figure = addSkinnedFigure<VxFigure>(mesh);
    figure->setEndPoint({0, 1, 0}, true);
    const auto place = [&](VxFSHierarchyItem* item, VxNode* parent) {
        VxBone* bone = VxFSBonePlacer::createBone(item, parent);
        VxFSBonePlacer::placeBone(item, bone, parent, figure);
        return bone;
    };
    VxBone* upper = place(addItem(document, nullptr, QStringLiteral("upper"), VxRotationOrder::YZX), figure);
    VxBone* lower = place(addItem(document, nullptr, QStringLiteral("lower"), VxRotationOrder::YZX), upper);
    EXPECT_EQ(lower->getEndPoint(false), VxVec3(0.5f, -2, 0.5f));

    // Below a parent that points down its twist axis a bone ends at the parent's end point.
    VxBone* foot = place(addItem(document, nullptr, QStringLiteral("foot"), VxRotationOrder::YXZ), lower);
    EXPECT_EQ(foot->getOrigin(false), VxVec3(0.5f, -1, 0.5f));
    EXPECT_EQ(foot->getEndPoint(false), VxVec3(0.5f, -2, 0.5f));

    // A group of another geometry: paired, but the skin cannot measure it.
    VxRefGuard<VxFacetShape> hatShape(new VxFacetShape());
    hatShape->setFacetMesh(vxMakeBoxMesh({{QStringLiteral("hat"), {5, 5, 5}, {6, 6, 6}}}));
    VxFSGeomItem other(hatShape.get(), QStringLiteral("hat"));
    auto* hatItem = new VxFSHierarchyItem(&document, QStringLiteral("hat"));
    hatItem->setGeomGroup(other.getGroup(0));
    ASSERT_NE(hatItem->getGeomGroup(), nullptr);
    VxBone* hat = place(hatItem, figure);
    EXPECT_NE(figure->getSelectionMap()->findPair(hat), -1);
    EXPECT_EQ(hat->getOrigin(false), VxVec3(0, 1, 0));
    EXPECT_EQ(hat->getEndPoint(false), VxVec3(1, 1, 0));
}
