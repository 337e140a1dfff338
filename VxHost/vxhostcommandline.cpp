#include "vxhostcommandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {
const QString kPlugins = QStringLiteral("plugins");
const QString kMeshInfo = QStringLiteral("mesh-info");
const QString kScript = QStringLiteral("script");
const QString kSaveScene = QStringLiteral("save-scene");
const QString kExportGltf = QStringLiteral("export-gltf");
const QString kPlugin = QStringLiteral("plugin");
const QString kRuntime = QStringLiteral("runtime");
const QString kDataDir = QStringLiteral("data-dir");
const QString kScreenshot = QStringLiteral("screenshot");
const QString kSize = QStringLiteral("size");
constexpr int kMaxWindowExtent = 16384;

// "1600x1000" -> QSize(1600, 1000); invalid for anything else.
QSize parseSize(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return QSize();
    bool okWidth = false;
    bool okHeight = false;
    const int width = parts[0].toInt(&okWidth);
    const int height = parts[1].toInt(&okHeight);
    if (!okWidth || !okHeight || width < 1 || height < 1 || width > kMaxWindowExtent || height > kMaxWindowExtent)
        return QSize();
    return QSize(width, height);
}
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
} // namespace

bool VxHostCommandLine::parse(const QStringList& arguments)
{
    *this = VxHostCommandLine();
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {kPlugins, QString()},
        {kMeshInfo, QString(), QStringLiteral("FILE")},
        {kScript, QString(), QStringLiteral("FILE")},
        {kSaveScene, QString(), QStringLiteral("FILE")},
        {kExportGltf, QString(), QStringLiteral("FILE")},
        {kPlugin, QString(), QStringLiteral("PATH")},
        {kRuntime, QString(), QStringLiteral("DIR")},
        {kDataDir, QString(), QStringLiteral("DIR")},
        {kScreenshot, QString(), QStringLiteral("FILE")},
        {kSize, QString(), QStringLiteral("WxH")},
        {{QStringLiteral("h"), kHelp}, QString()},
        {{QStringLiteral("v"), kVersion}, QString()},
    });
    if (!parser.parse(arguments)) {
        m_error = parser.errorText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        m_error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
        return false;
    }

    m_plugins = parser.values(kPlugin);
    m_runtimes = parser.values(kRuntime);
    const QStringList dataDirs = parser.values(kDataDir);
    if (dataDirs.size() > 1) {
        m_error = QStringLiteral("--data-dir may be given only once.");
        return false;
    }
    m_dataDir = dataDirs.value(0);

    if (parser.isSet(kHelp)) {
        m_mode = ShowHelp;
        return true;
    }
    if (parser.isSet(kVersion)) {
        m_mode = ShowVersion;
        return true;
    }

    // The batch options each write their own output; mixing them would mix the outputs.
    QStringList batch;
    for (const QString& name : {kPlugins, kMeshInfo, kScript}) {
        if (parser.isSet(name))
            batch.append(QStringLiteral("--") + name);
    }
    if (batch.size() > 1 || parser.values(kMeshInfo).size() > 1 || parser.values(kScript).size() > 1) {
        m_error = QStringLiteral("Give one of --plugins, --mesh-info FILE and --script FILE at a time.");
        return false;
    }
    // The scene is written after a script, or as it is when there is none; the listing
    // options do not touch the scene.
    if (parser.isSet(kSaveScene)) {
        if (parser.values(kSaveScene).size() > 1) {
            m_error = QStringLiteral("--save-scene may be given only once.");
            return false;
        }
        if (parser.isSet(kPlugins) || parser.isSet(kMeshInfo)) {
            m_error = QStringLiteral("--save-scene goes with --script FILE or alone, not with --plugins or --mesh-info.");
            return false;
        }
        m_sceneFile = parser.value(kSaveScene);
        m_mode = SaveScene;
    }
    // The figure is exported after the scene file, from the scene the script left.
    if (parser.isSet(kExportGltf)) {
        if (parser.values(kExportGltf).size() > 1) {
            m_error = QStringLiteral("--export-gltf may be given only once.");
            return false;
        }
        if (parser.isSet(kPlugins) || parser.isSet(kMeshInfo)) {
            m_error = QStringLiteral("--export-gltf goes with --script FILE or alone, not with --plugins or --mesh-info.");
            return false;
        }
        m_gltfFile = parser.value(kExportGltf);
        m_mode = ExportGltf;
    }
    // The screenshot is taken last, after the script, the scene file and the export.
    if (parser.isSet(kScreenshot)) {
        if (parser.values(kScreenshot).size() > 1) {
            m_error = QStringLiteral("--screenshot may be given only once.");
            return false;
        }
        if (parser.isSet(kPlugins) || parser.isSet(kMeshInfo)) {
            m_error = QStringLiteral("--screenshot goes with --script FILE or alone, not with --plugins or --mesh-info.");
            return false;
        }
        m_screenshotFile = parser.value(kScreenshot);
        m_mode = Screenshot;
    }
    if (parser.isSet(kSize)) {
        if (!parser.isSet(kScreenshot)) {
            m_error = QStringLiteral("--size goes with --screenshot FILE.");
            return false;
        }
        m_windowSize = parseSize(parser.value(kSize));
        if (!m_windowSize.isValid()) {
            m_error = QStringLiteral("--size wants WIDTHxHEIGHT in pixels, such as 1600x1000, not '%1'.").arg(parser.value(kSize));
            return false;
        }
    }
    if (parser.isSet(kPlugins)) {
        m_mode = ListPlugins;
    } else if (parser.isSet(kMeshInfo)) {
        m_mode = MeshInfo;
        m_file = parser.value(kMeshInfo);
    } else if (parser.isSet(kScript)) {
        m_mode = RunScript;
        m_file = parser.value(kScript);
    }
    return true;
}

