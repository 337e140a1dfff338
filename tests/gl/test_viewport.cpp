// The viewport as a user meets it: what it draws, what a click selects, how it follows the
// scene and the redraw lock, and what goes to the GPU.
#include "vxviewporttest.h"

#include "vxviewport.h"
#include "vxviewportrenderer.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxgraftingfigureshape.h"
#include "vxobject.h"
#include "vxproperty.h"
#include "vxviewportmgr.h"

#include <QSignalSpy>
#include <QTest>

namespace {
const QColor kRed(220, 30, 30);
const QColor kGreen(30, 190, 40);

// Background: the neutral grey of the gradient, no hue of its own.
bool isBackground(QRgb pixel)
{
    return std::abs(qRed(pixel) - qGreen(pixel)) < 10 && std::abs(qGreen(pixel) - qBlue(pixel)) < 16
           && qBlue(pixel) >= qRed(pixel);
}

VxFacetMesh* meshOf(VxNode* node)
{
    return qobject_cast<VxFacetShape*>(node->getObject()->getCurrentShape())->getFacetMesh();
}
} // namespace

TEST_F(VxViewportTest, DrawsMeshesInTheirMaterialColoursAndTintsTheSelection)
{
    VxNode* red = vxAddBoxProp("red", {-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f}, kRed);
    vxAddBoxProp("green", {1.0f, 0.0f, -0.5f}, {2.0f, 1.0f, 0.5f}, kGreen);
    ASSERT_TRUE(renderFrame());
    QImage shot = image();
    keepImage(shot, "two-props");
    const QPoint redAt = project({0.0f, 0.5f, 0.0f});
    const QPoint greenAt = project({1.5f, 0.5f, 0.0f});
    EXPECT_TRUE(vxLooksLike(shot.pixel(redAt), kRed)) << qPrintable(QColor(shot.pixel(redAt)).name());
    EXPECT_TRUE(vxLooksLike(shot.pixel(greenAt), kGreen)) << qPrintable(QColor(shot.pixel(greenAt)).name());
    EXPECT_TRUE(isBackground(shot.pixel(3, 3))) << qPrintable(QColor(shot.pixel(3, 3)).name());

    // The selection keeps its material colour and gets an outline in the highlight colour.
    const auto highlighted = [](const QImage& picture) {
        int count = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                count += vxLooksLike(picture.pixel(x, y), VxViewportRenderer::highlightColor(), 0.03);
        }
        return count;
    };
    EXPECT_EQ(highlighted(shot), 0);
    red->select(true);
    ASSERT_TRUE(renderFrame());
    shot = image();
    keepImage(shot, "red-selected");
    const QRgb selected = shot.pixel(redAt);
    EXPECT_TRUE(qRed(selected) > 2 * qGreen(selected) && qRed(selected) > 2 * qBlue(selected))
        << qPrintable(QColor(selected).name());
    EXPECT_GT(highlighted(shot), 300);
    EXPECT_TRUE(vxLooksLike(shot.pixel(greenAt), kGreen));
}

TEST_F(VxViewportTest, ClickSelectsTheNodeUnderTheCursorAndEmptySpaceClears)
{
    VxNode* red = vxAddBoxProp("red", {-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f}, kRed);
    VxNode* green = vxAddBoxProp("green", {1.0f, 0.0f, -0.5f}, {2.0f, 1.0f, 0.5f}, kGreen);
    ASSERT_TRUE(renderFrame());
    QSignalSpy changes(m_scene.get(), &VxScene::nodeSelectionListChanged);

    QTest::mouseClick(m_viewport, Qt::LeftButton, {}, project({1.5f, 0.5f, 0.0f}));
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{green});
    EXPECT_EQ(changes.count(), 1);
    QTest::mouseClick(m_viewport, Qt::LeftButton, Qt::ShiftModifier, project({0.0f, 0.5f, 0.0f}));
    EXPECT_EQ(m_scene->getSelectedNodes(), (QList<VxNode*>{green, red}));
    EXPECT_EQ(m_scene->getPrimarySelection(), red);
    QTest::mouseClick(m_viewport, Qt::LeftButton, {}, project({1.5f, 0.5f, 0.0f}));
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{green});
    // A drag orbits and selects nothing.
    const QList<VxNode*> before = m_scene->getSelectedNodes();
    const float yaw = m_viewport->getCamera().getYaw();
    QTest::mousePress(m_viewport, Qt::LeftButton, {}, QPoint(20, 20));
    QMouseEvent move(QEvent::MouseMove, QPoint(80, 30), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_viewport, &move);
    QTest::mouseRelease(m_viewport, Qt::LeftButton, {}, QPoint(80, 30));
    EXPECT_NE(m_viewport->getCamera().getYaw(), yaw);
    EXPECT_EQ(m_scene->getSelectedNodes(), before);

    QTest::mouseClick(m_viewport, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(m_scene->getSelectedNodes().isEmpty());
}

