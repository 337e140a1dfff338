// vxhost run as a user runs it: batch options, plug-in refusals, scripts.
#include "vxhostprocess.h"

#include "vxapptest.h"
#include "vxmeshinfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kBinDir = QStringLiteral(VX_BIN_DIR);

QString testPlugin(const QString& name)
{
    return kBinDir + "/testplugins/lib" + name + ".so";
}

// The fixture's temporary folder holds the runs' files; each run keeps its settings and
// log in the folder "host" there.
class VxHostProcessTest : public VxAppTest
{
protected:
    VxHostRun run(QStringList arguments, const QString& executable = QString())
    {
        arguments << "--data-dir" << path("host");
        return runVxHost(arguments, executable);
    }

    QString path(const QString& relative) const { return tempPath(relative); }
    QString write(const QString& relative, const QByteArray& content) const { return writeFile(relative, content); }

    QString hostLog() const
    {
        QFile log(path("host/vxhost.log"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }
};

} // namespace

// The real plug-in comes first, with its classes; a compatible one the user names (an
// older minor SDK) follows it.
TEST_F(VxHostProcessTest, PluginsListsThePluginFolderFirstThenTheCompatibleOnesNamed)
{
    const VxHostRun result = run({"--plugin", testPlugin("vxtest_oldersdk"), "--plugins"});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    const QString& out = result.out;
    EXPECT_TRUE(out.startsWith("Figure Setup Pane 1.15.0.15\n")) << qPrintable(out);
    EXPECT_TRUE(out.contains("  Author:        Vexel Software\n")) << qPrintable(out);
    EXPECT_TRUE(
        out.contains("  File:          " + QFileInfo(kBinDir + "/plugins/libVxFigureSetup.so").canonicalFilePath()));
    EXPECT_TRUE(out.contains("  Built for SDK: 4.22.0.7\n"));
    // The read-me link points below the default documentation folder, where the build put it.
    const QString readme = kBinDir + "/docs/Plugins/FigureSetup/FigureSetupREADME.htm";
    EXPECT_TRUE(out.contains(QStringLiteral("Product ReadMe (%1)").arg(readme))) << qPrintable(out);
    EXPECT_TRUE(QFileInfo::exists(readme));
    EXPECT_TRUE(out.contains("The Figure Setup plug-in. This plug-in provides"));
    // Classes in the table's order, GUIDs in upper case; the listing of the next plug-in follows.
    EXPECT_TRUE(out.contains("  Classes (12):\n"
                             "    VxFigureSetupPane             E7E24D58-D0B4-4899-BB3E-1327F258E63F\n"
                             "    VxFigureSetupPaneAction       05CE2058-643B-46F3-9187-A70BDB05A3B8\n"))
        << qPrintable(out);
    EXPECT_TRUE(out.contains("    VxMeshSmoothMorphBakerAction  B2531B2C-916C-4EBA-83E5-B6464F538B76\n"
                             "\nOlder SDK 0.1.0.0\n"));
    EXPECT_TRUE(out.contains("  Built for SDK: 4.20.0.1\n"));
    EXPECT_TRUE(out.endsWith("    VxTestGreeter  0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9\n"));
}

TEST_F(VxHostProcessTest, LibrariesThatAreNotPluginsOfThisHostAreRefusedByName)
{
    const QPair<QString, QString> cases[] = {
        {testPlugin("vxtest_notaplugin"), "it exports neither getSDKVersion nor getPluginDefinition"},
        {testPlugin("vxtest_newersdk"), "built against SDK 5.0.0.1, but this host provides SDK 4.22.0.7"},
        {testPlugin("vxtest_nodefinition"), "getPluginDefinition returned no definition"},
        {path("missing.so"), "no such file or folder"},
        {write("garbage.so", "not a shared object"), QString()},
    };
    for (const auto& [file, reason] : cases) {
        SCOPED_TRACE(file.toStdString());
        const VxHostRun result = run({"--plugin", file, "--plugins"});
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 1);
        const QString line = QStringLiteral("Cannot load plug-in %1: %2").arg(file, reason);
        EXPECT_TRUE(result.err.contains(line)) << qPrintable(result.err);
        EXPECT_TRUE(hostLog().contains(line)) << qPrintable(hostLog());
        // A plug-in the user asked for and did not get ends the run before any output.
        EXPECT_TRUE(result.out.isEmpty()) << qPrintable(result.out);
    }
}