QString VxHostCommandLine::helpText()
{
    return QStringLiteral(
        "Usage: vxhost [OPTIONS]\n"
        "Without a batch option, vxhost opens its main window.\n"
        "\n"
        "Batch options (one at a time):\n"
        "  --plugins            List the loaded plug-ins with their classes.\n"
        "  --mesh-info FILE     Read a mesh (.obj, .obz) and print a JSON summary of it.\n"
        "  --script FILE        Run a QtScript file with every registered class available.\n"
        "  --save-scene FILE    Write the scene as JSON to FILE after --script has run (or,\n"
        "                       without --script, the scene as it is at start-up).\n"
        "  --export-gltf FILE   After --script (and --save-scene), write the selected figure,\n"
        "                       or the scene's only figure, as binary glTF 2.0 (.glb): the\n"
        "                       skin, its bones and weights.\n"
        "  --screenshot FILE    After the start-up work and any --script, write the main\n"
        "                       window as a PNG image to FILE. Needs a display with OpenGL:\n"
        "                       xvfb-run -a -s \"-screen 0 1600x1000x24\" vxhost ...\n"
        "  --size WxH           The window size for --screenshot, such as 1600x1000.\n"
        "\n"
        "Session options:\n"
        "  --plugin PATH        Also load this plug-in library, or every library in this\n"
        "                       folder. May be repeated.\n"
        "  --runtime DIR        Add a Poser runtime folder for this session. May be repeated.\n"
        "  --data-dir DIR       Keep the settings and the host log in DIR.\n"
        "  -h, --help           Show this text.\n"
        "  -v, --version        Show the host and SDK versions.\n"
        "\n"
        "--script, --save-scene, --export-gltf and --screenshot build the same main window, panes\n"
        "and actions as an interactive start, off screen (on screen only for the screenshot).\n"
        "Plug-ins are loaded from the folder 'plugins' next to the executable.\n"
        "Exit status: 0 on success, 1 when the requested work failed, 2 for a bad command line.\n");
}
