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

// The one list of options: the parser reads the command line with it and the help text
// lists it, so the two cannot disagree.
QList<QCommandLineOption> batchOptions()
{
    return {
        {kPlugins, QStringLiteral("List the loaded plug-ins with their classes.")},
        {kMeshInfo, QStringLiteral("Read a mesh (.obj, .obz) and print a JSON summary of it."), QStringLiteral("FILE")},
        {kScript, QStringLiteral("Run a QtScript file with every registered class available."), QStringLiteral("FILE")},
        {kSaveScene,
         QStringLiteral("Write the scene as JSON to FILE after --script has run (or, without --script, the "
                        "scene as it is at start-up)."),
         QStringLiteral("FILE")},
        {kExportGltf,
         QStringLiteral("After --script (and --save-scene), write the selected figure, or the scene's only "
                        "figure, as binary glTF 2.0 (.glb): the skin, its bones and weights."),
         QStringLiteral("FILE")},
        {kScreenshot,
         QStringLiteral("After the start-up work and any --script, write the main window as a PNG image to FILE. "
                        "Needs a display with OpenGL:\nxvfb-run -a -s \"-screen 0 1600x1000x24\" vxhost ..."),
         QStringLiteral("FILE")},
        {kSize, QStringLiteral("The window size for --screenshot, such as 1600x1000."), QStringLiteral("WxH")},
    };
}

QList<QCommandLineOption> sessionOptions()
{
    return {
        {kPlugin, QStringLiteral("Also load this plug-in library, or every library in this folder. May be repeated."),
         QStringLiteral("PATH")},
        {kRuntime,
         QStringLiteral("Add a Poser content folder (one holding a Runtime folder) for this session. May be "
                        "repeated."),
         QStringLiteral("DIR")},
        {kDataDir, QStringLiteral("Keep the settings and the host log in DIR."), QStringLiteral("DIR")},
        {{QStringLiteral("h"), kHelp}, QStringLiteral("Show this text.")},
        {{QStringLiteral("v"), kVersion}, QStringLiteral("Show the host and SDK versions.")},
    };
}

// "  -h, --help           Show this text.", descriptions wrapped at 90 columns; a line
// break in a description starts a new line.
QString describe(const QList<QCommandLineOption>& options)
{
    constexpr int kIndent = 23;
    constexpr int kWidth = 90;
    QString text;
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        QString line = QStringLiteral("  ") + names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            line += QLatin1Char(' ') + option.valueName();
        line = line.leftJustified(kIndent - 1) + QLatin1Char(' ');
        for (const QString& paragraph : option.description().split(QLatin1Char('\n'))) {
            bool lineStart = true;
            for (const QString& word : paragraph.split(QLatin1Char(' '))) {
                if (!lineStart && line.size() + 1 + word.size() > kWidth) {
                    text += line + QLatin1Char('\n');
                    line = QString(kIndent, QLatin1Char(' '));
                    lineStart = true;
                }
                line += (lineStart ? QString() : QStringLiteral(" ")) + word;
                lineStart = false;
            }
            text += line + QLatin1Char('\n');
            line = QString(kIndent, QLatin1Char(' '));
        }
    }
    return text;
}
} // namespace

bool VxHostCommandLine::parse(const QStringList& arguments)
{
    *this = VxHostCommandLine();
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(batchOptions());
    parser.addOptions(sessionOptions());
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
    return QStringLiteral("Usage: vxhost [OPTIONS]\n"
                          "Without a batch option, vxhost opens its main window.\n\n"
                          "Batch options (one at a time):\n")
           + describe(batchOptions()) + QStringLiteral("\nSession options:\n") + describe(sessionOptions())
           + QStringLiteral("\n--script, --save-scene, --export-gltf and --screenshot build the same main window, panes\n"
                            "and actions as an interactive start, off screen (on screen only for the screenshot).\n"
                            "Plug-ins are loaded from the folder 'plugins' next to the executable.\n"
                            "Exit status: 0 on success, 1 when the requested work failed, 2 for a bad command line.\n");
}