TEST_F(VxViewportTest, PickingAFiguresSkinSelectsTheBoneOwningThatPart)
{
    VxFacetMesh* mesh = vxMakeBoxMesh({{"lower", {-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f}},
                                       {"upper", {-0.5f, 1.0f, -0.5f}, {0.5f, 2.0f, 0.5f}}});
    VxFigure* figure = vxMakeFigure<VxFigure>(mesh, "Figure");
    VxNode* lower = figure->findBone("lower");
    VxNode* upper = figure->findBone("upper");
    lower->setOrigin({0.0f, 0.0f, 0.0f}, true);
    lower->setEndPoint({0.0f, 1.0f, 0.0f}, true);
    upper->setOrigin({0.0f, 1.0f, 0.0f}, true);
    upper->setEndPoint({0.0f, 2.0f, 0.0f}, true);
    ASSERT_TRUE(renderFrame());

    // Off the bone's axis the skin is hit, and the selection map names the bone.
    QTest::mouseClick(m_viewport, Qt::LeftButton, {}, project({0.4f, 1.5f, 0.5f}));
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{upper});
    // Bones are drawn over the skin, and a click on one selects it.
    QTest::mouseClick(m_viewport, Qt::LeftButton, {}, project({0.0f, 0.5f, 0.0f}));
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{lower});

    // The selected bone's body part is outlined, at the side of the figure; the other
    // part's side is not.
    ASSERT_TRUE(renderFrame());
    const QImage shot = image();
    keepImage(shot, "bone-selected");
    const auto outlinedBeside = [&](float y) {
        const QPoint edge = project({-0.5f, y, 0.5f});
        for (int dx = 1; dx <= 4; ++dx) {
            if (vxLooksLike(shot.pixel(edge.x() - dx, edge.y()), VxViewportRenderer::highlightColor(), 0.03))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(outlinedBeside(0.5f));
    EXPECT_FALSE(outlinedBeside(1.5f));
}

TEST_F(VxViewportTest, FollowsTheSceneOnItsOwn)
{
    VxNode* red = vxAddBoxProp("red", {-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f}, kRed);
    vxAddBoxProp("green", {1.0f, 0.0f, -0.5f}, {2.0f, 1.0f, 0.5f}, kGreen);
    ASSERT_TRUE(renderFrame());
    QSignalSpy frames(m_viewport, &VxViewport::frameRendered);

    // A translation control moves the node; the viewport redraws without being asked.
    red->getXPosControl()->setValue(-2.0f);
    ASSERT_TRUE(frames.wait(5000));
    EXPECT_TRUE(vxLooksLike(image().pixel(project({-2.0f, 0.5f, 0.0f})), kRed));
    // A mesh edit shows too.
    VxFacetMesh* mesh = meshOf(red);
    ASSERT_TRUE(mesh->beginEdit(true));
    for (int i = 0; i < mesh->getNumVertices(); ++i)
        mesh->getVertexArray()[3 * i + 1] += 2.0f;
    mesh->finishEdit();
    ASSERT_TRUE(frames.wait(5000));
    EXPECT_TRUE(vxLooksLike(image().pixel(project({-2.0f, 2.5f, 0.0f})), kRed));

    const QPoint redAt = project({-2.0f, 2.5f, 0.0f});
    frames.clear();
    m_scene->removeNode(red);
    ASSERT_TRUE(frames.wait(5000));
    EXPECT_FALSE(vxLooksLike(image().pixel(redAt), kRed));
}

TEST_F(VxViewportTest, RedrawLockHoldsRepaintsAndGivesOneAtRelease)
{
    QSignalSpy frames(m_viewport, &VxViewport::frameRendered);
    VxViewportMgr* manager = m_scene->getViewportMgr();
    manager->lockRedraws();
    VxNode* red = vxAddBoxProp("red", {-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f}, kRed);
    red->select(true);
    red->getXPosControl()->setValue(0.5f);
    QTest::qWait(200);
    EXPECT_EQ(frames.count(), 0);

    manager->unlockRedraws();
    ASSERT_TRUE(frames.wait(5000));
    QTest::qWait(200);
    EXPECT_EQ(frames.count(), 1);
}

TEST_F(VxViewportTest, MeshDataGoesToTheGpuOncePerEdit)
{
    VxNode* red = vxAddBoxProp("red", {-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f}, kRed);
    ASSERT_TRUE(renderFrame());
    const int first = m_viewport->getMeshUploadCount();
    EXPECT_EQ(first, 1);
    m_viewport->getCamera().orbit(30.0f, 0.0f);
    ASSERT_TRUE(renderFrame());
    ASSERT_TRUE(renderFrame());
    EXPECT_EQ(m_viewport->getMeshUploadCount(), first);

    // A second node showing the same mesh shares its buffer.
    auto* twin = new VxNode();
    twin->setObject(new VxObject());
    auto* shape = new VxFacetShape();
    shape->setFacetMesh(meshOf(red));
    twin->getObject()->addShape(shape);
    m_scene->addNode(twin);
    ASSERT_TRUE(renderFrame());
    EXPECT_EQ(m_viewport->getMeshUploadCount(), first);

    // Two edits that only move vertices before a frame cost one upload of the vertices,
    // none of the whole mesh; frames after it cost none.
    VxFacetMesh* mesh = meshOf(red);
    for (int edit = 0; edit < 2; ++edit) {
        ASSERT_TRUE(mesh->beginEdit(true));
        mesh->getVertexArray()[0] += 0.25f;
        mesh->finishEdit();
    }
    ASSERT_TRUE(renderFrame());
    ASSERT_TRUE(renderFrame());
    EXPECT_EQ(m_viewport->getMeshUploadCount(), first);
    EXPECT_EQ(m_viewport->getPositionUploadCount(), 1);

    // An edit that may change more, or new data, uploads the whole mesh again.
    ASSERT_TRUE(mesh->beginEdit(false));
    mesh->finishEdit();
    ASSERT_TRUE(renderFrame());
    EXPECT_EQ(m_viewport->getMeshUploadCount(), first + 1);
    VxFacetMeshData data = mesh->getData();
    mesh->setData(std::move(data));
    ASSERT_TRUE(renderFrame());
    EXPECT_EQ(m_viewport->getMeshUploadCount(), first + 2);
    EXPECT_EQ(m_viewport->getPositionUploadCount(), 1);
}

TEST_F(VxViewportTest, KeysAndWheelNavigateAndFFramesEverything)
{
    vxAddBoxProp("red", {-0.5f, 0.0f, -0.5f}, {0.5f, 1.0f, 0.5f}, kRed);
    vxAddBoxProp("green", {3.0f, 0.0f, -0.5f}, {4.0f, 2.0f, 0.5f}, kGreen);
    ASSERT_TRUE(renderFrame());
    m_viewport->setFocus();
    const VxViewportCamera before = m_viewport->getCamera();
    QTest::keyClick(m_viewport, Qt::Key_Left);
    QTest::keyClick(m_viewport, Qt::Key_Up);
    EXPECT_NE(m_viewport->getCamera().getYaw(), before.getYaw());
    EXPECT_NE(m_viewport->getCamera().getPitch(), before.getPitch());
    QTest::keyClick(m_viewport, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_NE(m_viewport->getCamera().getTarget(), before.getTarget());
    QWheelEvent wheel(QPointF(100, 100), QPointF(m_viewport->mapToGlobal(QPoint(100, 100))), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_viewport, &wheel);
    EXPECT_LT(m_viewport->getCamera().getDistance(), before.getDistance());
    // The user's camera stays when the scene grows; F frames everything again.
    const float distance = m_viewport->getCamera().getDistance();
    vxAddBoxProp("far", {-6.0f, 0.0f, -0.5f}, {-5.0f, 1.0f, 0.5f}, kGreen);
    ASSERT_TRUE(renderFrame());
    EXPECT_EQ(m_viewport->getCamera().getDistance(), distance);

    QTest::keyClick(m_viewport, Qt::Key_F);
    ASSERT_TRUE(renderFrame());
    const QRect view = m_viewport->rect();
    for (const QVector3D& corner : {QVector3D(-6, 0, -0.5f), QVector3D(-6, 1, 0.5f), QVector3D(4, 2, 0.5f),
                                    QVector3D(4, 0, -0.5f), QVector3D(-0.5f, 0, 0.5f)})
        EXPECT_TRUE(view.contains(project(corner))) << corner.x() << " " << corner.y() << " " << corner.z();
    // Framed, not lost in the distance: the scene spans most of the view's width.
    EXPECT_GT(project({4, 2, 0.5f}).x() - project({-6, 1, 0.5f}).x(), view.width() / 2);
}
