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

// A batch run's window is shown unseen and its 3D view makes no OpenGL context; the
// screenshot shows the window for real: the selected mesh highlighted in the outliner, the
// view drawn (its top rows in the background's top colour).
TEST_F(ScreenshotTest, TheScreenshotShowsTheWindowWithTheViewAndTheSelectedMeshInTheOutliner)
{
    VxPluginLoader loader;
    VxHostGui gui(loader);
    QString error;
    VxNode* mesh = VxSceneEdits::importMesh(vxSourcePath("examples/Runtime/Geometries/Figure/figure.obj"), &error);
    ASSERT_NE(mesh, nullptr) << qPrintable(error);
    mesh->select(true);
    auto* viewport = qobject_cast<VxViewport*>(gui.centralView());
    ASSERT_NE(viewport, nullptr);
    gui.showUnseen();
    QCoreApplication::processEvents();
    EXPECT_TRUE(viewport->isVisible());
    EXPECT_EQ(viewport->context(), nullptr);
    EXPECT_TRUE(viewport->getErrorString().isEmpty()) << qPrintable(viewport->getErrorString());

    const QString path = tempPath("shot.png");
    ASSERT_TRUE(gui.saveScreenshot(path, QSize(1200, 800), &error)) << qPrintable(error);
    EXPECT_NE(viewport->context(), nullptr);
    EXPECT_GT(viewport->getFrameCount(), 0);
    const QImage shot(path);
    ASSERT_EQ(shot.size(), QSize(1200, 800));
    const QPoint top = viewport->mapTo(gui.window(), QPoint(viewport->width() / 2, 2));
    EXPECT_TRUE(sameColour(shot.pixel(top), VxViewportRenderer::backgroundTop().rgb())) << std::hex << shot.pixel(top);

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
    const QString path = tempPath("window.png");
    QProcess vxhost;
    vxhost.setWorkingDirectory(vxSourcePath(QString()));
    vxhost.start(VX_BIN_DIR "/vxhost", {"--data-dir", tempPath("host"), "--script", "examples/import-figure-mesh.js",
                                        "--screenshot", path, "--size", "1000x700"});
    ASSERT_TRUE(vxhost.waitForFinished(60000));
    EXPECT_EQ(vxhost.exitCode(), 0) << vxhost.readAllStandardError().constData();
    EXPECT_EQ(vxhost.readAllStandardOutput(), QByteArray("Imported figure - selected: figure\n"));
    EXPECT_EQ(QImage(path).size(), QSize(1000, 700));
}
