// The scene outliner: every node as a tree that follows the scene's changes, and the
// selection going both ways between the outliner and the scene.
#include "vxhostguitest.h"

#include "vxsceneoutliner.h"
#include "vxsceneoutlinerpane.h"

#include "vxbone.h"
#include "vxfigure.h"
#include "vxmainwindow.h"
#include "vxnode.h"
#include "vxobject.h"
#include "vxscene.h"

#include <QSignalSpy>
#include <QTest>
#include <QTreeWidgetItem>

namespace {

// The tree as "name:type" lines, indented two blanks per level.
QStringList outline(const QTreeWidget& tree)
{
    QStringList lines;
    std::function<void(const QTreeWidgetItem*, int)> walk = [&](const QTreeWidgetItem* item, int depth) {
        lines.append(QString(depth * 2, QLatin1Char(' ')) + item->text(0) + QLatin1Char(':') + item->text(1));
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return lines;
}

VxNode* addProp(const QString& name)
{
    auto* prop = new VxNode();
    prop->setName(name);
    prop->setObject(new VxObject());
    vxScene->addNode(prop);
    return prop;
}

class OutlinerTest : public VxHostGuiTest
{
protected:
    VxFigure* addFigure()
    {
        return vxMakeFigure<VxFigure>(
            vxMakeBoxMesh(
                {{"hip", {0, 0, 0}, {1, 1, 1}}, {"chest", {0, 1, 0}, {1, 2, 1}}, {"head", {0, 2, 0}, {1, 3, 1}}}),
            "Figure");
    }

    void click(VxSceneOutliner* tree, const VxNode* node, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTreeWidgetItem* item = tree->itemForNode(node);
        ASSERT_NE(item, nullptr);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers, tree->visualItemRect(item).center());
    }
};

} // namespace

TEST_F(OutlinerTest, TheTreeShowsFiguresBonesAndPropsAndFollowsTheScene)
{
    VxFigure* figure = addFigure();
    addProp("chair");
    VxSceneOutliner* tree = openWindow().outlinerPane()->getOutliner();
    EXPECT_EQ(outline(*tree),
              (QStringList{"Figure:Figure", "  hip:Bone", "    chest:Bone", "      head:Bone", "chair:Prop"}));

    // Later changes: a node added below a bone, a rename, a move, a removal.
    VxBone* chest = figure->findBone("chest");
    auto* hat = new VxNode();
    hat->setName("hat");
    chest->addNodeChild(hat, false);
    m_scene->addNode(hat);
    figure->findBone("head")->setName("skull");
    VxNode* lamp = addProp("lamp");
    figure->findBone("hip")->addNodeChild(lamp, false);
    m_scene->removeNode(figure->findBone("skull"));
    EXPECT_EQ(outline(*tree), (QStringList{"Figure:Figure", "  hip:Bone", "    chest:Bone", "      hat:Node",
                                           "    lamp:Prop", "chair:Prop"}));

    // Rebuilding from scratch gives the tree the changes gave.
    const QStringList followed = outline(*tree);
    tree->rebuild();
    EXPECT_EQ(outline(*tree), followed);
    m_scene->removeNode(figure);
    EXPECT_EQ(outline(*tree), QStringList{"chair:Prop"});
}

TEST_F(OutlinerTest, SelectionGoesBothWaysWithTheClickedItemAsPrimary)
{
    VxFigure* figure = addFigure();
    VxNode* chair = addProp("chair");
    VxHostGui& gui = openWindow();
    gui.window()->show();
    VxSceneOutliner* tree = gui.outlinerPane()->getOutliner();
    QSignalSpy listChanged(m_scene.get(), &VxScene::nodeSelectionListChanged);
    QSignalSpy primaryChanged(m_scene.get(), &VxScene::primarySelectionChanged);

    VxBone* chest = figure->findBone("chest");
    click(tree, chest);
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{chest});
    EXPECT_EQ(m_scene->getPrimarySelection(), chest);
    ASSERT_EQ(primaryChanged.count(), 1);
    EXPECT_EQ(primaryChanged.at(0).at(0).value<VxNode*>(), chest);

    click(tree, chair, Qt::ControlModifier);
    EXPECT_EQ(m_scene->getSelectedNodes(), (QList<VxNode*>{chest, chair}));
    EXPECT_EQ(m_scene->getPrimarySelection(), chair);
    click(tree, chest, Qt::ControlModifier); // deselects it
    EXPECT_EQ(m_scene->getSelectedNodes(), QList<VxNode*>{chair});
    EXPECT_GE(listChanged.count(), 3);

    // A selection made elsewhere shows in the tree, the primary node as current item.
    VxBone* head = figure->findBone("head");
    m_scene->selectAllNodes(false);
    head->select(true);
    figure->select(true);
    QList<VxNode*> shown;
    for (QTreeWidgetItem* item : tree->selectedItems())
        shown.append(tree->nodeForItem(item));
    std::sort(shown.begin(), shown.end());
    QList<VxNode*> expected{head, figure};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(tree->nodeForItem(tree->currentItem()), figure);
    // ... and echoes nothing back into the scene.
    EXPECT_EQ(m_scene->getSelectedNodes(), (QList<VxNode*>{head, figure}));
}
