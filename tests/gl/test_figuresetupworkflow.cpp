// The whole job in the window through its widgets only: the example mesh added in the
// geometry list, dropped on the relationships view's root, Create pressed; the figure must
// then be in the scene, in the outliner and on screen.
#include "viewuser.h"

#include "vxhostgui.h"
#include "vxpluginloader.h"
#include "vxsceneoutliner.h"
#include "vxsceneoutlinerpane.h"
#include "vxviewport.h"
#include "vxviewporttest.h"

#include "vxfigurepluginexports.h"
#include "vxfshierarchy.h"
#include "vxgeometrylistview.h"
#include "vxhierarchyeditorview.h"

#include "vxclassfactory.h"
#include "vxmainwindow.h"
#include "vxmenurunner.h"
#include "vxpane.h"
#include "vxpanemgr.h"
#include "vxplugin.h"

#include <QDrag>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
QImage drawnFrame(VxViewport* viewport)
{
    QSignalSpy frames(viewport, &VxViewport::frameRendered);
    viewport->update();
    frames.wait(5000);
    return viewport->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}
using FigureSetupWorkflowTest = VxSceneTest;
} // namespace

TEST_F(FigureSetupWorkflowTest, AMeshAddedDroppedOnTheRootAndCreatedIsAFigureOnScreen)
{
    // The host with the plug-in's classes registered, as loading the library does.
    const QList<VxClassFactory*> factories = getPluginDefinition()->getClassFactories();
    for (VxClassFactory* factory : factories)
        m_app->registerClassFactory(factory);
    VxPluginLoader loader;
    auto gui = std::make_unique<VxHostGui>(loader);
    gui->window()->resize(1400, 900);
    gui->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gui->window()));
    VxPane* pane = gui->window()->getPaneMgr().findPane(QStringLiteral("VxFigureSetupPane"));
    ASSERT_TRUE(pane && pane->isVisible());
    auto* geometries = pane->findChild<VxGeometryListView*>(QStringLiteral("FigureSetupGeometryView"));
    auto* relationships = pane->findChild<VxHierarchyEditorView*>(QStringLiteral("FigureSetupHierarchyView"));

    // "Add Geometry..." from the list's menu, the file dialog answered with the example.
    VxMainWindow::queueFileDialogAnswer(QStringList{vxSourcePath("examples/Runtime/Geometries/Figure/figure.obj")});
    VxMenuRunner::queueAnswer(QStringLiteral("Add Geometry..."));
    ViewUser::rightClick(*geometries, nullptr);
    ASSERT_EQ(geometries->topLevelItemCount(), 1);
    // Clicked, dragged onto the document's root item: one bone per face group.
    QTreeWidgetItem* mesh = geometries->topLevelItem(0);
    QTest::mouseClick(geometries->viewport(), Qt::LeftButton, {}, geometries->visualItemRect(mesh).center());
    std::unique_ptr<QDrag> drag(geometries->dragObject());
    ASSERT_TRUE(drag && ViewUser::drop(*relationships, relationships->topLevelItem(0), *drag->mimeData()));
    drag.reset(); // a child of the list, which goes with the window
    ASSERT_NE(ViewUser::boneItem(*relationships, QStringLiteral("lForeArm")), nullptr);
    auto* viewport = qobject_cast<VxViewport*>(gui->centralView());
    const QImage empty = drawnFrame(viewport);
    QTest::mouseClick(pane->findChild<QPushButton*>(QStringLiteral("FigureSetupCreateFigureBtn")), Qt::LeftButton);

    // One single-skin figure: a bone per face group, each bound to the skin.
    const QJsonArray nodes = QJsonDocument::fromJson(vxScene->toJson()).object().value("nodes").toArray();
    ASSERT_EQ(nodes.size(), 1);
    const QJsonObject figure = nodes.at(0).toObject();
    EXPECT_EQ(figure.value("type").toString(), QStringLiteral("VxFigure"));
    QStringList bones;
    for (const QJsonValue& child : figure.value("children").toArray())
        bones.append(child.toObject().value("name").toString());
    EXPECT_EQ(bones.size(), 19);
    EXPECT_TRUE(bones.contains(QStringLiteral("hip")) && bones.contains(QStringLiteral("rFoot")));
    EXPECT_EQ(figure.value("skinBinding").toObject().value("boneBindings").toArray().size(), 19);

    // The outliner lists it and the viewport draws it: seen from the front, the chest shows
    // the lit skin (the host's default material) where the empty scene showed the dark grey
    // background of nearly the same hue. (The chest's bone crosses it lower down, at the
    // middle of its box, y = 1.31.)
    VxNode* node = vxScene->findNode(figure.value("name").toString());
    EXPECT_NE(gui->outlinerPane()->getOutliner()->itemForNode(node), nullptr);
    const QImage drawn = drawnFrame(viewport);
    if (qEnvironmentVariableIsSet("VX_GL_SHOT_DIR"))
        drawn.save(qEnvironmentVariable("VX_GL_SHOT_DIR") + QStringLiteral("/figuresetup-workflow.png"));
    const VxViewportCamera& camera = viewport->getCamera();
    const QVector3D ndc = (camera.projectionMatrix(viewport->size(), 1.0f) * camera.viewMatrix()).map(QVector3D(0, 1.38f, 0.1f));
    const QPoint chest(int((ndc.x() + 1) / 2 * viewport->width()), int((1 - ndc.y()) / 2 * viewport->height()));
    ASSERT_TRUE(drawn.rect().contains(chest));
    EXPECT_TRUE(vxLooksLike(drawn.pixel(chest), QColor(204, 204, 204), 0.03)) << std::hex << drawn.pixel(chest);
    EXPECT_GT(qGray(drawn.pixel(chest)), qGray(empty.pixel(chest)) + 40);

    gui.reset();
    for (VxClassFactory* factory : factories)
        m_app->unregisterClassFactory(factory);
}
