// The whole job in the window, through its widgets only: the example mesh added in the
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
#include "vxgeometrylistview.h"
#include "vxhierarchyeditorview.h"

#include "vxscenetest.h"

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

#include <memory>

namespace {

// The host with the Figure Setup plug-in's classes registered, as loading the library does.
class FigureSetupWorkflowTest : public VxSceneTest
{
protected:
    void SetUp() override
    {
        VxSceneTest::SetUp();
        m_factories = getPluginDefinition()->getClassFactories();
        for (VxClassFactory* factory : qAsConst(m_factories))
            m_app->registerClassFactory(factory);
        m_gui = std::make_unique<VxHostGui>(m_loader);
        m_gui->window()->resize(1400, 900);
        m_gui->window()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_gui->window()));
    }

    void TearDown() override
    {
        VxMenuRunner::clearAnswers();
        VxMainWindow::clearFileDialogAnswers();
        m_gui.reset();
        for (VxClassFactory* factory : qAsConst(m_factories))
            m_app->unregisterClassFactory(factory);
        VxSceneTest::TearDown();
    }

    VxViewport* viewport() const { return qobject_cast<VxViewport*>(m_gui->centralView()); }

    QImage frame() const
    {
        QSignalSpy frames(viewport(), &VxViewport::frameRendered);
        viewport()->update();
        if (frames.isEmpty())
            frames.wait(5000);
        return viewport()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    }

    // Where a world point shows in the viewport.
    QPoint project(const QVector3D& world) const
    {
        const QSize size = viewport()->size();
        const VxViewportCamera& camera = viewport()->getCamera();
        const QVector3D ndc = (camera.projectionMatrix(size, 1.0f) * camera.viewMatrix()).map(world);
        return QPoint(int((ndc.x() * 0.5f + 0.5f) * float(size.width())),
                      int((0.5f - ndc.y() * 0.5f) * float(size.height())));
    }

    VxPluginLoader m_loader;
    std::unique_ptr<VxHostGui> m_gui;
    QList<VxClassFactory*> m_factories;
};

QJsonObject onlyFigure(const QJsonObject& scene)
{
    const QJsonArray nodes = scene.value(QStringLiteral("nodes")).toArray();
    return nodes.size() == 1 ? nodes.at(0).toObject() : QJsonObject();
}

} // namespace

TEST_F(FigureSetupWorkflowTest, AMeshAddedDroppedOnTheRootAndCreatedBecomesAFigureOnScreen)
{
    VxPane* pane = m_gui->window()->getPaneMgr().findPane(QStringLiteral("VxFigureSetupPane"));
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(pane->isVisible());
    auto* geometries = pane->findChild<VxGeometryListView*>(QStringLiteral("FigureSetupGeometryView"));
    auto* relationships = pane->findChild<VxHierarchyEditorView*>(QStringLiteral("FigureSetupHierarchyView"));
    auto* create = pane->findChild<QPushButton*>(QStringLiteral("FigureSetupCreateFigureBtn"));
    ASSERT_TRUE(geometries && relationships && create);

    // "Add Geometry..." from the list's menu, the file dialog answered with the example.
    const QString mesh = vxSourcePath(QStringLiteral("examples/Runtime/Geometries/Figure/figure.obj"));
    VxMainWindow::queueFileDialogAnswer(QStringList{mesh});
    VxMenuRunner::queueAnswer(QStringLiteral("Add Geometry..."));
    ViewUser::rightClick(*geometries, nullptr);
    ASSERT_EQ(geometries->topLevelItemCount(), 1);
    EXPECT_EQ(geometries->topLevelItem(0)->text(0), QStringLiteral("figure.obj"));

    // Dragged onto the document's root item: one bone per face group.
    QTreeWidgetItem* geometryItem = geometries->topLevelItem(0);
    QTest::mouseClick(geometries->viewport(), Qt::LeftButton, Qt::NoModifier,
                      geometries->visualItemRect(geometryItem).center());
    ASSERT_TRUE(geometryItem->isSelected());
    std::unique_ptr<QDrag> drag(geometries->dragObject());
    ASSERT_NE(drag, nullptr);
    ASSERT_TRUE(ViewUser::drop(*relationships, relationships->topLevelItem(0), *drag->mimeData()));
    ViewUser::settle();
    ASSERT_NE(ViewUser::boneItem(*relationships, QStringLiteral("lForeArm")), nullptr);
    const QImage empty = frame();

    QTest::mouseClick(create, Qt::LeftButton);
    ViewUser::settle();

    // The scene holds one single-skin figure, a bone per face group bound to the skin.
    const QJsonObject figure = onlyFigure(QJsonDocument::fromJson(vxScene->toJson()).object());
    ASSERT_FALSE(figure.isEmpty()) << vxScene->toJson().left(2000).constData();
    EXPECT_EQ(figure.value(QStringLiteral("type")).toString(), QStringLiteral("VxFigure"));
    QStringList bones;
    for (const QJsonValue& child : figure.value(QStringLiteral("children")).toArray())
        bones.append(child.toObject().value(QStringLiteral("name")).toString());
    EXPECT_EQ(bones.size(), 19);
    EXPECT_TRUE(bones.contains(QStringLiteral("hip")) && bones.contains(QStringLiteral("rFoot"))) << qPrintable(bones.join(' '));
    const QJsonArray bindings = figure.value(QStringLiteral("skinBinding")).toObject().value(QStringLiteral("boneBindings")).toArray();
    EXPECT_EQ(bindings.size(), 19);
    EXPECT_EQ(figure.value(QStringLiteral("selectionMap")).toArray().size(), 19);

    // The outliner lists it, and the viewport draws it: the chest, seen from the front,
    // shows the skin's material where the empty scene showed the background.
    VxNode* node = vxScene->findNode(figure.value(QStringLiteral("name")).toString());
    ASSERT_NE(node, nullptr);
    EXPECT_NE(m_gui->outlinerPane()->getOutliner()->itemForNode(node), nullptr);
    const QImage drawn = frame();
    const QString keep = qEnvironmentVariable("VX_GL_SHOT_DIR");
    if (!keep.isEmpty())
        drawn.save(keep + QStringLiteral("/figuresetup-workflow.png"));
    const QPoint chest = project(QVector3D(0.0f, 1.31f, 0.1f));
    ASSERT_TRUE(drawn.rect().contains(chest));
    const QRgb pixel = drawn.pixel(chest);
    const QColor skin(204, 204, 204); // the host's default material, which the figure's skin gets
    EXPECT_TRUE(vxLooksLike(pixel, skin, 0.03)) << std::hex << pixel;
    // The background is a dark grey of nearly the same hue: the lit skin is far brighter.
    EXPECT_GT(qGray(pixel), qGray(empty.pixel(chest)) + 40) << std::hex << pixel << " " << empty.pixel(chest);
}
