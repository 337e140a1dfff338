#include "vxiklistview.h"

#include "vxfsitemdrag.h"
#include "vxhierarchyboneitem.h"
#include "vxikchainitem.h"
#include "vxiklinkitem.h"
#include "vxiknesting.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfswarningbox.h"

#include "vxmenurunner.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>

namespace {
const QString kBoneFormat = QLatin1String(VxHierarchyBoneDrag::kMimeType);
const QString kLinkFormat = QLatin1String(VxIKLinkItemDrag::kMimeType);
const QString kChainFormat = QLatin1String(VxIKChainItemDrag::kMimeType);

bool isChainItem(const QTreeWidgetItem* item)
{
    return item && item->type() == VxIKChainItem::Type;
}

bool isLinkItem(const QTreeWidgetItem* item)
{
    return item && item->type() == VxIKLinkItem::Type;
}
} // namespace

VxIKListView::VxIKListView(QWidget* pane, QWidget* parent, const QString& name)
    : QTreeWidget(parent), m_pane(pane)
{
    setObjectName(name);
    setColumnCount(2);
    setHeaderLabels({tr("Chains"), tr("Weight")});
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setAllColumnsShowFocus(true);
    setRootIsDecorated(true);
    setAcceptDrops(true);
    setDragEnabled(true);
    setAutoScroll(true);
    setDropIndicatorShown(false);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // As in the relationships view: a click on a selected item renames, a double-click
    // opens and closes the nesting.
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &VxIKListView::showContextMenu);
    connect(this, &QTreeWidget::itemChanged, this, &VxIKListView::itemCheckChanged);
}

void VxIKListView::setHierarchy(VxFSHierarchy* document)
{
    removeAllChainItems();
    m_document = document;
    QList<QTreeWidgetItem*> items;
    for (int i = 0; document && i < document->getNumIKChains(); ++i)
        items.append(addChainItem(document->getIKChain(i)));
    addTopLevelItems(items);
}

void VxIKListView::removeAllChainItems()
{
    for (auto it = m_items.constBegin(); it != m_items.constEnd(); ++it)
        disconnect(it.key(), nullptr, this, nullptr);
    m_items.clear();
    clear();
}

VxIKChainItem* VxIKListView::addChainItem(VxFSHierarchyIKChain* chain)
{
    auto* item = new VxIKChainItem(chain);
    m_items.insert(chain, item);
    connect(chain, &QObject::destroyed, this, &VxIKListView::chainDestroyed);
    connect(chain, &VxFSHierarchyIKChain::nameChanged, this, [this, chain] {
        if (VxIKChainItem* item = m_items.value(chain))
            item->refresh();
    });
    return item;
}

VxIKChainItem* VxIKListView::findItem(const VxFSHierarchyIKChain* chain) const
{
    return m_items.value(chain, nullptr);
}

void VxIKListView::newIKChainCreated(VxFSHierarchyIKChain* chain)
{
    if (!chain || m_items.contains(chain))
        return;
    addTopLevelItem(addChainItem(chain));
}

void VxIKListView::chainDestroyed(QObject* chain)
{
    delete m_items.take(chain);
}

void VxIKListView::itemCheckChanged(QTreeWidgetItem* item, int column)
{
    if (column != 0 || !isChainItem(item))
        return;
    VxFSHierarchyIKChain* chain = static_cast<VxIKChainItem*>(item)->chain();
    const bool active = item->checkState(0) == Qt::Checked;
    if (chain && chain->isActive() != active)
        chain->setActive(active);
}

bool VxIKListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Only a link's weight, and a chain's name after "Rename Chain", are edited in place.
    QTreeWidgetItem* item = itemFromIndex(index);
    const bool allowed = (isLinkItem(item) && index.column() == 1)
        || (isChainItem(item) && index.column() == 0 && static_cast<VxIKChainItem*>(item)->isRenameEnabled());
    if (!allowed || !QTreeWidget::edit(index, trigger, event))
        return false;
    m_editing = index;
    return true;
}

void VxIKListView::commitData(QWidget* editor)
{
    QTreeWidget::commitData(editor);
    if (!m_editing.isValid())
        return;
    const QPersistentModelIndex edited = m_editing;
    m_editing = QPersistentModelIndex();
    QMetaObject::invokeMethod(this, [this, edited] { finishEdit(edited); }, Qt::QueuedConnection);
}

void VxIKListView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeWidget::closeEditor(editor, hint);
    // A cancelled rename leaves the chain's name as it was and renaming off again.
    for (VxIKChainItem* item : qAsConst(m_items))
        item->setRenameEnabled(false);
    m_editing = QPersistentModelIndex();
}

void VxIKListView::finishEdit(const QPersistentModelIndex& index)
{
    QTreeWidgetItem* item = index.isValid() ? itemFromIndex(index) : nullptr;
    if (isChainItem(item) && index.column() == 0)
        renameChain(static_cast<VxIKChainItem*>(item));
    else if (isLinkItem(item) && index.column() == 1)
        changeWeight(static_cast<VxIKLinkItem*>(item));
}

