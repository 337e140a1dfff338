#include "vxbone.h"
#include "vxclassfactory.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxgraftingfigureshape.h"
#include "vxmainwindow.h"
#include "vxobject.h"
#include "vxproperty.h"
#include "vxscenetest.h"
#include "vxselectionmap.h"
#include "vxundostack.h"
#include "vxundostacklock.h"
#include "vxviewportmgr.h"

#include <QPointer>
#include <QSignalSpy>

using SceneTest = VxSceneTest;

namespace {
// figure > hip > (chest > head, thigh); every node added to the scene.
struct SmallFigure
{
    VxFigure* figure;
    VxBone* hip;
    VxBone* chest;
    VxBone* head;
    VxBone* thigh;
};

SmallFigure makeSmallFigure()
{
    SmallFigure f;
    f.figure = new VxFigure();
    f.figure->setName(QStringLiteral("Figure"));
    vxScene->addNode(f.figure);
    f.hip = vxAddBone(f.figure, QStringLiteral("hip"));
    f.chest = vxAddBone(f.hip, QStringLiteral("chest"));
    f.head = vxAddBone(f.chest, QStringLiteral("head"));
    f.thigh = vxAddBone(f.hip, QStringLiteral("thigh"));
    return f;
}
} // namespace

TEST(RotationOrder, AxisOrdersNamesAndInvalidValues)
{
    const QStringList names{"XYZ", "XZY", "YXZ", "YZX", "ZXY", "ZYX"};
    for (int i = 0; i < 6; ++i) {
        const auto axes = VxRotationOrder(i).getAxisOrder();
        EXPECT_EQ(QString(QChar('X' + axes[0])) + QChar('X' + axes[1]) + QChar('X' + axes[2]), names[i]);
        EXPECT_EQ(VxRotationOrder(i).toString(), names[i]);
    }
    EXPECT_FALSE(VxRotationOrder(7).isValid());
    EXPECT_EQ(VxRotationOrder(7).getAxis(0), -1);
}

TEST_F(SceneTest, ParentingReparentingAndSkeletonLookUp)
{
    SmallFigure f = makeSmallFigure();
    EXPECT_EQ(m_scene->getNumNodes(), 5);
    EXPECT_EQ(m_scene->getTopLevelNodes(), QList<VxNode*>{f.figure});
    EXPECT_EQ(f.hip->getNodeChildren(), (QList<VxNode*>{f.chest, f.thigh}));
    EXPECT_EQ(f.figure->getNodeChildren(true), (QList<VxNode*>{f.hip, f.chest, f.head, f.thigh}));
    EXPECT_EQ(f.figure->getAllBones(), (QList<VxBone*>{f.hip, f.chest, f.head, f.thigh}));
    EXPECT_EQ(f.head->getSkeleton(), f.figure);
    EXPECT_EQ(f.figure->getSkeleton(), f.figure);
    EXPECT_EQ(f.figure->findBone(QStringLiteral("thigh")), f.thigh);
    EXPECT_EQ(f.figure->findBone(QStringLiteral("Thigh")), nullptr);

    // A node cannot become the child of its own descendant.
    EXPECT_FALSE(f.head->addNodeChild(f.hip, false));
    EXPECT_FALSE(f.hip->addNodeChild(f.hip, false));

    // Move head from chest to thigh, keeping its place in the world.
    f.chest->getYPosControl()->setValue(2.0f);
    QSignalSpy parentSpy(f.head, &VxNode::nodeParentChanged);
    EXPECT_TRUE(f.chest->removeNodeChild(f.head, false));
    EXPECT_EQ(f.head->getNodeParent(), nullptr);
    EXPECT_EQ(m_scene->getTopLevelNodes(), (QList<VxNode*>{f.figure, f.head}));
    EXPECT_EQ(f.head->getSkeleton(), nullptr);
    EXPECT_TRUE(f.thigh->addNodeChild(f.head, false));
    EXPECT_EQ(f.head->getSkeleton(), f.figure);
    EXPECT_EQ(parentSpy.count(), 2);
    EXPECT_EQ(f.head->getYPosControl()->getValue(), 0.0f);

    f.thigh->removeNodeChild(f.head, false);
    f.chest->addNodeChild(f.head, true); // chest is raised by 2: head is lowered to stay put
    EXPECT_EQ(f.head->getYPosControl()->getValue(), -2.0f);
    EXPECT_EQ(f.head->getWorldOffset(), VxVec3());
}

