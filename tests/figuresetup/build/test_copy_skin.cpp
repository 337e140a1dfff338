#include "buildtestsupport.h"

#include <QSignalSpy>

namespace {
VxWeightMap* emptyMap()
{
    return new VxWeightMap();
}

using CopySkinTest = BuildTest;
} // namespace

TEST_F(CopySkinTest, ChoicesComeFromTheWeightMapsAndTheSkinFromThePanesGeometry)
{
    const QString bodyPath = writeFile(QStringLiteral("meshes/body.obj"), testObj({"hip", "chest", "head"}));
    VxRefGuard<VxFacetShape> read(importedShape(bodyPath));
    ASSERT_NE(read.get(), nullptr);
    auto* figure = addSkinnedFigure<VxFigure>(read->getFacetMesh(), QStringLiteral("Skin"));
    VxBone* hip = addSceneBone(figure, QStringLiteral("hip"), VxRotationOrder::YZX);
    VxBone* chest = addSceneBone(hip, QStringLiteral("chest"), VxRotationOrder::XYZ);
    VxBone* loose = addSceneBone(chest, QStringLiteral("loose"), VxRotationOrder::ZYX);
    figure->getSelectionMap()->addPair(QStringLiteral("hip"), hip, true);
    figure->getSelectionMap()->addPair(QStringLiteral("chest"), chest, true);
    figure->getSelectionMap()->addPair(QStringLiteral("elsewhere"), loose, true);

    // hip (YZX): twist on Y with its bulge, bend on X, scale. chest (XYZ): side-side on Y
    // only. loose has no binding.
    VxBoneBinding* hipBinding = bindBone(figure, hip);
    hipBinding->setLocalWeights(1, emptyMap());
    auto* bulge = new VxBulgeBinding();
    bulge->setAxis(1);
    bulge->setRightWeights(emptyMap());
    bulge->setLeftWeights(emptyMap());
    hipBinding->setBulgeBinding(1, bulge);
    hipBinding->setLocalWeights(0, emptyMap());
    hipBinding->setScaleWeights(emptyMap());
    bindBone(figure, chest)->setLocalWeights(1, emptyMap());

    auto* root = new VxGeometryRegion(QStringLiteral("Body"));
    auto* upper = new VxGeometryRegion(QStringLiteral("Upper"));
    root->addChildRegion(upper);
    upper->addChildRegion(new VxGeometryRegion(QStringLiteral("Head")));
    root->addChildRegion(new VxGeometryRegion(QStringLiteral("Lower")));
    figure->getObject()->getCurrentShape()->setGeometryRegion(root);

    // A chain on a single-skin figure is copied too.
    auto* chains = new VxLegacyIKChains();
    auto* chain = new VxLegacyIKChain(QStringLiteral("c"));
    chain->setLabel(QStringLiteral("Reach"));
    chain->addLink(hip, 0.5f);
    chain->setGoal(chest);
    chains->addChain(chain);
    figure->addDataItem(chains);

    VxFSHierarchy document;
    VxFSGeomItem* loaded = document.addGeometry(bodyPath);
    new VxFSHierarchyItem(&document, QStringLiteral("old"));
    QSignalSpy typeSpy(&document, &VxFSHierarchy::figureTypeChanged);
    document.setFigureType(Poser);
    VxFSFigureCopier::copyFromSkinFigure(&document, figure);

    EXPECT_EQ(document.getSourceFigureName(), QStringLiteral("Skin"));
    ASSERT_EQ(typeSpy.count(), 2);
    EXPECT_EQ(typeSpy.at(1).at(0).value<VxFigureSetupFigureType>(), SingleSkin);
    EXPECT_EQ(document.getBaseGeometry(), loaded);
    EXPECT_EQ(document.getNumGeometries(), 1);

    ASSERT_EQ(document.getNumBones(true), 3);
    VxFSHierarchyItem* hipItem = document.findBone(QStringLiteral("hip"));
    VxFSHierarchyItem* chestItem = document.findBone(QStringLiteral("chest"));
    VxFSHierarchyItem* looseItem = document.findBone(QStringLiteral("loose"));
    // Single-skin bones are not mapped onto the figure.
    EXPECT_EQ(hipItem->getMappedBone(), nullptr);
    EXPECT_EQ(choicesOf(hipItem), QStringLiteral("twist bend scale twistBulge"));
    EXPECT_EQ(choicesOf(chestItem), QStringLiteral("sideSide"));
    EXPECT_EQ(choicesOf(looseItem), QString());
    ASSERT_NE(hipItem->getGeomGroup(), nullptr);
    EXPECT_EQ(hipItem->getGeomGroup()->getName(), QStringLiteral("hip"));
    EXPECT_EQ(hipItem->getGeomGroup()->getGeomItem(), loaded);
    EXPECT_EQ(chestItem->getGeomGroup()->getName(), QStringLiteral("chest"));
    EXPECT_EQ(looseItem->getGeomGroup(), nullptr);

    // The region tree below one top-level region.
    ASSERT_NE(document.getFirstRegion(), nullptr);
    EXPECT_EQ(document.getFirstRegion()->getFirstChild()->getFirstChild()->getName(), QStringLiteral("Head"));
    ASSERT_EQ(document.getNumIKChains(), 1);
    EXPECT_EQ(document.getIKChain(0)->getName(), QStringLiteral("Reach"));
    EXPECT_EQ(document.getIKChain(0)->getNumLinks(), 2);
}

