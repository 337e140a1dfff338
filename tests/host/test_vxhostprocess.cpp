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
    return kBinDir + QStringLiteral("/testplugins/lib") + name + QStringLiteral(".so");
}

// The fixture's temporary folder holds the runs' files; each run keeps its settings and
// log in the folder "host" there.
class VxHostProcessTest : public VxAppTest
{
protected:
    VxHostRun run(QStringList arguments, const QString& executable = QString())
    {
        arguments << QStringLiteral("--data-dir") << path(QStringLiteral("host"));
        return runVxHost(arguments, executable);
    }

    QString path(const QString& relative) const { return tempPath(relative); }
    QString write(const QString& relative, const QByteArray& content) const { return writeFile(relative, content); }

    QString hostLog() const
    {
        QFile log(path(QStringLiteral("host/vxhost.log")));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }
};

} // namespace

TEST_F(VxHostProcessTest, PluginsListsTheFigureSetupPluginWithItsClassesInOrder)
{
    const VxHostRun result = run({QStringLiteral("--plugins")});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    const QString& out = result.out;
    EXPECT_TRUE(out.startsWith(QStringLiteral("Figure Setup Pane 1.15.0.15\n"))) << qPrintable(out);
    EXPECT_TRUE(out.contains(QStringLiteral("  Author:        Vexel Software\n"))) << qPrintable(out);
    EXPECT_TRUE(out.contains(QStringLiteral("  File:          ") + QFileInfo(kBinDir + QStringLiteral("/plugins/libVxFigureSetup.so")).canonicalFilePath()));
    EXPECT_TRUE(out.contains(QStringLiteral("  Built for SDK: 4.22.0.7\n")));
    // The read-me link points below the default documentation folder, where the build put it.
    const QString readme = kBinDir + QStringLiteral("/docs/Plugins/FigureSetup/FigureSetupREADME.htm");
    EXPECT_TRUE(out.contains(QStringLiteral("Product ReadMe (%1)").arg(readme))) << qPrintable(out);
    EXPECT_TRUE(QFileInfo::exists(readme));
    EXPECT_TRUE(out.contains(QStringLiteral("The Figure Setup plug-in. This plug-in provides")));

    // Every class in the table's order, one line each.
    const QString classes = QStringLiteral(
        "  Classes (12):\n"
        "    VxFigureSetupPane             E7E24D58-D0B4-4899-BB3E-1327F258E63F\n"
        "    VxFigureSetupPaneAction       05CE2058-643B-46F3-9187-A70BDB05A3B8\n"
        "    VxFSCopyFromFigureAction      5E51A0EA-0D4B-4ECA-9F8C-876BA6C561C9\n"
        "    VxFSLoadPresetAction          35FBE0AA-334C-4E35-8D22-4D952EEAB4F5\n"
        "    VxFSSavePresetAction          46147D7E-3BAF-4446-9107-9743BA01C859\n"
        "    VxFSLoadPHIAction             F481D2F0-AFF8-4EDF-8AB0-3AAC279C4E50\n"
        "    VxFSCreateFigureAction        92658A3E-AD2C-4434-811D-0723709E7A12\n"
        "    VxFSClearHierarchyAction      AC18CFEB-4225-495B-B0F6-E07D7EE3BC64\n"
        "    VxFSRegionEditorAction        3F21248A-355E-4763-87F6-A7DA3AB909C6\n"
        "    VxUpdateGeometryAction        C9858769-B9B6-4124-9E63-61400E324CF4\n"
        "    VxMeshSmoothResetBaseAction   E9FB3C23-E363-4CB0-ABBD-FB538C1865C4\n"
        "    VxMeshSmoothMorphBakerAction  B2531B2C-916C-4EBA-83E5-B6464F538B76\n");
    EXPECT_TRUE(out.endsWith(classes)) << qPrintable(out);
}

TEST_F(VxHostProcessTest, LibrariesThatAreNotPluginsOfThisHostAreRefusedByName)
{
    struct Case
    {
        QString file;
        QString reason;
    };
    const Case cases[] = {
        {testPlugin(QStringLiteral("vxtest_notaplugin")),
         QStringLiteral("it exports neither getSDKVersion nor getPluginDefinition")},
        {testPlugin(QStringLiteral("vxtest_newersdk")),
         QStringLiteral("built against SDK 5.0.0.1, but this host provides SDK 4.22.0.7")},
        {testPlugin(QStringLiteral("vxtest_nodefinition")),
         QStringLiteral("getPluginDefinition returned no definition")},
        {path(QStringLiteral("missing.so")), QStringLiteral("no such file or folder")},
        {write(QStringLiteral("garbage.so"), "not a shared object"), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        ASSERT_FALSE(c.file.isEmpty());
        const VxHostRun result = run({QStringLiteral("--plugin"), c.file, QStringLiteral("--plugins")});
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 1);
        const QString line = QStringLiteral("Cannot load plug-in %1: %2").arg(c.file, c.reason);
        EXPECT_TRUE(result.err.contains(line)) << qPrintable(result.err);
        EXPECT_TRUE(hostLog().contains(line)) << qPrintable(hostLog());
        // A plug-in the user asked for and did not get ends the run before any output.
        EXPECT_TRUE(result.out.isEmpty()) << qPrintable(result.out);
    }
}