TEST_F(SceneTest, RemovingANodeTakesItsSubtreeAndItsSelection)
{
    SmallFigure f = makeSmallFigure();
    f.figure->setSelectionMap(new VxSelectionMap());
    f.figure->getSelectionMap()->addPair(QStringLiteral("chest"), f.chest, true);
    f.figure->getSelectionMap()->addPair(QStringLiteral("neck"), f.head, true);
    f.head->select(true);
    QPointer<VxBone> head = f.head;
    QSignalSpy removed(m_scene.get(), &VxScene::nodeAboutToBeRemoved);
    QSignalSpy primary(m_scene.get(), &VxScene::primarySelectionChanged);

    EXPECT_TRUE(m_scene->removeNode(f.chest));
    EXPECT_TRUE(head.isNull());
    EXPECT_EQ(removed.count(), 2);
    EXPECT_EQ(m_scene->getNumNodes(), 3);
    EXPECT_EQ(f.hip->getNodeChildren(), QList<VxNode*>{f.thigh});
    EXPECT_EQ(m_scene->getPrimarySelection(), nullptr);
    ASSERT_EQ(primary.count(), 1);
    EXPECT_EQ(primary.at(0).at(0).value<VxNode*>(), nullptr);
    EXPECT_EQ(f.figure->getSelectionMap()->getNumPairs(), 0);
    EXPECT_FALSE(m_scene->removeNode(nullptr));

    // A node outside the scene is not the scene's to remove.
    VxBone loose;
    EXPECT_FALSE(m_scene->removeNode(&loose));
}

TEST_F(SceneTest, SelectionAndPrimarySelectionSignals)
{
    SmallFigure f = makeSmallFigure();
    QSignalSpy listChanged(m_scene.get(), &VxScene::nodeSelectionListChanged);
    QSignalSpy primaryChanged(m_scene.get(), &VxScene::primarySelectionChanged);

    f.hip->select(true);
    f.thigh->select(true);
    EXPECT_EQ(m_scene->getPrimarySelection(), f.thigh);
    EXPECT_EQ(listChanged.count(), 2);
    ASSERT_EQ(primaryChanged.count(), 2);
    EXPECT_EQ(primaryChanged.at(1).at(0).value<VxNode*>(), f.thigh);

    f.thigh->select(true); // already primary: nothing changes
    EXPECT_EQ(listChanged.count(), 2);

    f.hip->select(true); // reselecting makes it primary again
    EXPECT_EQ(m_scene->getPrimarySelection(), f.hip);
    f.hip->select(false); // the most recent remaining one takes over
    EXPECT_EQ(m_scene->getPrimarySelection(), f.thigh);
    EXPECT_EQ(primaryChanged.count(), 4);

    m_scene->selectAllNodes(true);
    EXPECT_EQ(m_scene->getSelectedNodes().size(), 5);
    EXPECT_EQ(m_scene->getPrimarySelection(), f.thigh);
    m_scene->selectAllNodes(false);
    EXPECT_TRUE(m_scene->getSelectedNodes().isEmpty());
    EXPECT_EQ(primaryChanged.last().at(0).value<VxNode*>(), nullptr);

    // Deleting a selected node directly also leaves the selection.
    f.head->select(true);
    delete f.head;
    EXPECT_EQ(m_scene->getPrimarySelection(), nullptr);
}