TEST_F(CopySkinTest, AFigureWhoseSkinWasNotReadFromAFileLendsItsShape)
{
    VxFacetMesh* mesh = vxMakeBoxMesh({{QStringLiteral("hip"), VxVec3(0, 0, 0), VxVec3(1, 1, 1)}});
    auto* figure = addSkinnedFigure<VxFigure>(mesh, QStringLiteral("Built"));
    figure->addDataItem(new VxGeomSourceFileData(QStringLiteral("C:\\content\\skin.obj")));
    figure->getSelectionMap()->addPair(QStringLiteral("hip"), addSceneBone(figure, QStringLiteral("hip")), true);

    VxFSHierarchy document;
    VxFSFigureCopier::copyFromSkinFigure(&document, figure);
    ASSERT_EQ(document.getNumGeometries(), 1);
    VxFSGeomItem* item = document.getBaseGeometry();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->getShortName(), QStringLiteral("skin.obj"));
    EXPECT_TRUE(item->getPath().isEmpty());
    EXPECT_EQ(item->getShape()->getFacetMesh(), mesh);
    EXPECT_EQ(document.findBone(QStringLiteral("hip"))->getGeomGroup(), item->getGroup(0));

    // Copied again into the same document: the item is found by its name, not made twice;
    // without a record it is found by the mesh it shows.
    VxFSFigureCopier::copyFromSkinFigure(&document, figure);
    EXPECT_EQ(document.getNumGeometries(), 1);
    EXPECT_EQ(document.getBaseGeometry(), item);
    figure->removeDataItem(figure->findDataItem(VxGeomSourceFileData::itemName()));
    VxFSFigureCopier::copyFromSkinFigure(&document, figure);
    EXPECT_EQ(document.getNumGeometries(), 1);
    EXPECT_EQ(document.getBaseGeometry(), item);

    // Another figure's built skin cannot join the list beside it (both items have no
    // path): that copy has no base geometry.
    auto* other = addSkinnedFigure<VxFigure>(vxMakeBoxMesh({{QStringLiteral("hip"), VxVec3(), VxVec3(1, 1, 1)}}),
                                             QStringLiteral("Other"));
    VxFSFigureCopier::copyFromSkinFigure(&document, other);
    EXPECT_EQ(document.getNumGeometries(), 1);
    EXPECT_EQ(document.getBaseGeometry(), nullptr);
}
