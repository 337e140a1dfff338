#include "vxsceneoutliner.h"

#include "vxbone.h"
#include "vxfigure.h"
#include "vxlegacyfigure.h"
#include "vxnode.h"
#include "vxscene.h"
#include "vxstyle.h"

#include <QHeaderView>
#include <QSet>

VxSceneOutliner::VxSceneOutliner(VxScene* scene, QWidget* parent) : QTreeWidget(parent), m_scene(scene)
{
    setObjectName(QStringLiteral("VxSceneOutliner"));
    setColumnCount(2);
    setHeaderLabels({tr("Name"), tr("Type")});
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    header()->setSectionResizeMode(TypeColumn, QHeaderView::ResizeToContents);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    // A figure's hands sit eight levels down; a narrower step keeps their names readable.
    setIndentation(14);
    if (!m_scene)
        return;
    connect(m_scene, &VxScene::nodeAdded, this, &VxSceneOutliner::addNodeItem);
    connect(m_scene, &VxScene::nodeAboutToBeRemoved, this, &VxSceneOutliner::removeNodeItem);
    connect(m_scene, &VxScene::nodeSelectionListChanged, this, &VxSceneOutliner::followSceneSelection);
    connect(m_scene, &VxScene::primarySelectionChanged, this, &VxSceneOutliner::followSceneSelection);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &VxSceneOutliner::driveSceneSelection);
    rebuild();
}

VxSceneOutliner::~VxSceneOutliner() = default;

QString VxSceneOutliner::typeText(const VxNode* node)
{
    if (qobject_cast<const VxFigure*>(node) || qobject_cast<const VxLegacyFigure*>(node))
        return tr("Figure");
    if (qobject_cast<const VxBone*>(node))
        return tr("Bone");
    if (qobject_cast<const VxSkeleton*>(node))
        return tr("Skeleton");
    return node->getObject() ? tr("Prop") : tr("Node");
}

namespace {
// The host style's pixmap for a node's kind; none for plain nodes.
QIcon nodeIcon(const VxNode* node)
{
    // Made once: every item of a kind shares its icon's data.
    static const QIcon skinFigure = VxStyle::icon(VxStyle::PixmapSingleSkinFigure);
    static const QIcon parametricFigure = VxStyle::icon(VxStyle::PixmapParametricFigure);
    static const QIcon bone = VxStyle::icon(VxStyle::PixmapBone);
    static const QIcon geometry = VxStyle::icon(VxStyle::PixmapGeometry);
    if (qobject_cast<const VxLegacyFigure*>(node))
        return parametricFigure;
    if (qobject_cast<const VxSkeleton*>(node))
        return skinFigure;
    if (qobject_cast<const VxBone*>(node))
        return bone;
    return node->getObject() ? geometry : QIcon();
}
} // namespace

void VxSceneOutliner::rebuild()
{
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    for (auto it = m_items.constBegin(); it != m_items.constEnd(); ++it)
        disconnect(it.key(), nullptr, this, nullptr);
    clear();
    m_items.clear();
    m_nodes.clear();
    if (m_scene) {
        // Items are made top-down and handed over a level at a time: far cheaper than
        // inserting them one by one into a tree on screen.
        QList<QTreeWidgetItem*> topLevel;
        for (VxNode* node : m_scene->getNodes()) {
            if (node->getNodeParent() && m_scene->containsNode(node->getNodeParent()))
                continue;
            QTreeWidgetItem* item = makeItem(node);
            topLevel.append(item);
            QList<QPair<VxNode*, QTreeWidgetItem*>> pending{{node, item}};
            while (!pending.isEmpty()) {
                const auto [parent, parentItem] = pending.takeLast();
                QList<QTreeWidgetItem*> children;
                for (int i = 0; i < parent->getNumNodeChildren(); ++i) {
                    VxNode* child = parent->getNodeChild(i);
                    if (!m_scene->containsNode(child))
                        continue;
                    QTreeWidgetItem* childItem = makeItem(child);
                    children.append(childItem);
                    pending.append({child, childItem});
                }
                parentItem->addChildren(children);
            }
        }
        addTopLevelItems(topLevel);
        for (QTreeWidgetItem* item : qAsConst(topLevel))
            item->setExpanded(true);
    }
    m_syncing = wasSyncing;
    followSceneSelection();
}

QTreeWidgetItem* VxSceneOutliner::makeItem(VxNode* node)
{
    auto* item = new QTreeWidgetItem({node->getName(), typeText(node)});
    item->setIcon(NameColumn, nodeIcon(node));
    m_items.insert(node, item);
    m_nodes.insert(item, node);
    connect(node, &QObject::objectNameChanged, this, [this, node] { renameNodeItem(node); });
    connect(node, &VxNode::nodeParentChanged, this, &VxSceneOutliner::moveNodeItem);
    return item;
}