void VxIKListView::renameChain(VxIKChainItem* item)
{
    item->setRenameEnabled(false);
    VxFSHierarchyIKChain* chain = item->chain();
    if (!chain)
        return;
    const QString name = item->text(0).trimmed().remove(QLatin1Char(' '));
    if (name != chain->getName()) {
        bool taken = false;
        for (int i = 0; m_document && i < m_document->getNumIKChains(); ++i)
            taken = taken || m_document->getIKChain(i)->getName() == name;
        if (name.isEmpty())
            QMessageBox::warning(this, tr("Chain Name Error"), tr("Please enter a valid name."), QMessageBox::Ok);
        else if (taken)
            QMessageBox::warning(this, tr("Chain Name Error"), tr("The chain name must be unique."), QMessageBox::Ok);
        else
            chain->setName(name);
    }
    // The box may have let other work run: look the item up again.
    if (VxIKChainItem* current = m_items.value(chain))
        current->refresh();
}

void VxIKListView::changeWeight(VxIKLinkItem* item)
{
    VxFSHierarchyIKLink* link = item->link();
    if (!link)
        return;
    bool isNumber = false;
    const float weight = item->text(1).toFloat(&isNumber);
    if (isNumber && weight >= 0.0f && weight <= 1.0f) {
        link->setWeight(weight);
        item->refresh();
        return;
    }
    QPointer<VxFSHierarchyIKLink> guard(link);
    VxFSWarningBox::show(tr("Invalid Weight"),
                         tr("IK Weights must be a numeric value between 0.0 and 1.0 inclusive."), this);
    // The link's end would have taken the item with it.
    if (guard)
        item->refresh();
}

void VxIKListView::showContextMenu(const QPoint& viewportPos)
{
    contextMenu(itemAt(viewportPos), viewport()->mapToGlobal(viewportPos), columnAt(viewportPos.x()));
}

void VxIKListView::contextMenu(QTreeWidgetItem* /*item*/, const QPoint& pos, int /*column*/)
{
    QList<QTreeWidgetItem*> selected;
    int chains = 0;
    int links = 0;
    for (QTreeWidgetItemIterator it(this, QTreeWidgetItemIterator::Selected); *it; ++it) {
        selected.append(*it);
        chains += isChainItem(*it) ? 1 : 0;
        links += isLinkItem(*it) ? 1 : 0;
    }

    QMenu menu(this);
    QAction* rename = menu.addAction(tr("Rename Chain"));
    menu.addSeparator();
    QAction* create = menu.addAction(tr("Create IK Chain..."));
    QAction* removeChain = menu.addAction(tr("Remove IK Chain(s)"));
    QAction* removeBones = menu.addAction(tr("Remove Bone(s)"));
    menu.addSeparator();
    QAction* weight = menu.addAction(tr("Change Weight"));
    QAction* recalculate = menu.addAction(tr("Recalculate Weights"));
    menu.addSeparator();
    QAction* expand = menu.addAction(tr("Expand Selected and Children"));
    QAction* collapse = menu.addAction(tr("Collapse Selected and Children"));
    rename->setEnabled(chains == 1);
    removeChain->setEnabled(chains > 0);
    recalculate->setEnabled(chains > 0);
    removeBones->setEnabled(links > 0);
    weight->setEnabled(links == 1);

    QAction* chosen = VxMenuRunner::exec(menu, pos);
    if (!chosen)
        return;
    if (chosen == create) {
        emit createIKChainRequested(QString(), {});
    } else if (chosen == removeChain) {
        removeChains(selected);
    } else if (chosen == removeBones) {
        removeLinks(selected);
    } else if (chosen == weight || chosen == rename) {
        for (QTreeWidgetItem* item : qAsConst(selected)) {
            if (chosen == weight && isLinkItem(item))
                editItem(item, 1);
            if (chosen == rename && isChainItem(item)) {
                static_cast<VxIKChainItem*>(item)->setRenameEnabled(true);
                editItem(item, 0);
            }
        }
    } else {
        for (QTreeWidgetItem* item : qAsConst(selected)) {
            if (isChainItem(item) && chosen == recalculate) {
                if (VxFSHierarchyIKChain* chain = static_cast<VxIKChainItem*>(item)->chain())
                    chain->distributeWeights();
                static_cast<VxIKChainItem*>(item)->refresh();
            } else if (isChainItem(item) && (chosen == expand || chosen == collapse)) {
                static_cast<VxIKChainItem*>(item)->setOpenDown(chosen == expand);
            } else if (isLinkItem(item) && (chosen == expand || chosen == collapse)) {
                static_cast<VxIKLinkItem*>(item)->setOpenDown(chosen == expand);
            }
        }
    }
}

void VxIKListView::removeChains(const QList<QTreeWidgetItem*>& items)
{
    for (QTreeWidgetItem* item : items) {
        if (!isChainItem(item))
            continue;
        VxFSHierarchyIKChain* chain = static_cast<VxIKChainItem*>(item)->chain();
        delete m_items.take(chain);
        if (chain && m_document)
            m_document->removeIKChain(chain);
    }
}

