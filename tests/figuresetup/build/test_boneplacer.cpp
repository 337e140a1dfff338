#include "buildtestsupport.h"

namespace {
// Two boxes: "upper" above the figure's origin, "lower" below it.
class BonePlacerTest : public BuildTest
{
protected:
    void SetUp() override
    {
        BuildTest::SetUp();
        m_document.setFigureType(Poser); // bones may take groups of any geometry
        VxFacetMesh* mesh = vxMakeBoxMesh({{QStringLiteral("upper"), {0, 0, 0}, {1, 2, 1}},
                                           {QStringLiteral("lower"), {0, -2, 0}, {1, 0, 1}}});
        setBaseMesh(m_document, mesh, QStringLiteral("body"));
        m_figure = addSkinnedFigure<VxFigure>(mesh);
    }
    VxBone* place(VxFSHierarchyItem* item, VxNode* parent, VxSkeleton* figure = nullptr)
    {
        VxBone* node = VxFSBonePlacer::createBone(item, parent);
        VxFSBonePlacer::placeBone(item, node, parent, figure ? figure : m_figure);
        return node;
    }
    VxBone* place(const char* name, int order, VxNode* parent)
    {
        return place(addItem(m_document, nullptr, QLatin1String(name), order), parent);
    }

    VxFSHierarchy m_document;
    VxFigure* m_figure = nullptr;
};
} // namespace

TEST_F(BonePlacerTest, BonesWithoutGroupsStartOrEndAtTheParentsEndPoint)
{
    VxBone* upper = place("upper", VxRotationOrder::YZX, m_figure);
    VxBone* lower = place("lower", VxRotationOrder::YZX, upper);
    EXPECT_VEC3_EQ(lower->getOrigin(false), VxVec3(0.5f, 0, 0.5f));
    EXPECT_VEC3_EQ(lower->getEndPoint(false), VxVec3(0.5f, -2, 0.5f));

    // Length 1 along the twist axis from the parent's end point, or ending there when the
    // parent points down that axis.
    VxBone* tip = place("tip", VxRotationOrder::XYZ, upper);
    EXPECT_VEC3_EQ(tip->getOrigin(false), VxVec3(0.5f, 2, 0.5f));
    EXPECT_VEC3_EQ(tip->getEndPoint(false), VxVec3(1.5f, 2, 0.5f));
    VxBone* foot = place("foot", VxRotationOrder::YXZ, lower);
    EXPECT_VEC3_EQ(foot->getOrigin(false), VxVec3(0.5f, -1, 0.5f));
    EXPECT_VEC3_EQ(foot->getEndPoint(false), VxVec3(0.5f, -2, 0.5f));
    EXPECT_EQ(m_figure->getSelectionMap()->findPair(tip), -1);
}

TEST_F(BonePlacerTest, AGroupTheSkinCannotMeasurePlacesLikeNoGroup)
{
    // A group of another geometry: paired, but placed as a bone without a group.
    VxRefGuard<VxFacetShape> hatShape(new VxFacetShape());
    hatShape->setFacetMesh(vxMakeBoxMesh({{QStringLiteral("hat"), {5, 5, 5}, {6, 6, 6}}}));
    auto other = std::make_unique<VxFSGeomItem>(hatShape.get(), QStringLiteral("hat"));
    auto* hat = new VxFSHierarchyItem(&m_document, QStringLiteral("hat"));
    hat->setGeomGroup(other->getGroup(0));
    ASSERT_NE(hat->getGeomGroup(), nullptr);
    m_figure->setEndPoint({0, 1, 0}, true);
    VxBone* bone = place(hat, m_figure);
    EXPECT_NE(m_figure->getSelectionMap()->findPair(bone), -1);
    EXPECT_VEC3_EQ(bone->getOrigin(false), VxVec3(0, 1, 0));
    EXPECT_VEC3_EQ(bone->getEndPoint(false), VxVec3(1, 1, 0));

    // A figure without a skin or a selection map: the map is made for the pair.
    auto* bare = new VxFigure();
    m_scene->addNode(bare);
    VxBone* lower = place(addItem(m_document, nullptr, QStringLiteral("lower"), 0), bare, bare);
    ASSERT_NE(bare->getSelectionMap(), nullptr);
    EXPECT_EQ(bare->getSelectionMap()->getPairNode(0), lower);
    EXPECT_VEC3_EQ(lower->getEndPoint(false), VxVec3(1, 0, 0));
}