TEST_F(SceneTest, BoneBoxesComeFromPairedFaceGroupsOrFromTheBoneItself)
{
    SmallFigure f = makeSmallFigure();
    VxFacetMesh* mesh = vxMakeBoxMesh({{"hip", {-1, 0, -1}, {1, 2, 1}},
                                       {"chest", {-2, 2, -1}, {2, 5, 1}},
                                       {"belly", {-1.5f, 1.5f, -1}, {1.5f, 2.5f, 1.5f}}});
    auto* shape = new VxGraftingFigureShape();
    shape->setFacetMesh(mesh);
    f.figure->setObject(new VxObject());
    f.figure->getObject()->addShape(shape);
    EXPECT_EQ(VxShape::getCurrentShapeForNode(f.figure), shape);
    EXPECT_EQ(VxShape::getCurrentShapeForNode(f.hip), nullptr);
    f.figure->setSelectionMap(new VxSelectionMap());
    f.figure->getSelectionMap()->addPair(QStringLiteral("hip"), f.hip, true);
    f.figure->getSelectionMap()->addPair(QStringLiteral("chest"), f.chest, true);
    f.figure->getSelectionMap()->addPair(QStringLiteral("belly"), f.chest, true);

    const VxOrientedBox3 hip = f.hip->getWSOrientedBox();
    EXPECT_EQ(hip.getBox(), VxBox3(VxVec3(-1, 0, -1), VxVec3(1, 2, 1)));
    EXPECT_TRUE(hip.getTransform().isIdentity());
    // Two groups paired with one bone: the box of both.
    EXPECT_EQ(f.chest->getWSOrientedBox().getBox(), VxBox3(VxVec3(-2, 1.5f, -1), VxVec3(2, 5, 1.5f)));

    // Without facets: the box spanning the current origin and end point.
    QSignalSpy originSpy(f.head, &VxNode::originChanged);
    f.head->setOrigin(VxVec3(0, 5, 0), false);
    EXPECT_EQ(f.head->getOrigin(true), VxVec3()); // the rest value stays
    f.head->setOrigin(VxVec3(0, 5, 0), true);
    EXPECT_EQ(f.head->getOrigin(true), VxVec3(0, 5, 0));
    EXPECT_EQ(originSpy.count(), 1);
    f.head->setEndPoint(VxVec3(0.5f, 7, -0.25f), true);
    EXPECT_EQ(f.head->getWSOrientedBox().getBox(), VxBox3(VxVec3(0, 5, -0.25f), VxVec3(0.5f, 7, 0)));

    // Re-pointing a group moves its facets to the other bone.
    f.figure->getSelectionMap()->addPair(QStringLiteral("hip"), f.thigh, true);
    EXPECT_EQ(f.figure->getSelectionMap()->getNumPairs(), 3);
    EXPECT_EQ(f.thigh->getWSOrientedBox().getBox(), VxBox3(VxVec3(-1, 0, -1), VxVec3(1, 2, 1)));

    // Vertex maps follow the pairs once cleared.
    EXPECT_EQ(f.figure->getVertexMap(f.thigh).size(), 8u);
    EXPECT_EQ(f.figure->getVertexMap(f.chest).size(), 16u);
    EXPECT_TRUE(f.figure->getVertexMap(f.hip).empty());
}

TEST_F(SceneTest, UndoAndRedrawLocksCountAndRelease)
{
    VxUndoStack* stack = m_scene->getUndoStack();
    {
        VxUndoStackLock outer;
        EXPECT_TRUE(stack->isLocked());
        {
            VxUndoStackLock inner;
            EXPECT_EQ(stack->getLockDepth(), 2);
            inner.unlock();
            inner.unlock(); // only once
            EXPECT_EQ(stack->getLockDepth(), 1);
        }
        EXPECT_FALSE(stack->isRecording());
    }
    EXPECT_TRUE(stack->isRecording());

    VxMainWindow window;
    VxViewportMgr* viewports = window.getViewportMgr();
    ASSERT_EQ(viewports, m_scene->getViewportMgr());
    QSignalSpy redraws(viewports, &VxViewportMgr::redrawRequested);
    viewports->lockRedraws();
    viewports->lockRedraws();
    m_scene->addNode(new VxFigure());
    m_scene->addNode(new VxFigure());
    EXPECT_EQ(redraws.count(), 0);
    viewports->unlockRedraws();
    EXPECT_EQ(redraws.count(), 0);
    viewports->unlockRedraws();
    EXPECT_EQ(redraws.count(), 1); // one redraw for everything held back
    m_scene->addNode(new VxFigure());
    EXPECT_EQ(redraws.count(), 2);
}