void VxIKListView::removeLinks(const QList<QTreeWidgetItem*>& items)
{
    // Deleting a link drops it from its chain, and its item's proxy closes the gap in the
    // nesting and refreshes the chain. A link no chain holds has no further use, so it is
    // not left to wait for its bone's end.
    QList<QPointer<VxFSHierarchyIKLink>> links;
    for (QTreeWidgetItem* item : items) {
        if (isLinkItem(item))
            links.append(static_cast<VxIKLinkItem*>(item)->link());
    }
    for (const QPointer<VxFSHierarchyIKLink>& link : qAsConst(links))
        delete link.data();
}

QDrag* VxIKListView::dragObject()
{
    QTreeWidgetItemIterator it(this, QTreeWidgetItemIterator::Selected);
    QTreeWidgetItem* item = *it;
    if (isLinkItem(item))
        return new VxIKLinkItemDrag(static_cast<VxIKLinkItem*>(item), this);
    if (isChainItem(item))
        return new VxIKChainItemDrag(static_cast<VxIKChainItem*>(item), this);
    return nullptr;
}

void VxIKListView::startDrag(Qt::DropActions /*supportedActions*/)
{
    if (QDrag* drag = dragObject())
        drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

bool VxIKListView::isOwnItem(const QTreeWidgetItem* item) const
{
    // A dragged address is trusted only when it is one of this view's items: a drag from
    // another view, or one that outlived its item, is refused.
    for (QTreeWidgetItemIterator it(const_cast<VxIKListView*>(this)); *it; ++it) {
        if (*it == item)
            return true;
    }
    return false;
}

bool VxIKListView::acceptsDrop(QTreeWidgetItem* item, const QMimeData* source) const
{
    if (!source)
        return false;
    if (source->hasFormat(kBoneFormat))
        return !item || isChainItem(item) || isLinkItem(item);
    if (source->hasFormat(kLinkFormat)) {
        VxIKLinkItem* link = VxIKLinkItemDrag::decodeLinkItem(source);
        if (!item || !isOwnItem(link))
            return false;
        if (isChainItem(item))
            return item == link->chainItem();
        // Only towards the front of the link's own chain.
        for (QTreeWidgetItem* above = link->parent(); above; above = above->parent()) {
            if (isChainItem(above))
                return false;
            if (above == item)
                return true;
        }
        return false;
    }
    if (source->hasFormat(kChainFormat))
        return (!item || isChainItem(item)) && isOwnItem(VxIKChainItemDrag::decodeChainItem(source));
    return false;
}

void VxIKListView::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (data->hasFormat(kBoneFormat) || data->hasFormat(kLinkFormat) || data->hasFormat(kChainFormat))
        event->acceptProposedAction();
    else
        event->ignore();
}

void VxIKListView::dragMoveEvent(QDragMoveEvent* event)
{
    // The base class scrolls the list when the drag nears an edge.
    QTreeWidget::dragMoveEvent(event);
    if (acceptsDrop(itemAt(event->pos()), event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void VxIKListView::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    QTreeWidgetItem* target = itemAt(event->pos());
    bool done = false;
    if (!acceptsDrop(target, data)) {
        done = false;
    } else if (data->hasFormat(kBoneFormat)) {
        done = dropBone(target, data);
    } else if (data->hasFormat(kLinkFormat)) {
        done = VxIKNesting::moveLink(VxIKLinkItemDrag::decodeLinkItem(data), target);
    } else if (data->hasFormat(kChainFormat)) {
        done = dropChain(target, data);
    }
    if (done)
        event->acceptProposedAction();
    else
        event->ignore();
}

bool VxIKListView::dropBone(QTreeWidgetItem* target, const QMimeData* source)
{
    VxHierarchyBoneItem* boneItem = VxHierarchyBoneDrag::decodeHierarchyBoneItem(source);
    VxFSHierarchyItem* bone = boneItem ? boneItem->getBone() : nullptr;
    if (!bone)
        return false;
    boneItem->setSelected(false);
    if (!target) {
        emit createIKChainRequested(QStringLiteral("IKView"), {boneItem});
        return true;
    }
    return VxIKNesting::insertBone(bone, target) != nullptr;
}

bool VxIKListView::dropChain(QTreeWidgetItem* target, const QMimeData* source)
{
    auto* moved = static_cast<VxIKChainItem*>(VxIKChainItemDrag::decodeChainItem(source));
    VxFSHierarchyIKChain* chain = moved->chain();
    if (!chain || !m_document)
        return false;
    moved->setSelected(false);
    const bool wasOpen = moved->isExpanded();
    takeTopLevelItem(indexOfTopLevelItem(moved));
    if (moved == target) {
        // The document moves a chain placed after itself to the front; the list follows.
        m_document->moveIKChainAfter(chain, chain);
        insertTopLevelItem(0, moved);
    } else if (target) {
        m_document->moveIKChainAfter(chain, static_cast<VxIKChainItem*>(target)->chain());
        insertTopLevelItem(indexOfTopLevelItem(target) + 1, moved);
    } else {
        m_document->moveIKChainToEnd(chain);
        addTopLevelItem(moved);
    }
    moved->setOpenDown(wasOpen);
    return true;
}
