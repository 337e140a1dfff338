// The main window on a real display: the screenshot shows what a user sees, and
// vxhost --screenshot writes it as a PNG.
#include "vxhostgui.h"
#include "vxpluginloader.h"
#include "vxsceneedits.h"
#include "vxsceneoutliner.h"
#include "vxsceneoutlinerpane.h"
#include "vxviewport.h"
#include "vxviewportrenderer.h"

#include "vxscenetest.h"

#include "vxmainwindow.h"
#include "vxnode.h"

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTreeWidgetItem>

namespace {

using ScreenshotTest = VxSceneTest;

// Close enough to tell the selection highlight from the tree's plain rows.
bool sameColour(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < 24;
}

} // namespace

TEST_F(ScreenshotTest, TheScreenshotShowsTheWindowWithTheSelectedMeshInTheOutliner)
{
    VxPluginLoader loader;
    VxHostGui gui(loader);
    QString error;
    VxNode* mesh = VxSceneEdits::importMesh(vxSourcePath(QStringLiteral("examples/Runtime/Geometries/Figure/figure.obj")), &error);
    ASSERT_NE(mesh, nullptr) << qPrintable(error);
    mesh->select(true);

    const QString path = tempPath(QStringLiteral("shot.png"));
    ASSERT_TRUE(gui.saveScreenshot(path, QSize(1200, 800), &error)) << qPrintable(error);
    const QImage shot(path);
    ASSERT_EQ(shot.size(), QSize(1200, 800));

    VxSceneOutliner* outliner = gui.outlinerPane()->getOutliner();
    QTreeWidgetItem* item = outliner->itemForNode(mesh);
    ASSERT_NE(item, nullptr);
    const QPoint row = outliner->viewport()->mapTo(gui.window(), outliner->visualItemRect(item).center());
    const QPoint below = row + QPoint(0, 3 * outliner->visualItemRect(item).height());
    const QRgb highlight = outliner->palette().color(QPalette::Active, QPalette::Highlight).rgb();
    EXPECT_TRUE(sameColour(shot.pixel(row + QPoint(40, 0)), highlight)) << std::hex << shot.pixel(row);
    EXPECT_FALSE(sameColour(shot.pixel(below), highlight));
}

TEST_F(ScreenshotTest, VxhostWritesTheScreenshotAfterTheScript)
{
    const QString path = tempPath(QStringLiteral("window.png"));
    QProcess vxhost;
    vxhost.setWorkingDirectory(vxSourcePath(QString()));
    vxhost.start(QStringLiteral(VX_BIN_DIR "/vxhost"),
                 {QStringLiteral("--data-dir"), tempPath(QStringLiteral("host")), QStringLiteral("--script"),
                  QStringLiteral("examples/import-figure-mesh.js"), QStringLiteral("--screenshot"), path,
                  QStringLiteral("--size"), QStringLiteral("1000x700")});
    ASSERT_TRUE(vxhost.waitForFinished(60000));
    EXPECT_EQ(vxhost.exitCode(), 0) << vxhost.readAllStandardError().constData();
    EXPECT_EQ(vxhost.readAllStandardOutput(), QByteArray("Imported figure - selected: figure\n"));
    EXPECT_EQ(QImage(path).size(), QSize(1000, 700));
}

TEST_F(ScreenshotTest, ABatchWindowMakesNoOpenGLContextUntilAScreenshotShowsIt)
{
    VxPluginLoader loader;
    VxHostGui gui(loader);
    auto* viewport = qobject_cast<VxViewport*>(gui.centralView());
    ASSERT_NE(viewport, nullptr);
    gui.showUnseen();
    QCoreApplication::processEvents();
    EXPECT_TRUE(viewport->isVisible());
    EXPECT_EQ(viewport->context(), nullptr);
    EXPECT_TRUE(viewport->getErrorString().isEmpty()) << qPrintable(viewport->getErrorString());

    // The screenshot includes the view: its top rows in the background's top colour.
    const QString path = tempPath(QStringLiteral("batch.png"));
    QString error;
    ASSERT_TRUE(gui.saveScreenshot(path, QSize(1000, 700), &error)) << qPrintable(error);
    EXPECT_NE(viewport->context(), nullptr);
    EXPECT_GT(viewport->getFrameCount(), 0);
    const QImage shot(path);
    const QPoint top = viewport->mapTo(gui.window(), QPoint(viewport->width() / 2, 2));
    EXPECT_TRUE(sameColour(shot.pixel(top), VxViewportRenderer::backgroundTop().rgb())) << std::hex << shot.pixel(top);
}
