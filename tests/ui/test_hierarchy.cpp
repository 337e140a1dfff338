// The general hierarchy model behind the region editor, seen through a real QTreeView:
// structure, renames, selection, reference counting, and the delegate's centred check box.
#include "vxgeneralhierarchyitem.h"
#include "vxgeneralhierarchymodel.h"
#include "vxgeneralhierarchytreeview.h"
#include "vxstyledsceneitemdelegate.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A named row with a check box in column 1, as the region editor's rows are built.
class NamedItem : public VxGeneralHierarchyItem
{
public:
    explicit NamedItem(const QString& name) : m_name(name) { ++s_alive; }
    static int s_alive;

    QVariant data(int column, int role) const override
    {
        if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole))
            return m_name;
        if (column == 1 && role == Qt::CheckStateRole)
            return m_checked ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    }
    bool setData(int column, const QVariant& value, int role) override
    {
        if (column == 0 && role == Qt::EditRole && !value.toString().isEmpty()) {
            m_name = value.toString();
            return true;
        }
        if (column == 1 && role == Qt::CheckStateRole) {
            m_checked = value.toInt() == Qt::Checked;
            return true;
        }
        return false;
    }

protected:
    ~NamedItem() override { --s_alive; }

private:
    QString m_name;
    bool m_checked = false;
};
int NamedItem::s_alive = 0;

class CheckableModel : public VxGeneralHierarchyModel
{
public:
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        const Qt::ItemFlags flags = VxGeneralHierarchyModel::flags(index);
        if (!index.isValid())
            return flags;
        return index.column() == 1 ? flags | Qt::ItemIsUserCheckable : flags | Qt::ItemIsEditable;
    }
};

struct Tree
{
    // Actor { head, body { arm } }
    Tree()
    {
        model.setHeaderLabels({QStringLiteral("Region"), QStringLiteral("Card")});
        actor->addChild(head);
        actor->addChild(body);
        body->addChild(arm);
        model.addTopLevelItem(actor);
        view.setModel(&model);
        view.setItemDelegate(new VxStyledSceneItemDelegate(&view));
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view.expandAll();
        view.resize(300, 300);
        view.show();
    }

    CheckableModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    VxGeneralHierarchyTreeView view;
    NamedItem* actor = new NamedItem(QStringLiteral("Actor"));
    NamedItem* head = new NamedItem(QStringLiteral("head"));
    NamedItem* body = new NamedItem(QStringLiteral("body"));
    NamedItem* arm = new NamedItem(QStringLiteral("arm"));
};

TEST(HierarchyTest, TheTreeViewShowsRenamesAndSelectsThroughTheItems)
{
    Tree tree;
    const QModelIndex armIndex = tree.model.indexForItem(tree.arm);
    EXPECT_EQ(tree.view.itemForIndex(armIndex), tree.arm);
    EXPECT_EQ(tree.model.parent(armIndex), tree.model.indexForItem(tree.body));
    EXPECT_EQ(tree.view.itemForIndex(QModelIndex()), nullptr);

    // A rename is applied by the item and announced; one it refuses changes nothing.
    QSignalSpy changed(&tree.model, &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(tree.model.setData(armIndex, QStringLiteral("leftArm")));
    EXPECT_FALSE(tree.model.setData(armIndex, QString()));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(armIndex.data().toString(), QStringLiteral("leftArm"));

    QTest::mouseClick(tree.view.viewport(), Qt::LeftButton, {}, tree.view.visualRect(armIndex).center());
    QTest::mouseClick(tree.view.viewport(), Qt::LeftButton, Qt::ControlModifier,
                      tree.view.visualRect(tree.model.indexForItem(tree.head)).center());
    EXPECT_EQ(tree.view.getSelectedItems(), (QList<VxGeneralHierarchyItem*>{tree.arm, tree.head}));
}

TEST(HierarchyTest, ClearingTheTreeFreesEveryItemNobodyElseHolds)
{
    VxGeneralHierarchyItemRef kept;
    {
        Tree tree;
        EXPECT_EQ(NamedItem::s_alive, 4);
        kept = tree.body;
        tree.model.clearTree();
        EXPECT_EQ(tree.model.rowCount(), 0);
        // The body is still held, and its arm with it; it has left the tree.
        EXPECT_EQ(NamedItem::s_alive, 2);
        EXPECT_EQ(kept->getParent(), nullptr);
        EXPECT_FALSE(tree.model.indexForItem(kept.get()).isValid());
    }
    EXPECT_EQ(NamedItem::s_alive, 2);
    kept = VxGeneralHierarchyItemRef();
    EXPECT_EQ(NamedItem::s_alive, 0);
}

TEST(HierarchyTest, ACheckOnlyCellTogglesOnAClickOnItsCentredBox)
{
    Tree tree;
    const QModelIndex card = tree.model.indexForItem(tree.head, 1);
    const QRect cell = tree.view.visualRect(card);
    ASSERT_GT(cell.width(), 40);

    QTest::mouseClick(tree.view.viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 4, cell.center().y()));
    EXPECT_EQ(card.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    QTest::mouseClick(tree.view.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(card.data(Qt::CheckStateRole).toInt(), Qt::Checked);
    QTest::mouseClick(tree.view.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(card.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

} // namespace
