// Undo and redo of the scene's node additions and removals, driven as a user drives them:
// File > Import Mesh..., Edit > Delete, Edit > Undo and Redo; and what the undo lock holds.
#include "vxhostguitest.h"

#include "vxhostmenus.h"
#include "vxsceneoutliner.h"
#include "vxsceneoutlinerpane.h"

#include "vxmessageboxanswerer.h"

#include "vxbone.h"
#include "vxfigure.h"
#include "vxmainwindow.h"
#include "vxnode.h"
#include "vxobject.h"
#include "vxscene.h"
#include "vxskinbinding.h"
#include "vxundostack.h"
#include "vxundostacklock.h"

#include <QAction>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidgetItem>

namespace {

const QString kFigureMesh = vxSourcePath("examples/Runtime/Geometries/Figure/figure.obj");

class UndoTest : public VxHostGuiTest
{
protected:
    void SetUp() override
    {
        VxHostGuiTest::SetUp();
        openWindow();
    }
    void TearDown() override
    {
        VxMainWindow::clearFileDialogAnswers();
        VxHostGuiTest::TearDown();
    }

    VxNode* importFromMenu(const QString& path)
    {
        VxMainWindow::queueFileDialogAnswer(path);
        m_gui->menus()->getImportMeshAction()->trigger();
        return m_scene->getPrimarySelection();
    }
    void undo() { m_gui->menus()->getUndoAction()->trigger(); }
    void redo() { m_gui->menus()->getRedoAction()->trigger(); }
    int outlinedNodes() const { return outlined().size(); }
    // The names of the outliner's top-level items, in order.
    QStringList outlined() const
    {
        QStringList names;
        const VxSceneOutliner* tree = m_gui->outlinerPane()->getOutliner();
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            names.append(tree->topLevelItem(i)->text(VxSceneOutliner::NameColumn));
        return names;
    }
    VxUndoStack* stack() const { return m_scene->getUndoStack(); }

    VxFigure* addFigure(const QString& name)
    {
        return vxMakeFigure<VxFigure>(vxMakeBoxMesh({{"hip", {0, 0, 0}, {1, 1, 1}}, {"chest", {0, 1, 0}, {1, 2, 1}}}),
                                      name);
    }
};

} // namespace

TEST_F(UndoTest, ImportMeshIsOneStepThatUndoRemovesAndRedoBringsBackUnchanged)
{
    VxNode* node = importFromMenu(kFigureMesh);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->getName(), "figure");
    EXPECT_EQ(outlinedNodes(), 1);
    EXPECT_EQ(m_gui->menus()->getUndoAction()->text(), "&Undo Add figure");
    const QByteArray imported = m_scene->toJson();
    QPointer<VxNode> watched = node;

    undo();
    EXPECT_EQ(m_scene->getNumNodes(), 0);
    EXPECT_EQ(outlinedNodes(), 0);
    ASSERT_FALSE(watched.isNull()); // held by the step, not deleted
    redo();
    EXPECT_EQ(m_scene->getNodes(), QList<VxNode*>{node});
    EXPECT_EQ(outlinedNodes(), 1);
    // The same node with the same content; only the selection was not part of the step.
    node->select(true);
    EXPECT_EQ(m_scene->toJson(), imported);

    // A second import of the same file gets a name of its own; an unreadable one changes
    // nothing and shows the importer's reason.
    EXPECT_EQ(importFromMenu(kFigureMesh)->getName(), "figure_1");
    const int steps = stack()->count();
    const QString bad = writeFile("bad.obj", "v 0 0 0\nv 1 0 0\nf 1 2 7\n");
    VxMessageBoxAnswerer answerer;
    importFromMenu(bad);
    ASSERT_EQ(answerer.count(), 1);
    EXPECT_EQ(answerer.seen().at(0).title, "Import Mesh");
    EXPECT_TRUE(answerer.seen().at(0).text.startsWith(bad + QStringLiteral(":3: "))) << qPrintable(answerer.seen().at(0).text);
    EXPECT_EQ(m_scene->getNumNodes(), 2);
    EXPECT_EQ(stack()->count(), steps);

    // Undoing and then doing something else drops the undone node for good.
    undo();
    QPointer<VxNode> dropped = m_scene->findNode("figure_1");
    EXPECT_TRUE(dropped.isNull()); // taken out: no longer found by name
    addFigure("Other");
    EXPECT_FALSE(stack()->canRedo());
}

TEST_F(UndoTest, DeleteRemovesTheSelectionAsOneStepAndUndoRestoresItInPlace)
{
    VxFigure* kept = addFigure("Kept");
    VxNode* prop = importFromMenu(kFigureMesh);
    VxFigure* gone = addFigure("Gone");
    m_scene->selectAllNodes(false);
    const QByteArray before = m_scene->toJson();
    const int steps = stack()->count();

    m_scene->selectAllNodes(false);
    prop->select(true);
    gone->select(true);
    gone->findBone("chest")->select(true); // goes with its figure
    kept->findBone("hip")->select(true); // a bone alone stays
    ASSERT_TRUE(m_gui->menus()->getDeleteAction()->isEnabled());
    m_gui->menus()->getDeleteAction()->trigger();
    EXPECT_EQ(m_scene->getNodes(), (QList<VxNode*>{kept, kept->findBone("hip"), kept->findBone("chest")}));
    EXPECT_EQ(outlinedNodes(), 1);
    EXPECT_EQ(m_gui->window()->statusBar()->currentMessage(),
              "Bones belong to their figure and are deleted only with it: hip kept.");
    EXPECT_EQ(stack()->count(), steps + 1);

    undo();
    m_scene->selectAllNodes(false);
    EXPECT_EQ(m_scene->toJson(), before);
    EXPECT_EQ(outlined(), (QStringList{"Kept", "figure", "Gone"}));
    // The figure's rigging came back with its bones.
    EXPECT_EQ(gone->getSkinBinding()->getNumBoneBindings(), kept->getSkinBinding()->getNumBoneBindings());
    redo();
    EXPECT_EQ(m_scene->getNumNodes(), 3);
}

TEST_F(UndoTest, AFigureWithItsBonesIsOneStepAndNothingIsRecordedUnderTheLock)
{
    const QByteArray empty = m_scene->toJson();
    VxFigure* figure = addFigure("Figure");
    EXPECT_EQ(stack()->count(), 1);
    const QByteArray built = m_scene->toJson();
    undo();
    EXPECT_EQ(m_scene->toJson(), empty);
    redo();
    EXPECT_EQ(m_scene->toJson(), built);

    {
        VxUndoStackLock lock;
        auto* quiet = new VxNode();
        m_scene->addNode(quiet);
        m_scene->removeNode(quiet);
        m_scene->removeNode(figure);
    }
    EXPECT_EQ(stack()->count(), 1);
    // The figure was deleted behind its step's back: the step is dropped, nothing breaks.
    undo();
    EXPECT_EQ(m_scene->getNumNodes(), 0);
    EXPECT_FALSE(stack()->canRedo());

    // A bone added alone to a figure in the scene cannot be undone: the history goes.
    VxFigure* other = addFigure("Other");
    importFromMenu(kFigureMesh);
    ASSERT_EQ(stack()->count(), 2);
    vxAddBone(other->findBone("chest"), "head");
    EXPECT_EQ(stack()->count(), 0);
    EXPECT_TRUE(
        loggedLines().contains("Adding the bone head to a figure cannot be undone; the undo history was cleared."));
}
