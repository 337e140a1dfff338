#include "copytestscene.h"
#include "vxfsfigurecopier.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxgeomsourcefiledata.h"
#include "vxgraftingfigureshape.h"
#include "vximportmgr.h"
#include "vxlegacyikchain.h"
#include "vxlegacyikchains.h"
#include "vxobject.h"
#include "vxproperty.h"
#include "vxrefcounted.h"
#include "vxscenetest.h"
#include "vxselectionmap.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QSignalSpy>

namespace {
const QStringList kGroups = {"hip", "chest", "head"};

// A single-skin figure in the scene whose skin shows `mesh`.
VxFigure* addSkinFigure(const QString& name, VxFacetMesh* mesh)
{
    auto* figure = new VxFigure();
    figure->setName(name);
    figure->setLabel(name + QStringLiteral(" Label"));
    vxScene->addNode(figure);
    figure->setObject(new VxObject());
    auto* shape = new VxGraftingFigureShape();
    shape->setFacetMesh(mesh);
    figure->getObject()->addShape(shape);
    figure->setSelectionMap(new VxSelectionMap());
    return figure;
}

VxBone* addSkinBone(VxFigure* figure, VxNode* parent, const QString& name, VxRotationOrder order)
{
    auto* bone = new VxBone();
    bone->setName(name);
    bone->setLabel(name.toUpper());
    bone->setRotationOrder(order);
    (parent ? parent : figure)->addNodeChild(bone, false);
    vxScene->addNode(bone);
    return bone;
}

VxWeightMap* emptyMap()
{
    return new VxWeightMap();
}

VxBoneBinding* bind(VxFigure* figure, VxBone* bone)
{
    auto* binding = new VxBoneBinding();
    binding->setBone(bone);
    figure->getSkinBinding()->addBoneBinding(binding);
    return binding;
}

VxBulgeBinding* bulge(int axis)
{
    auto* bulge = new VxBulgeBinding();
    bulge->setAxis(axis);
    bulge->setRightWeights(emptyMap());
    bulge->setLeftWeights(emptyMap());
    return bulge;
}

// A shape read through the importer, so that its mesh knows its file.
VxShape* readShape(const QString& path)
{
    VxShape* shape = nullptr;
    return vxApp->getImportMgr()->readGeometry(path, &shape, -1) == 0 ? shape : nullptr;
}

using CopySkinTest = VxSceneTest;
} // namespace

TEST_F(CopySkinTest, ChoicesComeFromTheWeightMapsAndTheSkinFromThePanesGeometry)
{
    const QString bodyPath = writeFile(QStringLiteral("meshes/body.obj"), copyTestObj(kGroups));
    VxRefGuard<VxShape> read(readShape(bodyPath));
    ASSERT_NE(read.get(), nullptr);
    auto* mesh = qobject_cast<VxFacetMesh*>(read->getGeometry());
    VxFigure* figure = addSkinFigure(QStringLiteral("Skin"), mesh);
    VxBone* hip = addSkinBone(figure, nullptr, QStringLiteral("hip"), VxRotationOrder::YZX);
    VxBone* chest = addSkinBone(figure, hip, QStringLiteral("chest"), VxRotationOrder::XYZ);
    VxBone* loose = addSkinBone(figure, chest, QStringLiteral("loose"), VxRotationOrder::ZYX);
    figure->getSelectionMap()->addPair(QStringLiteral("hip"), hip, true);
    figure->getSelectionMap()->addPair(QStringLiteral("chest"), chest, true);
    figure->getSelectionMap()->addPair(QStringLiteral("elsewhere"), loose, true);

    // hip (YZX): twist on Y with its bulge, bend on X, scale.
    VxBoneBinding* hipBinding = bind(figure, hip);
    hipBinding->setLocalWeights(1, emptyMap());
    hipBinding->setBulgeBinding(1, bulge(1));
    hipBinding->setLocalWeights(0, emptyMap());
    hipBinding->setScaleWeights(emptyMap());
    // chest (XYZ): side-side on Y only.
    bind(figure, chest)->setLocalWeights(1, emptyMap());
    // loose has no binding.
    hip->getYRotControl()->setLabel(QStringLiteral("Turn"));

    auto* root = new VxGeometryRegion(QStringLiteral("Body"));
    auto* upper = new VxGeometryRegion(QStringLiteral("Upper"));
    root->addChildRegion(upper);
    upper->addChildRegion(new VxGeometryRegion(QStringLiteral("Head")));
    root->addChildRegion(new VxGeometryRegion(QStringLiteral("Lower")));
    figure->getObject()->getCurrentShape()->setGeometryRegion(root);

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

    EXPECT_EQ(document.getName(), QStringLiteral("Skin"));
    EXPECT_EQ(document.getLabel(), QStringLiteral("Skin Label"));
    EXPECT_EQ(document.getSourceFigureName(), QStringLiteral("Skin"));
    EXPECT_EQ(document.getFigureType(), SingleSkin);
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
    EXPECT_EQ(hipItem->getAxis1Label(), QStringLiteral("Turn"));

    EXPECT_TRUE(hipItem->getTwist() && hipItem->getTwistBulge() && hipItem->getBend() && hipItem->getScale());
    EXPECT_FALSE(hipItem->getSideSide() || hipItem->getSideBulge() || hipItem->getBendBulge() || hipItem->getCurve());
    EXPECT_TRUE(chestItem->getSideSide());
    EXPECT_FALSE(chestItem->getTwist() || chestItem->getBend() || chestItem->getScale());
    EXPECT_FALSE(looseItem->getTwist() || looseItem->getSideSide() || looseItem->getBend() || looseItem->getScale());

    ASSERT_NE(hipItem->getGeomGroup(), nullptr);
    EXPECT_EQ(hipItem->getGeomGroup()->getName(), QStringLiteral("hip"));
    EXPECT_EQ(hipItem->getGeomGroup()->getGeomItem(), loaded);
    EXPECT_EQ(chestItem->getGeomGroup()->getName(), QStringLiteral("chest"));
    EXPECT_EQ(looseItem->getGeomGroup(), nullptr);

    // The region tree below one top-level region, in order.
    const VxFSRegionItem* body = document.getFirstRegion();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->getName(), QStringLiteral("Body"));
    EXPECT_EQ(body->getNextSibling(), nullptr);
    ASSERT_NE(body->getFirstChild(), nullptr);
    EXPECT_EQ(body->getFirstChild()->getName(), QStringLiteral("Upper"));
    EXPECT_EQ(body->getFirstChild()->getFirstChild()->getName(), QStringLiteral("Head"));
    EXPECT_EQ(body->getFirstChild()->getNextSibling()->getName(), QStringLiteral("Lower"));

    ASSERT_EQ(document.getNumIKChains(), 1);
    EXPECT_EQ(document.getIKChain(0)->getName(), QStringLiteral("Reach"));
    EXPECT_EQ(document.getIKChain(0)->getNumLinks(), 2);
}