void VxSceneOutliner::forgetItem(QTreeWidgetItem* item)
{
    for (int i = 0; i < item->childCount(); ++i)
        forgetItem(item->child(i));
    VxNode* node = m_nodes.take(item);
    if (!node)
        return;
    m_items.remove(node);
    disconnect(node, nullptr, this, nullptr);
}

// Puts an item under its node's parent's item, among the siblings in the parent's order.
void VxSceneOutliner::placeItem(VxNode* node, QTreeWidgetItem* item)
{
    QTreeWidgetItem* parentItem = itemForNode(node->getNodeParent());
    if (!parentItem) {
        // Top-level items keep the scene's order. A new node is the scene's last one; only a
        // node put back by undo needs its place counted.
        const QList<VxNode*>& nodes = m_scene->getNodes();
        int index = topLevelItemCount();
        if (!nodes.isEmpty() && nodes.last() != node) {
            index = 0;
            for (const VxNode* other : nodes) {
                if (other == node)
                    break;
                if (const QTreeWidgetItem* otherItem = itemForNode(other); otherItem && !otherItem->parent())
                    ++index;
            }
        }
        insertTopLevelItem(index, item);
        return;
    }
    int index = 0;
    for (int i = 0; i < node->getNodeParent()->getNumNodeChildren(); ++i) {
        const VxNode* sibling = node->getNodeParent()->getNodeChild(i);
        if (sibling == node)
            break;
        if (QTreeWidgetItem* siblingItem = itemForNode(sibling); siblingItem && siblingItem->parent() == parentItem)
            ++index;
    }
    parentItem->insertChild(index, item);
}

void VxSceneOutliner::addNodeItem(VxNode* node)
{
    if (!node || itemForNode(node))
        return;
    QTreeWidgetItem* item = makeItem(node);
    placeItem(node, item);
    if (!item->parent())
        item->setExpanded(true);
    if (m_scene && m_scene->isNodeSelected(node))
        followSceneSelection();
}

void VxSceneOutliner::removeNodeItem(VxNode* node)
{
    QTreeWidgetItem* item = itemForNode(node);
    if (!item)
        return;
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    // The scene announces a node's children before the node, so no item below this one
    // stands for a node that stays.
    forgetItem(item);
    delete item;
    m_syncing = wasSyncing;
}

void VxSceneOutliner::renameNodeItem(VxNode* node)
{
    if (QTreeWidgetItem* item = itemForNode(node))
        item->setText(NameColumn, node->getName());
}

void VxSceneOutliner::moveNodeItem(VxNode* node)
{
    QTreeWidgetItem* item = itemForNode(node);
    if (!item)
        return;
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    QTreeWidgetItem* oldParent = item->parent();
    if (oldParent)
        oldParent->removeChild(item);
    else
        takeTopLevelItem(indexOfTopLevelItem(item));
    placeItem(node, item);
    m_syncing = wasSyncing;
    followSceneSelection();
}

void VxSceneOutliner::followSceneSelection()
{
    if (m_syncing || !m_scene)
        return;
    m_syncing = true;
    QItemSelection selection;
    for (VxNode* node : m_scene->getSelectedNodes()) {
        if (QTreeWidgetItem* item = itemForNode(node)) {
            const QModelIndex index = indexFromItem(item);
            selection.select(index, index.siblingAtColumn(TypeColumn));
        }
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (QTreeWidgetItem* primary = itemForNode(m_scene->getPrimarySelection())) {
        setCurrentItem(primary, NameColumn, QItemSelectionModel::NoUpdate);
        scrollToItem(primary);
    }
    m_syncing = false;
}

void VxSceneOutliner::driveSceneSelection()
{
    if (m_syncing || !m_scene)
        return;
    m_syncing = true;
    QSet<VxNode*> wanted;
    for (QTreeWidgetItem* item : selectedItems()) {
        if (VxNode* node = nodeForItem(item))
            wanted.insert(node);
    }
    const QList<VxNode*> before = m_scene->getSelectedNodes();
    for (VxNode* node : before) {
        if (!wanted.contains(node))
            m_scene->selectNode(node, false);
    }
    for (VxNode* node : qAsConst(wanted)) {
        if (!m_scene->isNodeSelected(node))
            m_scene->selectNode(node, true);
    }
    // The item clicked last is the primary selection: selecting it again puts it last.
    VxNode* current = nodeForItem(currentItem());
    if (current && wanted.contains(current) && m_scene->getPrimarySelection() != current)
        m_scene->selectNode(current, true);
    m_syncing = false;
}