TEST_F(VxHostProcessTest, ACompatiblePluginIsListedAfterThoseOfThePluginFolder)
{
    const VxHostRun result = run({QStringLiteral("--plugin"), testPlugin(QStringLiteral("vxtest_oldersdk")),
                                  QStringLiteral("--plugins")});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    const int figureSetup = result.out.indexOf(QStringLiteral("Figure Setup Pane 1.15.0.15\n"));
    const int older = result.out.indexOf(QStringLiteral("\nOlder SDK 0.1.0.0\n"));
    EXPECT_GE(figureSetup, 0);
    EXPECT_GT(older, figureSetup) << qPrintable(result.out);
    EXPECT_TRUE(result.out.contains(QStringLiteral("  Built for SDK: 4.20.0.1\n")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("    VxTestGreeter  0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9\n")));
}

TEST_F(VxHostProcessTest, ARefusedLibraryInThePluginFolderDoesNotStopTheOthers)
{
    // A copy of the host with a plug-in folder of its own: the real plug-in and a library
    // that is not a plug-in. (The build gives both absolute library search paths.)
    const QString host = path(QStringLiteral("app/vxhost"));
    QDir().mkpath(path(QStringLiteral("app/plugins")));
    ASSERT_TRUE(QFile::copy(kBinDir + QStringLiteral("/vxhost"), host));
    ASSERT_TRUE(QFile::setPermissions(host, QFile::permissions(kBinDir + QStringLiteral("/vxhost"))));
    ASSERT_TRUE(QFile::copy(kBinDir + QStringLiteral("/plugins/libVxFigureSetup.so"),
                            path(QStringLiteral("app/plugins/libVxFigureSetup.so"))));
    const QString notAPlugin = path(QStringLiteral("app/plugins/libaaa_notaplugin.so"));
    ASSERT_TRUE(QFile::copy(testPlugin(QStringLiteral("vxtest_notaplugin")), notAPlugin));

    const VxHostRun result = run({QStringLiteral("--plugins")}, host);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_TRUE(result.err.contains(QStringLiteral("Cannot load plug-in %1: it exports neither").arg(notAPlugin)))
        << qPrintable(result.err);
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("Figure Setup Pane 1.15.0.15\n"))) << qPrintable(result.out);
    // The description follows the copy's own documentation folder.
    EXPECT_TRUE(result.out.contains(QStringLiteral("Product ReadMe (%1/docs/Plugins/FigureSetup/FigureSetupREADME.htm)")
                                        .arg(QFileInfo(path(QStringLiteral("app"))).canonicalFilePath())))
        << qPrintable(result.out);
}