TEST_F(VxHostProcessTest, ARefusedLibraryInThePluginFolderDoesNotStopTheOthers)
{
    // A copy of the host with a plug-in folder of its own: the real plug-in and a library
    // that is not a plug-in. (The build gives both absolute library search paths.)
    const QString host = path("app/vxhost");
    QDir().mkpath(path("app/plugins"));
    ASSERT_TRUE(QFile::copy(kBinDir + "/vxhost", host));
    ASSERT_TRUE(QFile::setPermissions(host, QFile::permissions(kBinDir + "/vxhost")));
    ASSERT_TRUE(QFile::copy(kBinDir + "/plugins/libVxFigureSetup.so", path("app/plugins/libVxFigureSetup.so")));
    const QString notAPlugin = path("app/plugins/libaaa_notaplugin.so");
    ASSERT_TRUE(QFile::copy(testPlugin("vxtest_notaplugin"), notAPlugin));

    const VxHostRun result = run({"--plugins"}, host);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_TRUE(result.err.contains(QStringLiteral("Cannot load plug-in %1: it exports neither").arg(notAPlugin)))
        << qPrintable(result.err);
    EXPECT_TRUE(result.out.startsWith("Figure Setup Pane 1.15.0.15\n")) << qPrintable(result.out);
    // The description follows the copy's own documentation folder.
    const QString docs = QFileInfo(path("app")).canonicalFilePath() + "/docs/Plugins/FigureSetup/FigureSetupREADME.htm";
    EXPECT_TRUE(result.out.contains("Product ReadMe (" + docs + ")")) << qPrintable(result.out);
}

// The summary's format is checked on VxMeshInfo itself; here the option prints exactly it,
// finds files through a runtime folder, and refuses what the importer cannot read.
TEST_F(VxHostProcessTest, MeshInfoPrintsTheSummaryOrTheImportersReason)
{
    const QString example = "Runtime/Geometries/Figure/figure.obj";
    const VxHostRun found = run({"--runtime", VX_SOURCE_DIR "/examples", "--mesh-info", example});
    ASSERT_TRUE(found.finished);
    ASSERT_EQ(found.exitCode, 0) << qPrintable(found.err);
    QByteArray expected;
    QString error;
    ASSERT_TRUE(VxMeshInfo::describeFile(vxSourcePath("examples/" + example), &expected, &error));
    EXPECT_EQ(found.out, QString::fromUtf8(expected));
    EXPECT_TRUE(found.out.startsWith("{\n  \"vertexCount\": 3314,\n")) << qPrintable(found.out);

    const QString broken = write("broken.obj", "v 0 0 0\nv 1 0 0\nf 1 2 7\nthis is not OBJ\n");
    for (const QString& file : {example, broken, path("missing.obj")}) {
        SCOPED_TRACE(file.toStdString());
        const VxHostRun result = run({"--mesh-info", file});
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.out.isEmpty()) << qPrintable(result.out);
        // The importer's reason names the file, on stderr and in the log.
        EXPECT_TRUE(result.err.contains(file)) << qPrintable(result.err);
        EXPECT_TRUE(hostLog().contains(file));
    }
}

