// The export as a user reaches it: File > Export glTF... in the window, and vxhost's
// --export-gltf option.
#include "exporttest.h"

#include "vxhostgui.h"
#include "vxpluginloader.h"

#include "vxmainwindow.h"
#include "vxbone.h"
#include "vxmessageboxanswerer.h"
#include "vxskeleton.h"

#include <QAction>
#include <QFileInfo>
#include <QJsonArray>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>

#include <utility>

namespace {
QAction* fileMenuEntry(const VxHostGui& gui, const QString& text)
{
    for (QAction* menu : gui.window()->menuBar()->actions()) {
        if (menu->text().remove(QLatin1Char('&')) != QLatin1String("File"))
            continue;
        for (QAction* entry : menu->menu()->actions()) {
            if (entry->text().remove(QLatin1Char('&')) == text)
                return entry;
        }
    }
    return nullptr;
}
} // namespace

TEST_F(ExportTest, FileExportGltfWritesTheSelectedFigureOrSaysWhyNot)
{
    VxPluginLoader loader;
    VxHostGui gui(loader);
    QAction* entry = fileMenuEntry(gui, QStringLiteral("Export glTF..."));
    ASSERT_NE(entry, nullptr);
    {
        VxMessageBoxAnswerer answerer;
        entry->trigger();
        ASSERT_EQ(answerer.count(), 1);
        EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Export glTF"));
        EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("The scene holds no figure to export."));
    }

    // Of two figures, the one whose bone is selected.
    VxSkeleton* figure = exampleFigure(VxExampleFigure::Parametric);
    ASSERT_NE(figure, nullptr);
    VxSkeleton* other = exampleFigure(VxExampleFigure::SingleSkin);
    {
        VxMessageBoxAnswerer answerer;
        entry->trigger();
        ASSERT_EQ(answerer.count(), 1);
        EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("The scene holds 2 figures: select the one to export (the "
                                                          "figure or one of its bones)."));
    }
    vxScene->selectNode(other, true);
    vxScene->selectNode(figure->getAllBones().last(), true);
    // A name without the extension ".glb" gets it.
    VxMainWindow::queueFileDialogAnswer(tempPath(QStringLiteral("from-menu.gltf")));
    entry->trigger();
    const QString path = tempPath(QStringLiteral("from-menu.gltf.glb"));
    const GlbFile glb = readGlb(path);
    ASSERT_TRUE(glb.valid);
    EXPECT_EQ(glb.json[QStringLiteral("skins")][0][QStringLiteral("joints")].toArray().size(), 19);
    EXPECT_EQ(gui.window()->statusBar()->currentMessage(),
              QStringLiteral("Exported figure \"figure.obj\" to %1").arg(path));

    VxMessageBoxAnswerer answerer;
    VxMainWindow::queueFileDialogAnswer(tempPath(QStringLiteral("missing/figure.glb")));
    entry->trigger();
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Export glTF"));
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("Cannot write the glTF file %1: No such file or directory")
                                           .arg(tempPath(QStringLiteral("missing/figure.glb"))));
}

// The example batch job with --export-gltf gives a rigged figure in one command; without
// a figure the run fails with the reason and writes nothing.
TEST_F(ExportTest, VxhostExportsTheFigureTheExampleScriptRigs)
{
    const auto run = [this](const QStringList& arguments) {
        QProcess host;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        host.setProcessEnvironment(environment);
        host.setWorkingDirectory(vxSourcePath(QString()));
        host.start(QStringLiteral(VX_BIN_DIR "/vxhost"),
                   QStringList{QStringLiteral("--data-dir"), tempPath(QStringLiteral("host"))} + arguments);
        EXPECT_TRUE(host.waitForFinished(120000));
        return std::make_pair(host.exitCode(), QString::fromUtf8(host.readAllStandardError()));
    };
    const QString empty = tempPath(QStringLiteral("empty.glb"));
    const auto refused = run({QStringLiteral("--export-gltf"), empty});
    EXPECT_EQ(refused.first, 1);
    EXPECT_TRUE(refused.second.contains(
        QStringLiteral("vxhost: --export-gltf %1: The scene holds no figure to export.\n").arg(empty)))
        << qPrintable(refused.second);
    EXPECT_FALSE(QFileInfo::exists(empty));

    const QString path = tempPath(QStringLiteral("figure.glb"));
    const auto rigged = run({QStringLiteral("--script"), QStringLiteral("examples/rig-figure.js"),
                             QStringLiteral("--export-gltf"), path});
    ASSERT_EQ(rigged.first, 0) << qPrintable(rigged.second);
    const GlbFile glb = readGlb(path);
    ASSERT_TRUE(glb.valid);
    EXPECT_EQ(glb.json[QStringLiteral("skins")][0][QStringLiteral("joints")].toArray().size(), 19);
    expectValid(path);
}