TEST_F(SceneTest, RegionTreesMoveFindAndAnnounceChanges)
{
    auto* shape = new VxGraftingFigureShape();
    shape->ref();
    QSignalSpy shapeSpy(shape, &VxShape::geometryRegionChanged);
    auto* root = new VxGeometryRegion(QStringLiteral("Actor"));
    root->setLabel(QStringLiteral("Actor"));
    shape->setGeometryRegion(root);
    EXPECT_EQ(shapeSpy.count(), 1);
    EXPECT_EQ(root->getShape(), shape);

    QSignalSpy hierarchy(root, &VxGeometryRegion::heirarchyChanged);
    auto* arms = new VxGeometryRegion(QStringLiteral("Arms"));
    auto* left = new VxGeometryRegion(QStringLiteral("Left"));
    left->setLabel(QStringLiteral("Left arm"));
    auto* right = new VxGeometryRegion(QStringLiteral("Right"));
    root->addChildRegion(arms);
    arms->addChildRegion(left);
    arms->addChildRegion(right);
    EXPECT_EQ(hierarchy.count(), 3); // the root hears about changes deep below it
    EXPECT_EQ(root->findRegion(QStringLiteral("Right")), right);
    EXPECT_EQ(root->findRegionByLabel(QStringLiteral("Left arm"), true), left);
    EXPECT_EQ(root->findRegionByLabel(QStringLiteral("Left arm"), false), nullptr);
    EXPECT_FALSE(left->addChildRegion(arms)); // not into its own subtree

    EXPECT_TRUE(arms->changeChildIndex(right, 0));
    EXPECT_EQ(arms->getChildIndex(right), 0);
    EXPECT_EQ(arms->getChildIndex(root), -1);
    root->addChildRegion(left); // moves, does not copy
    EXPECT_EQ(arms->numGeometryRegionChildren(), 1);
    EXPECT_EQ(left->getGeometryRegionParent(), root);

    QPointer<VxGeometryRegion> gone = left;
    root->removeChildRegion(left);
    delete left;
    EXPECT_TRUE(gone.isNull());

    // Facet indices past the end of a new mesh are dropped.
    right->setRegionFacetIndices({0, 3, 7, 12});
    VxFacetMesh* mesh = vxMakeBoxMesh({{"a", {0, 0, 0}, {1, 1, 1}}, {"b", {0, 0, 0}, {1, 1, 1}}});
    mesh->ref();
    root->moveRegionIndexes(nullptr, mesh);
    EXPECT_EQ(right->getNumRegionFacetIndices(), 3);
    mesh->unref();
    shape->unref();
}

TEST_F(SceneTest, MeshEditsObjectShapesAndFactories)
{
    VxFacetMesh* mesh = vxMakeBoxMesh({{"a", {0, 0, 0}, {1, 1, 1}}});
    mesh->ref();
    EXPECT_EQ(mesh->getBoundingBox().getMax(), VxVec3(1, 1, 1));
    EXPECT_EQ(mesh->getVertexArray(), nullptr); // only while editing
    ASSERT_TRUE(mesh->beginEdit(true));
    EXPECT_FALSE(mesh->beginEdit(true));
    mesh->getVertexArray()[3 * 7] = 5.0f; // corner 7 is the max corner
    mesh->finishEdit();
    EXPECT_EQ(mesh->getBoundingBox().getMax(), VxVec3(5, 1, 1));
    EXPECT_EQ(mesh->getFaceGroupBoundingBox(QStringLiteral("a")).getMax(), VxVec3(5, 1, 1));
    mesh->unref();

    // The current shape is the last one.
    VxObject object;
    VxRefGuard<VxFacetShape> a(new VxFacetShape()), b(new VxFacetShape());
    object.addShape(a.get());
    object.addShape(b.get());
    EXPECT_EQ(object.getCurrentShape(), b.get());
    object.removeShape(b.get());
    EXPECT_EQ(object.getCurrentShape(), a.get());

    // Scripts and plug-ins create the scene classes by name.
    for (const char* name : {"VxFigure", "VxLegacyFigure", "VxBone", "VxGraftingFigureShape", "VxLegacyBinding"}) {
        VxClassFactory* factory = m_app->findClassFactory(QLatin1String(name));
        ASSERT_NE(factory, nullptr) << name;
        std::unique_ptr<QObject> made(factory->createInstance());
        EXPECT_TRUE(made->inherits(name));
    }
}