TEST_F(VxHostProcessTest, ScriptsSeeTheRegisteredClassesAndTheHost)
{
    const QString script = write("ok.js", R"(
var names = vxApp.getClassNames();
print("registered", names.indexOf("VxMeshSmoothResetBaseAction") >= 0, names.indexOf("VxMeshSmoothMorphBakerAction") >= 0);
var action = new VxMeshSmoothResetBaseAction();
print(action.text, action.objectName, action.HighPriority == VxMeshSmoothResetBaseAction.HighPriority);
vxApp.log("from the script");
// Nobody can answer the message box in a batch run: the host writes it out and answers it.
action.trigger();
print("done");
)");
    const VxHostRun result = run({"--script", script});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_EQ(result.out, "registered true true\nReset Smoothing Base MeshSmoothResetBaseAction true\ndone\n");
    EXPECT_TRUE(
        result.err.contains("Message box \"Nothing to Reset\": The selection has no mesh-smoothing modifier, so "
                            "there is no smoothing base to reset. [answered: OK]"))
        << qPrintable(result.err);
    EXPECT_TRUE(hostLog().contains("from the script"));
    EXPECT_TRUE(hostLog().contains("Reset Smoothing Base: the selection has no mesh-smoothing modifier"));
}

// A failing script fails the run with its file and line, and writes no scene.
TEST_F(VxHostProcessTest, ScriptErrorsNameTheFileAndLineAndFailTheRun)
{
    const QPair<QByteArray, QString> cases[] = {
        {"print('before');\nvar x = 1;\nnoSuchFunction(x);\nprint('after');\n", "bad.js:3: ReferenceError"},
        {"var ok = 1;\nvar = ;\n", "bad.js:2: syntax error"},
        {"throw new Error('stop here');\n", "bad.js:1: Error: stop here"},
    };
    const QString scene = path("failed.json");
    for (const auto& [program, expected] : cases) {
        SCOPED_TRACE(program.toStdString());
        const VxHostRun result = run({"--script", write("bad.js", program), "--save-scene", scene});
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains(expected)) << qPrintable(result.err);
        EXPECT_FALSE(result.out.contains("after"));
        EXPECT_FALSE(QFile::exists(scene));
    }
    const VxHostRun missing = run({"--script", path("none.js")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("none.js: cannot read the script"));
}

TEST_F(VxHostProcessTest, BadCommandLinesExitWithStatusTwo)
{
    const QStringList cases[] = {
        {"--no-such-option"},
        {"--plugins", "--script", "x.js"},
        {"--plugins", "--save-scene", "scene.json"},
        {"--mesh-info"},
        {"stray"},
        {"--runtime", path("no/such/folder"), "--plugins"},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const VxHostRun result = run(arguments);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.err.contains("vxhost: ")) << qPrintable(result.err);
        EXPECT_TRUE(result.out.isEmpty());
    }
}

TEST_F(VxHostProcessTest, WithoutADisplayTheWindowIsRefusedAtOnceWithTheWayOut)
{
    const VxHostRun window = run({});
    ASSERT_TRUE(window.finished);
    EXPECT_EQ(window.exitCode, 1);
    EXPECT_TRUE(window.err.contains("there is no display")) << qPrintable(window.err);
    EXPECT_TRUE(window.err.contains("xvfb-run")) << qPrintable(window.err);
    EXPECT_TRUE(window.err.contains("--script FILE, --save-scene FILE")) << qPrintable(window.err);

    const QString shot = path("shot.png");
    const VxHostRun screenshot = run({"--screenshot", shot});
    EXPECT_EQ(screenshot.exitCode, 1);
    EXPECT_TRUE(screenshot.err.contains("there is no display for --screenshot")) << qPrintable(screenshot.err);
    EXPECT_TRUE(screenshot.err.contains("xvfb-run -a -s \"-screen 0 1600x1000x24\""));
    EXPECT_FALSE(QFile::exists(shot));
}