TEST_F(CopySkinTest, AFigureWhoseSkinWasNotReadFromAFileLendsItsShape)
{
    VxFacetMesh* mesh = vxMakeBoxMesh({{QStringLiteral("hip"), VxVec3(0, 0, 0), VxVec3(1, 1, 1)}});
    VxFigure* figure = addSkinFigure(QStringLiteral("Built"), mesh);
    figure->addDataItem(new VxGeomSourceFileData(QStringLiteral("C:\\content\\skin.obj")));
    VxBone* hip = addSkinBone(figure, nullptr, QStringLiteral("hip"), VxRotationOrder());
    figure->getSelectionMap()->addPair(QStringLiteral("hip"), hip, true);

    VxFSHierarchy document;
    VxFSFigureCopier::copyFromSkinFigure(&document, figure);
    ASSERT_EQ(document.getNumGeometries(), 1);
    VxFSGeomItem* item = document.getBaseGeometry();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->getShortName(), QStringLiteral("skin.obj"));
    EXPECT_TRUE(item->getPath().isEmpty());
    EXPECT_EQ(item->getShape()->getFacetMesh(), mesh);
    EXPECT_EQ(document.findBone(QStringLiteral("hip"))->getGeomGroup(), item->getGroup(0));

    // Copied again into the same document: the item is found by its name, not made twice.
    VxFSFigureCopier::copyFromSkinFigure(&document, figure);
    EXPECT_EQ(document.getNumGeometries(), 1);
    EXPECT_EQ(document.getBaseGeometry(), item);

    // Without a record the item is found by the mesh it shows.
    figure->removeDataItem(figure->findDataItem(VxGeomSourceFileData::itemName()));
    VxFSFigureCopier::copyFromSkinFigure(&document, figure);
    EXPECT_EQ(document.getNumGeometries(), 1);
    EXPECT_EQ(document.getBaseGeometry(), item);

    // Another figure's built skin cannot join the list beside it (both items have no
    // path): that copy has no base geometry, and says so on the diagnostic channel.
    VxFigure* other = addSkinFigure(QStringLiteral("Other"),
                                    vxMakeBoxMesh({{QStringLiteral("hip"), VxVec3(), VxVec3(1, 1, 1)}}));
    VxFSFigureCopier::copyFromSkinFigure(&document, other);
    EXPECT_EQ(document.getNumGeometries(), 1);
    EXPECT_EQ(document.getBaseGeometry(), nullptr);
}