// The summary's format is checked on VxMeshInfo itself; here the option prints exactly it,
// finds files through a runtime folder, and refuses what the importer cannot read.
TEST_F(VxHostProcessTest, MeshInfoPrintsTheSummaryOrTheImportersReason)
{
    const QString example = QStringLiteral("Runtime/Geometries/Figure/figure.obj");
    const VxHostRun found = run({QStringLiteral("--runtime"), QStringLiteral(VX_SOURCE_DIR "/examples"),
                                 QStringLiteral("--mesh-info"), example});
    ASSERT_TRUE(found.finished);
    ASSERT_EQ(found.exitCode, 0) << qPrintable(found.err);
    QByteArray expected;
    QString error;
    ASSERT_TRUE(VxMeshInfo::describeFile(vxSourcePath(QStringLiteral("examples/") + example), &expected, &error));
    EXPECT_EQ(found.out, QString::fromUtf8(expected));
    EXPECT_TRUE(found.out.startsWith(QStringLiteral("{\n  \"vertexCount\": 3314,\n"))) << qPrintable(found.out);

    const QString broken = write(QStringLiteral("broken.obj"), "v 0 0 0\nv 1 0 0\nf 1 2 7\nthis is not OBJ\n");
    for (const QString& file : {example, broken, path(QStringLiteral("missing.obj"))}) {
        SCOPED_TRACE(file.toStdString());
        const VxHostRun result = run({QStringLiteral("--mesh-info"), file});
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
    const QString script = write(QStringLiteral("ok.js"), R"(
var names = vxApp.getClassNames();
print("registered", names.indexOf("VxMeshSmoothResetBaseAction") >= 0, names.indexOf("VxMeshSmoothMorphBakerAction") >= 0);
var action = new VxMeshSmoothResetBaseAction();
print(action.text, action.objectName, action.HighPriority == VxMeshSmoothResetBaseAction.HighPriority);
vxApp.log("from the script");
// Nobody can answer the message box in a batch run: the host writes it out and answers it.
action.trigger();
print("done");
)");
    const VxHostRun result = run({QStringLiteral("--script"), script});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_EQ(result.out, QStringLiteral("registered true true\n"
                                         "Reset Smoothing Base MeshSmoothResetBaseAction true\n"
                                         "done\n"));
    EXPECT_TRUE(result.err.contains(QStringLiteral(
        "Message box \"Nothing to Reset\": The selection has no mesh-smoothing modifier, so there is no "
        "smoothing base to reset. [answered: OK]")))
        << qPrintable(result.err);
    EXPECT_TRUE(hostLog().contains(QStringLiteral("from the script")));
    EXPECT_TRUE(hostLog().contains(QStringLiteral("Reset Smoothing Base: the selection has no mesh-smoothing modifier")));
}

TEST_F(VxHostProcessTest, ScriptErrorsNameTheFileAndLineAndFailTheRun)
{
    struct Case
    {
        QByteArray program;
        QString expected;
    };
    const Case cases[] = {
        {"print('before');\nvar x = 1;\nnoSuchFunction(x);\nprint('after');\n", QStringLiteral("bad.js:3: ReferenceError")},
        {"var ok = 1;\nvar = ;\n", QStringLiteral("bad.js:2: syntax error")},
        {"throw new Error('stop here');\n", QStringLiteral("bad.js:1: Error: stop here")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program.toStdString());
        const QString script = write(QStringLiteral("bad.js"), c.program);
        const VxHostRun result = run({QStringLiteral("--script"), script});
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains(c.expected)) << qPrintable(result.err);
        EXPECT_FALSE(result.out.contains(QStringLiteral("after")));
    }

    const VxHostRun missing = run({QStringLiteral("--script"), path(QStringLiteral("none.js"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("none.js: cannot read the script")));
}

TEST_F(VxHostProcessTest, BadCommandLinesExitWithStatusTwo)
{
    const QStringList cases[] = {
        {QStringLiteral("--no-such-option")},
        {QStringLiteral("--plugins"), QStringLiteral("--script"), QStringLiteral("x.js")},
        {QStringLiteral("--mesh-info")},
        {QStringLiteral("stray")},
        {QStringLiteral("--runtime"), path(QStringLiteral("no/such/folder")), QStringLiteral("--plugins")},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const VxHostRun result = run(arguments);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.err.contains(QStringLiteral("vxhost: "))) << qPrintable(result.err);
        EXPECT_TRUE(result.out.isEmpty());
    }
}

TEST_F(VxHostProcessTest, WithoutADisplayTheWindowIsRefusedAtOnceWithTheWayOut)
{
    const VxHostRun window = run({});
    ASSERT_TRUE(window.finished);
    EXPECT_EQ(window.exitCode, 1);
    EXPECT_TRUE(window.err.contains(QStringLiteral("there is no display"))) << qPrintable(window.err);
    EXPECT_TRUE(window.err.contains(QStringLiteral("xvfb-run"))) << qPrintable(window.err);
    EXPECT_TRUE(window.err.contains(QStringLiteral("--script FILE, --save-scene FILE"))) << qPrintable(window.err);

    const QString shot = path(QStringLiteral("shot.png"));
    const VxHostRun screenshot = run({QStringLiteral("--screenshot"), shot});
    EXPECT_EQ(screenshot.exitCode, 1);
    EXPECT_TRUE(screenshot.err.contains(QStringLiteral("there is no display for --screenshot"))) << qPrintable(screenshot.err);
    EXPECT_TRUE(screenshot.err.contains(QStringLiteral("xvfb-run -a -s \"-screen 0 1600x1000x24\"")));
    EXPECT_FALSE(QFile::exists(shot));
}

// A plug-in's pane is created, docked, shown (though not on screen) and reachable from a
// batch script as in a session.
TEST_F(VxHostProcessTest, APluginsPaneIsDockedInBatchRunsAndReachableFromScripts)
{
    const QString script = write(QStringLiteral("panes.js"), R"(
var pane = vxApp.findPane("VxTestPluginPane");
print(vxApp.getPaneNames(), pane.windowTitle, pane.visible, vxApp.findPane("VxFigureSetupPane").windowTitle);
)");
    const QStringList arguments{QStringLiteral("--plugin"), testPlugin(QStringLiteral("vxtest_paneplugin")),
                                QStringLiteral("--script"), script};
    const VxHostRun result = run(arguments);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_EQ(result.out, QStringLiteral("VxSceneOutlinerPane,VxPosePane,VxFigureSetupPane,VxTestPluginPane Test Setup true Figure Setup\n"));
}

// A script works in the same window a user sees: its panes are there, and the scene it
// builds is what --save-scene writes.
TEST_F(VxHostProcessTest, ScriptsRunInTheSameWindowAndReachTheScene)
{
    const QString script = write(QStringLiteral("scene.js"), QStringLiteral(R"(
var mesh = vxScene.importMesh("%1");
vxScene.selectNode(mesh);
print(vxScene.getNodeNames(), vxScene.getPrimarySelection().objectName);
print(vxApp.getPaneNames(), vxApp.findPane("Scene").windowTitle);
)").arg(vxSourcePath(QStringLiteral("examples/Runtime/Geometries/Figure/figure.obj")))
                                                                        .toUtf8());
    const QString scene = path(QStringLiteral("scene.json"));
    const VxHostRun result = run({QStringLiteral("--script"), script, QStringLiteral("--save-scene"), scene});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_EQ(result.out, QStringLiteral("figure figure\nVxSceneOutlinerPane,VxPosePane,VxFigureSetupPane Scene\n"));
    QFile file(scene);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(json.value(QStringLiteral("primarySelection")).toString(), QStringLiteral("figure"));
    ASSERT_EQ(json.value(QStringLiteral("nodes")).toArray().size(), 1);
    EXPECT_EQ(json.value(QStringLiteral("nodes")).toArray().at(0).toObject().value(QStringLiteral("type")).toString(),
              QStringLiteral("VxNode"));
}

TEST_F(VxHostProcessTest, SaveSceneWritesTheSceneAfterTheScriptAndOnlyWhenItRan)
{
    const QString script = write(QStringLiteral("ok.js"), "print('ran');\n");
    const QString scene = path(QStringLiteral("out/scene.json"));
    QDir().mkpath(QFileInfo(scene).absolutePath());
    const VxHostRun result = run({QStringLiteral("--script"), script, QStringLiteral("--save-scene"), scene});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_EQ(result.out, QStringLiteral("ran\n"));
    QFile file(scene);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(json.value(QStringLiteral("format")).toString(), QStringLiteral("vxscene"));
    EXPECT_TRUE(json.value(QStringLiteral("nodes")).toArray().isEmpty());

    // A failing script writes no scene; an unwritable place is refused with its reason.
    const QString failing = write(QStringLiteral("bad.js"), "throw new Error('no');\n");
    const QString notWritten = path(QStringLiteral("out/failed.json"));
    EXPECT_EQ(run({QStringLiteral("--script"), failing, QStringLiteral("--save-scene"), notWritten}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(notWritten));
    const QString unwritable = path(QStringLiteral("no/such/folder/scene.json"));
    const VxHostRun refused = run({QStringLiteral("--save-scene"), unwritable});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(unwritable)) << qPrintable(refused.err);

    EXPECT_EQ(run({QStringLiteral("--plugins"), QStringLiteral("--save-scene"), scene}).exitCode, 2);
}

// The README's first command: the example script rigs the example figure without a display.
TEST_F(VxHostProcessTest, TheExampleScriptRigsTheExampleFigureInABatchRun)
{
    const QString scene = path(QStringLiteral("figure.json"));
    const VxHostRun result = runVxHost({"--data-dir", path("host"), "--script", "examples/rig-figure.js", "--save-scene", scene},
                                       QString(), vxSourcePath(QString()));
    ASSERT_TRUE(result.finished);
    ASSERT_EQ(result.exitCode, 0) << qPrintable(result.err);
    EXPECT_EQ(result.out, QStringLiteral("Created figure.obj with 19 bones from figure.obj\n"));
    // Without a display the window is built unseen, and its 3D view makes no OpenGL context
    // to fail at: stderr has only the real messages.
    EXPECT_FALSE(result.err.contains(QStringLiteral("context"))) << qPrintable(result.err);
    QFile file(scene);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray nodes = QJsonDocument::fromJson(file.readAll()).object().value("nodes").toArray();
    ASSERT_EQ(nodes.size(), 1);
    const QJsonObject figure = nodes.at(0).toObject();
    EXPECT_EQ(figure.value("type").toString(), QStringLiteral("VxLegacyFigure"));

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
    EXPECT_EQ(joints.join(' '), QStringLiteral("hip abdomen~ chest~ neck head lCollar lShldr lForeArm lHand rCollar rShldr "
                                               "rForeArm rHand lThigh lShin lFoot rThigh rShin rFoot"));
    EXPECT_EQ(figure["dataItems"][1]["chains"].toArray().size(), 4);
}