// A script works in the same window a user sees: its panes are there, a plug-in's pane
// among them (docked, shown though not on screen), and the scene it builds is what
// --save-scene writes; an unwritable place for the scene is refused with its reason.
TEST_F(VxHostProcessTest, ScriptsRunInTheWindowWithThePluginsPanesAndSaveTheScene)
{
    const QString script = write("scene.js", QStringLiteral(R"(
var mesh = vxScene.importMesh("%1");
vxScene.selectNode(mesh);
print(vxScene.getNodeNames(), vxScene.getPrimarySelection().objectName);
var pane = vxApp.findPane("VxTestPluginPane");
print(vxApp.getPaneNames(), pane.windowTitle, pane.visible, vxApp.findPane("Scene").windowTitle);
)")
                                                 .arg(vxSourcePath("examples/Runtime/Geometries/Figure/figure.obj"))
                                                 .toUtf8());
    const QString scene = path("out/scene.json");
    QDir().mkpath(path("out"));
    const VxHostRun result
        = run({"--plugin", testPlugin("vxtest_paneplugin"), "--script", script, "--save-scene", scene});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_EQ(result.out, "figure figure\n"
                          "VxSceneOutlinerPane,VxPosePane,VxFigureSetupPane,VxTestPluginPane Test Setup true Scene\n");
    QFile file(scene);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(json.value("format").toString(), "vxscene");
    EXPECT_EQ(json.value("primarySelection").toString(), "figure");
    ASSERT_EQ(json.value("nodes").toArray().size(), 1);
    EXPECT_EQ(json.value("nodes").toArray().at(0).toObject().value("type").toString(), "VxNode");

    const QString unwritable = path("no/such/folder/scene.json");
    const VxHostRun refused = run({"--save-scene", unwritable});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(unwritable)) << qPrintable(refused.err);
}

// The README's first command: the example script rigs the example figure without a display.
TEST_F(VxHostProcessTest, TheExampleScriptRigsTheExampleFigureInABatchRun)
{
    const QString scene = path("figure.json");
    const VxHostRun result = runVxHost({"--data-dir", path("host"), "--script", "examples/rig-figure.js", "--save-scene", scene},
                                       QString(), vxSourcePath(QString()));
    ASSERT_TRUE(result.finished);
    ASSERT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_EQ(result.out, "Created figure.obj with 19 bones from figure.obj\n");
    // Without a display the window is built unseen, and its 3D view makes no OpenGL context
    // to fail at: stderr has only the real messages.
    EXPECT_FALSE(result.err.contains("context")) << qPrintable(result.err);
    QFile file(scene);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray nodes = QJsonDocument::fromJson(file.readAll()).object().value("nodes").toArray();
    ASSERT_EQ(nodes.size(), 1);
    const QJsonObject figure = nodes.at(0).toObject();
    EXPECT_EQ(figure.value("type").toString(), "VxLegacyFigure");

    // The bone tree of examples/figure.phi as an outline, and one joint per bone with its
    // generated parameters, a curve where the file asks for one.
    QStringList outline;
    std::function<void(const QJsonArray&, const QString&)> walk = [&](const QJsonArray& bones, const QString& indent) {
        for (const QJsonValue& bone : bones) {
            outline.append(indent + bone.toObject().value("name").toString());
            walk(bone.toObject().value("children").toArray(), indent + ' ');
        }
    };
    walk(figure.value("children").toArray(), QString());
    EXPECT_EQ(outline, (QStringList{"hip", " abdomen", "  chest", "   neck", "    head", "   lCollar", "    lShldr",
                                    "     lForeArm", "      lHand", "   rCollar", "    rShldr", "     rForeArm",
                                    "      rHand", " lThigh", "  lShin", "   lFoot", " rThigh", "  rShin", "   rFoot"}));
    QStringList joints;
    for (const QJsonValue& value : figure["object"]["modifiers"][0]["joints"].toArray()) {
        QStringList classes;
        for (const QJsonValue& param : value["params"].toArray())
            classes.append(param["class"].toString());
        joints.append(value["bone"].toString() + (classes.contains("VxLegacyCurve") ? "~" : "")
                      + (classes.contains("VxLegacyTwistParam") && classes.contains("VxLegacyBendParam") ? "" : "!"));
    }
    EXPECT_EQ(joints.join(' '), "hip abdomen~ chest~ neck head lCollar lShldr lForeArm lHand rCollar rShldr rForeArm "
                                "rHand lThigh lShin lFoot rThigh rShin rFoot");
    EXPECT_EQ(figure["dataItems"][1]["chains"].toArray().size(), 4);
}
