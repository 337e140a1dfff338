// vxhost: the host application. Loads the plug-ins, then either runs one batch option
// (--plugins, --mesh-info, --script, --save-scene, --export-gltf, --screenshot) or opens the
// main window.
#include "vxbatchdialoganswerer.h"
#include "vxhostcommandline.h"
#include "vxhostgui.h"
#include "vxmeshinfo.h"
#include "vxpluginlistwriter.h"
#include "vxpluginloader.h"
#include "vxscriptrunner.h"

#include "vxapp.h"
#include "vxcontentmgr.h"
#include "vxgltfexporter.h"
#include "vxprogress.h"
#include "vxscene.h"
#include "vxskeleton.h"
#include "vxstyle.h"
#include "vxversion.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <memory>

namespace {

enum ExitStatus { Success = 0, Failed = 1, BadCommandLine = 2 };

void writeOut(const QByteArray& text)
{
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

void writeError(const QString& line)
{
    std::fprintf(stderr, "vxhost: %s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

// A batch run needs no display: unless the user chose a platform, it uses the offscreen
// one. Showing the window (interactively, or for a screenshot) needs a real display, and
// says so at once instead of letting Qt abort.
bool choosePlatform(const VxHostCommandLine& commandLine)
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        // Qt's offscreen platform draws widgets but has no OpenGL: the scene view would be
        // missing from the picture.
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        if (!commandLine.screenshotFile().isEmpty() && (platform == "offscreen" || platform == "minimal")) {
            writeError(QStringLiteral("--screenshot needs a display with OpenGL, and QT_QPA_PLATFORM=%1 has none. "
                                      "Run it under a virtual display instead: xvfb-run -a -s \"-screen 0 "
                                      "1600x1000x24\" vxhost ... --screenshot FILE.")
                           .arg(QString::fromLatin1(platform)));
            return false;
        }
        return true;
    }
    if (!commandLine.needsDisplay()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    if (commandLine.mode() == VxHostCommandLine::Gui) {
        writeError(QStringLiteral(
            "there is no display to open the main window on (DISPLAY is not set). Run it under a virtual "
            "display with xvfb-run (xvfb-run -a vxhost), or use a batch option that needs no display: "
            "--script FILE, --save-scene FILE, --plugins, --mesh-info FILE (see --help)."));
    } else {
        writeError(QStringLiteral(
            "there is no display for --screenshot (DISPLAY is not set); it needs one with OpenGL. Run it "
            "under a virtual display: xvfb-run -a -s \"-screen 0 1600x1000x24\" vxhost ... --screenshot FILE. "
            "Without --screenshot, --script and --save-scene need no display."));
    }
    return false;
}

// Two notes Qt's offscreen platform writes on every batch run; they say nothing about the
// work and would bury its real messages. Everything else goes to Qt's default handler.
QtMessageHandler g_defaultHandler = nullptr;

void batchMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))
        || message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    g_defaultHandler(type, context, message);
}

int listPlugins(const VxPluginLoader& loader)
{
    writeOut(VxPluginListWriter::write(loader.getPlugins(), VxPluginLoader::defaultPluginFolder()).toUtf8());
    return Success;
}

// A relative path that does not exist here may name a file in a runtime folder.
QString resolveMeshPath(const QString& path)
{
    if (QFileInfo::exists(path) || QDir::isAbsolutePath(path))
        return path;
    const QString found = vxApp->getContentMgr()->findFile(
        path, VxContentMgr::PoserDirectories | VxContentMgr::PoserGeometryFolders);
    return found.isEmpty() ? path : found;
}

int printMeshInfo(const QString& path)
{
    // The importer writes its reason to the host log, which echoes it to stderr; it is
    // only written here when it did not reach the log.
    QStringList logged;
    const QMetaObject::Connection watch = QObject::connect(
        vxApp, &VxApp::messageLogged, [&logged](const QString& line) { logged.append(line); });
    QByteArray json;
    QString error;
    const bool ok = VxMeshInfo::describeFile(resolveMeshPath(path), &json, &error);
    QObject::disconnect(watch);
    if (!ok) {
        if (!logged.contains(error))
            writeError(error.isEmpty() ? QStringLiteral("%1: the mesh could not be read").arg(path) : error);
        return Failed;
    }
    writeOut(json);
    return Success;
}

int runScript(const QString& path)
{
    VxBatchDialogAnswerer answerer;
    VxScriptRunner runner;
    QString error;
    if (!runner.runFile(path, &error)) {
        writeError(error);
        return Failed;
    }
    return Success;
}

