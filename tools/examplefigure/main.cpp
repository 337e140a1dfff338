// vxexamplefigure: builds the example humanoid as a rigged figure through the Figure Setup
// plug-in's classes and writes it as binary glTF, for any glTF viewer to open.
//   vxexamplefigure [--parametric] [--pose] [--examples DIR] OUT.glb
#include "vxexamplefigure.h"

#include "vxapp.h"
#include "vxfigure.h"
#include "vxgltfexporter.h"
#include "vxscene.h"
#include "vxskeleton.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>

#include <cstdio>

namespace {
void printError(const QString& line)
{
    std::fprintf(stderr, "vxexamplefigure: %s\n", line.toUtf8().constData());
}
} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Builds the example humanoid as a rigged figure and writes it as binary glTF (.glb). The single-skin "
        "figure gets rigid weights from its face groups."));
    parser.addHelpOption();
    const QCommandLineOption parametric(QStringLiteral("parametric"),
                                        QStringLiteral("Build the parametric figure of figure.phi instead of the "
                                                       "single-skin figure of figure.vxt."));
    const QCommandLineOption posed(QStringLiteral("pose"),
                                   QStringLiteral("Bend the arms, a knee and the neck, so that viewers show the rig at work."));
    const QCommandLineOption examples(QStringLiteral("examples"), QStringLiteral("The examples folder."),
                                      QStringLiteral("DIR"), QStringLiteral(VX_SOURCE_DIR "/examples"));
    parser.addOptions({parametric, posed, examples});
    parser.addPositionalArgument(QStringLiteral("OUT.glb"), QStringLiteral("The file to write."));
    parser.process(application);
    if (parser.positionalArguments().size() != 1) {
        printError(QStringLiteral("give one output file (see --help)."));
        return 2;
    }

    // The application's settings and log go to a folder of their own, not the user's.
    QTemporaryDir dataDir;
    VxAppPaths paths = VxAppPaths::defaults();
    paths.dataPath = dataDir.path();
    VxApp app(paths);
    VxScene scene;
    QString error;
    VxSkeleton* figure = VxExampleFigure::build(
        parser.isSet(parametric) ? VxExampleFigure::Parametric : VxExampleFigure::SingleSkin,
        parser.value(examples), &error);
    if (!figure) {
        printError(error);
        return 1;
    }
    VxExampleFigure::weightByFaceGroups(qobject_cast<VxFigure*>(figure));
    if (parser.isSet(posed))
        VxExampleFigure::pose(figure);
    VxGltfExporter exporter;
    const bool written = exporter.exportFigure(*figure, parser.positionalArguments().first());
    for (const QString& warning : exporter.warnings())
        printError(QStringLiteral("warning: ") + warning);
    if (!written) {
        printError(exporter.error());
        return 1;
    }
    return 0;
}
