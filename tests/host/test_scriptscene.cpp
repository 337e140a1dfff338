// The vxScene script global: a script reaches the scene's nodes, selection, mesh import,
// deletion and undo without any window.
#include "vxscriptrunner.h"

#include "vxscenetest.h"

#include "vxnode.h"
#include "vxscene.h"
#include "vxundostack.h"

#include <gtest/gtest.h>

namespace {

class ScriptSceneTest : public VxSceneTest
{
protected:
    // Runs the program; the text of the error when it failed, else empty.
    QString run(const QString& program)
    {
        QString error;
        if (!m_runner.runProgram(program, "test.js", &error))
            return error.isEmpty() ? QStringLiteral("failed") : error;
        return QString();
    }
    QString evaluate(const QString& expression) { return m_runner.engine()->evaluate(expression).toString(); }

    VxScriptRunner m_runner;
};

} // namespace

TEST_F(ScriptSceneTest, ScriptsImportSelectAndDeleteNodesAndUndoThem)
{
    const QString mesh = vxSourcePath("examples/Runtime/Geometries/Figure/figure.obj");
    ASSERT_EQ(run(QStringLiteral("var a = vxScene.importMesh('%1'); var b = vxScene.importMesh('%1');").arg(mesh)), QString());
    EXPECT_EQ(evaluate("vxScene.getNodeNames().join(',')"), "figure,figure_1");
    EXPECT_EQ(evaluate("vxScene.getNumNodes()"), "2");

    ASSERT_EQ(run("vxScene.selectNode(a); vxScene.selectNode(b); vxScene.selectNode(a, false);"), QString());
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{m_scene->findNode("figure_1")});
    EXPECT_EQ(evaluate("vxScene.getPrimarySelection().objectName"), "figure_1");
    EXPECT_EQ(evaluate("vxScene.getSelectedNodes().length"), "1");
    EXPECT_EQ(evaluate("vxScene.findNode('figure').objectName + ',' + vxScene.getNodes()[1].objectName"),
              "figure,figure_1");

    EXPECT_EQ(evaluate("vxScene.deleteSelection()"), "1");
    EXPECT_EQ(m_scene->getNumNodes(), 1);
    ASSERT_EQ(run("vxScene.undo();"), QString());
    EXPECT_EQ(m_scene->getNumNodes(), 2);
    ASSERT_EQ(run("vxScene.removeNode(vxScene.findNode('figure')); vxScene.undo(); vxScene.undo();"), QString());
    EXPECT_EQ(evaluate("vxScene.getNodeNames().join(',')"), "figure");
    EXPECT_EQ(evaluate("vxScene.canRedo()"), "true");
    EXPECT_TRUE(evaluate("vxScene.toJson()").contains("\"name\": \"figure\""));
}

TEST_F(ScriptSceneTest, BadArgumentsThrowWithTheReason)
{
    const QString missing = tempPath("none.obj");
    struct Case
    {
        QString program;
        QString error;
    };
    const Case cases[] = {
        {QStringLiteral("vxScene.importMesh('%1');").arg(missing), missing},
        {"vxScene.selectNode(vxApp);", "vxScene.selectNode: the argument is not a node of the scene"},
        {"vxScene.removeNode(null);", "vxScene.removeNode: the argument is not a node of the scene"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program.toStdString());
        const QString error = run(c.program);
        EXPECT_TRUE(error.startsWith("test.js:1: Error: ")) << qPrintable(error);
        EXPECT_TRUE(error.contains(c.error)) << qPrintable(error);
    }
    EXPECT_EQ(m_scene->getNumNodes(), 0);
    EXPECT_EQ(m_scene->getUndoStack()->count(), 0);
}
