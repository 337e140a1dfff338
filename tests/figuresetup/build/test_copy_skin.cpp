#include "buildtestsupport.h"

using CopySkinTest = BuildTest;

// Which maps a built figure's bones have and the region tree come back in the round trip,
// the pane's loaded geometry in the pane's copy test; here a figure made by hand.
TEST_F(CopySkinTest, ChoicesComeFromTheWeightMapsOnTheAxesOfTheRotationOrder)
{
    const QString bodyPath = writeFile(QStringLiteral("meshes/body.obj"), testObj({"hip", "chest"}));
    VxRefGuard<VxFacetShape> read(importedShape(bodyPath));
    ASSERT_NE(read.get(), nullptr);
    auto* figure = addSkinnedFigure<VxFigure>(read->getFacetMesh(), QStringLiteral("Skin"));
    VxBone* hip = addSceneBone(figure, QStringLiteral("hip"), VxRotationOrder::YZX);
    VxBone* chest = addSceneBone(hip, QStringLiteral("chest"), VxRotationOrder::XYZ);
    VxBone* loose = addSceneBone(chest, QStringLiteral("loose"), VxRotationOrder::ZYX);
    figure->getSelectionMap()->addPair(QStringLiteral("hip"), hip, true);
    figure->getSelectionMap()->addPair(QStringLiteral("elsewhere"), loose, true);

    // hip (YZX): twist on Y with its bulge, bend on X, scale. chest (XYZ): side-side on Y
    // only. loose has no binding.
    VxBoneBinding* hipBinding = bindBone(figure, hip);
    hipBinding->setLocalWeights(1, new VxWeightMap());
    auto* bulge = new VxBulgeBinding();
    bulge->setAxis(1);
    bulge->setRightWeights(new VxWeightMap());
    bulge->setLeftWeights(new VxWeightMap());
    hipBinding->setBulgeBinding(1, bulge);
    hipBinding->setLocalWeights(0, new VxWeightMap());
    hipBinding->setScaleWeights(new VxWeightMap());
    bindBone(figure, chest)->setLocalWeights(1, new VxWeightMap());

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
    document.setFigureType(Poser);
    VxFSFigureCopier::copyFromSkinFigure(&document, figure);
    EXPECT_EQ(document.getFigureType(), SingleSkin);
    EXPECT_EQ(document.getSourceFigureName(), QStringLiteral("Skin"));
    ASSERT_EQ(document.getNumBones(true), 3);
    VxFSHierarchyItem* hipItem = document.findBone(QStringLiteral("hip"));
    // Single-skin bones are not mapped onto the figure.
    EXPECT_EQ(hipItem->getMappedBone(), nullptr);
    EXPECT_EQ(choicesOf(hipItem), QStringLiteral("twist bend scale twistBulge"));
    EXPECT_EQ(choicesOf(document.findBone(QStringLiteral("chest"))), QStringLiteral("sideSide"));
    EXPECT_EQ(choicesOf(document.findBone(QStringLiteral("loose"))), QString());
    EXPECT_EQ(hipItem->getGeomGroup(), loaded->findGroup(QStringLiteral("hip")));
    EXPECT_EQ(document.findBone(QStringLiteral("loose"))->getGeomGroup(), nullptr);
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