// Written only after a successful script: a failed one leaves no file behind.
int saveScene(const QString& path)
{
    QString error;
    if (!vxScene->saveJson(path, &error)) {
        writeError(error);
        return Failed;
    }
    return Success;
}

// The selected figure, or the scene's only one, as binary glTF; nothing is written when it
// is refused. What the export worked around goes to the log (and so to stderr).
int exportGltf(const QString& path)
{
    QString error;
    const VxSkeleton* figure = VxGltfExporter::findFigure(vxScene, &error);
    if (!figure) {
        writeError(QStringLiteral("--export-gltf %1: %2").arg(path, error));
        return Failed;
    }
    VxGltfExporter exporter;
    const bool written = exporter.exportFigure(*figure, path);
    for (const QString& warning : exporter.warnings())
        vxApp->log(QStringLiteral("glTF export: %1").arg(warning));
    if (!written) {
        writeError(exporter.error());
        return Failed;
    }
    return Success;
}

// The batch runs that work on the scene, in the same window as a user's: the script, then
// the scene file, then the glTF file, then the screenshot; the first failure ends the run.
int runBatch(const VxHostCommandLine& commandLine, const VxPluginLoader& loader)
{
    VxProgress::setConsoleOutput(true);
    VxHostGui gui(loader);
    gui.showUnseen();
    if (commandLine.mode() == VxHostCommandLine::RunScript) {
        const int status = runScript(commandLine.file());
        if (status != Success)
            return status;
    }
    if (!commandLine.sceneFile().isEmpty()) {
        const int status = saveScene(commandLine.sceneFile());
        if (status != Success)
            return status;
    }
    if (!commandLine.gltfFile().isEmpty()) {
        const int status = exportGltf(commandLine.gltfFile());
        if (status != Success)
            return status;
    }
    if (!commandLine.screenshotFile().isEmpty()) {
        QString error;
        if (!gui.saveScreenshot(commandLine.screenshotFile(), commandLine.windowSize(), &error)) {
            writeError(error);
            return Failed;
        }
    }
    return Success;
}

int run(const VxHostCommandLine& commandLine)
{
    VxAppPaths paths = VxAppPaths::defaults();
    if (!commandLine.dataDirectory().isEmpty())
        paths.dataPath = QDir(commandLine.dataDirectory()).absolutePath();
    VxApp app(paths);
    VxScene scene;

    for (const QString& runtime : commandLine.runtimeDirectories()) {
        if (!app.getContentMgr()->addPoserDirectory(runtime)) {
            writeError(QStringLiteral("--runtime %1: no such folder").arg(runtime));
            return BadCommandLine;
        }
    }

    VxPluginLoader loader;
    loader.loadFolder(VxPluginLoader::defaultPluginFolder());
    bool requestedLoaded = true;
    for (const QString& plugin : commandLine.extraPlugins())
        requestedLoaded = loader.load(plugin) && requestedLoaded;
    // The loader has said why; a plug-in the user named and did not get ends the run.
    if (!requestedLoaded)
        return Failed;

    switch (commandLine.mode()) {
    case VxHostCommandLine::ListPlugins:
        return listPlugins(loader);
    case VxHostCommandLine::MeshInfo:
        return printMeshInfo(commandLine.file());
    case VxHostCommandLine::Gui: {
        VxHostGui gui(loader);
        return gui.exec();
    }
    default:
        break;
    }
    return runBatch(commandLine, loader);
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    VxHostCommandLine commandLine;
    const bool parsed = commandLine.parse(arguments);
    if (!parsed) {
        writeError(commandLine.errorText());
        std::fprintf(stderr, "Try 'vxhost --help'.\n");
        return BadCommandLine;
    }
    if (commandLine.mode() == VxHostCommandLine::ShowHelp) {
        writeOut(VxHostCommandLine::helpText().toUtf8());
        return Success;
    }
    if (commandLine.mode() == VxHostCommandLine::ShowVersion) {
        writeOut(QStringLiteral("vxhost %1 (SDK %2)\n")
                     .arg(QStringLiteral(VX_HOST_VERSION), VxVersion::sdkVersion().toString())
                     .toUtf8());
        return Success;
    }
    if (!choosePlatform(commandLine))
        return Failed;
    if (commandLine.isBatch())
        g_defaultHandler = qInstallMessageHandler(&batchMessageHandler);

    // vxhost parses its own command line; Qt would read "--plugin PATH" as its own option
    // (a generic input plug-in) and complain that there is none.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QApplication::setStyle(new VxStyle);
    QApplication::setOrganizationName(QStringLiteral("Vexel"));
    QApplication::setApplicationName(QStringLiteral("vxhost"));
    return run(commandLine);
}
