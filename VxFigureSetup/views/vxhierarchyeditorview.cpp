#include "vxhierarchyeditorview.h"

#include "vxfsitemdrag.h"
#include "vxhierarchyaltgeomitem.h"
#include "vxhierarchyaltgeomlistitem.h"
#include "vxhierarchybasegeomitem.h"
#include "vxhierarchyboneitem.h"
#include "vxhierarchybonecontaineritem.h"
#include "vxhierarchycontextmenus.h"
#include "vxhierarchydrophandler.h"
#include "vxhierarchygeomitem.h"
#include "vxhierarchyitem.h"
#include "vxhierarchyitemremover.h"
#include "vxhierarchyregioncontaineritem.h"
#include "vxhierarchyregionitem.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxpopupmenubc.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <memory>

namespace {

enum Column { NameColumn = 0, LabelColumn = 1, OrderColumn = 2, WeldColumn = 3 };
constexpr int kWeldColumnWidth = 50;

bool isBoneCategory(const QTreeWidgetItem* item)
{
    return VxHierarchyContextMenus::categoryOf(item) == VxHierarchyContextMenus::BoneCategory;
}

// The first item of `items` (tree order) that is the document, the "Bones" container or a
// bone: the item the single-item menu entries act on.
QTreeWidgetItem* firstBoneCategoryItem(const QList<QTreeWidgetItem*>& items)
{
    for (QTreeWidgetItem* item : items) {
        if (isBoneCategory(item))
            return item;
    }
    return nullptr;
}

} // namespace

VxHierarchyEditorView::VxHierarchyEditorView(QWidget* pane, QWidget* parent)
    : QTreeWidget(parent), m_pane(pane), m_dialogs(VxHierarchyDialogs::standard())
{
    setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Label"), QStringLiteral("Order"), QStringLiteral("Weld")});
    const int widths[] = {100, 50, 50, kWeldColumnWidth};
    for (int column = NameColumn; column <= WeldColumn; ++column) {
        header()->setSectionResizeMode(column, QHeaderView::Interactive);
        setColumnWidth(column, widths[column]);
    }
    setAllColumnsShowFocus(true);
    setRootIsDecorated(true);
    setAcceptDrops(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setSortingEnabled(false);
    setAutoScroll(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Every row is one line with a small pixmap; knowing that spares measuring thousands of
    // rows each time the tree is laid out again after a move.
    setUniformRowHeights(true);
    // Renames start from the "Edit Name" and "Edit Label" entries or by clicking a selected
    // item, never by a double-click, which opens and closes subtrees.
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &VxHierarchyEditorView::requestContextMenu);
    connect(this, &QTreeWidget::itemChanged, this, &VxHierarchyEditorView::okRename);
    connect(model(), &QAbstractItemModel::dataChanged, this, &VxHierarchyEditorView::widenColumnsFor);
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                widenColumnsFor(model()->index(first, NameColumn, parent),
                                model()->index(last, WeldColumn, parent));
            });
}

VxHierarchyEditorView::~VxHierarchyEditorView() = default;

QSize VxHierarchyEditorView::minimumSizeHint() const
{
    return QSize(150, 150);
}

VxFSHierarchy* VxHierarchyEditorView::getHierarchy() const
{
    return m_rootItem ? m_rootItem->getHierarchy() : nullptr;
}

void VxHierarchyEditorView::fromHierarchy(VxFSHierarchy* hierarchy)
{
    if (!hierarchy) {
        qWarning("Null pointer passed to VxHierarchyEditorView::fromHierarchy()");
        return;
    }
    if (VxFSHierarchy* previous = getHierarchy())
        disconnect(previous, nullptr, this, nullptr);
    clear();

    // Built apart from the view and placed whole: a tree of thousands of bones then costs
    // one insertion in the view instead of one per item.
    auto* root = new VxHierarchyItem();
    root->setHierarchy(hierarchy);
    addTopLevelItem(root);
    m_rootItem = root;
    root->setOpen(true);

    connect(hierarchy, &VxFSHierarchy::figureTypeChanged, this, &VxHierarchyEditorView::figureTypeChanged);
    showWeldColumn(hierarchy->getFigureType() == Poser);
    widenColumnsToContents();
}

void VxHierarchyEditorView::clear()
{
    m_rootItem = nullptr;
    QTreeWidget::clear();
}

void VxHierarchyEditorView::showWeldColumn(bool show)
{
    // Only parametric figures weld. While the column is hidden the user cannot drag it open.
    setColumnHidden(WeldColumn, !show);
    if (show)
        setColumnWidth(WeldColumn, kWeldColumnWidth);
}

void VxHierarchyEditorView::widenColumnsFor(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    // Measures only the changed cells: a rename must not measure the whole tree.
    for (int column = topLeft.column(); column <= bottomRight.column(); ++column) {
        if (isColumnHidden(column))
            continue;
        for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
            const QModelIndex index = topLeft.sibling(row, column);
            int wanted = itemDelegate(index)->sizeHint(viewOptions(), index).width();
            if (column == NameColumn) {
                int depth = rootIsDecorated() ? 1 : 0;
                for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
                    ++depth;
                wanted += depth * indentation();
            }
            if (wanted > columnWidth(column))
                setColumnWidth(column, wanted);
        }
    }
}

void VxHierarchyEditorView::widenColumnsToContents()
{
    // Measuring every cell of a large tree takes long; the widest texts are among the longest
    // (counting the indentation of column 0), so only a few of those are measured.
    constexpr int kMeasured = 4;
    const int charWidth = qMax(1, fontMetrics().averageCharWidth());
    QList<QPair<int, QTreeWidgetItem*>> longest[WeldColumn + 1];
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        int depth = 0;
        for (const QTreeWidgetItem* parent = (*it)->parent(); parent; parent = parent->parent())
            ++depth;
        for (int column = NameColumn; column <= WeldColumn; ++column) {
            int length = (*it)->text(column).size();
            if (column == NameColumn)
                length += depth * indentation() / charWidth;
            QList<QPair<int, QTreeWidgetItem*>>& candidates = longest[column];
            if (candidates.size() == kMeasured && length <= candidates.last().first)
                continue;
            auto at = std::upper_bound(candidates.begin(), candidates.end(), length,
                                       [](int value, const QPair<int, QTreeWidgetItem*>& entry) {
                                           return value > entry.first;
                                       });
            candidates.insert(at, qMakePair(length, *it));
            if (candidates.size() > kMeasured)
                candidates.removeLast();
        }
    }
    for (int column = NameColumn; column <= WeldColumn; ++column) {
        for (const auto& candidate : qAsConst(longest[column])) {
            const QModelIndex index = indexFromItem(candidate.second, column);
            widenColumnsFor(index, index);
        }
    }
}

void VxHierarchyEditorView::makeCurrent(QTreeWidgetItem* item)
{
    selectionModel()->setCurrentIndex(indexFromItem(item), QItemSelectionModel::NoUpdate);
}

QList<QTreeWidgetItem*> VxHierarchyEditorView::selectedItemsInTreeOrder() const
{
    QList<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(const_cast<VxHierarchyEditorView*>(this), QTreeWidgetItemIterator::Selected); *it;
         ++it)
        items.append(*it);
    return items;
}

// ---- In-place renames -----------------------------------------------------------------

bool VxHierarchyEditorView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Only names and labels are typed in: the document and bones in columns 0 and 1,
    // regions in column 0.
    const QTreeWidgetItem* item = itemFromIndex(index);
    const int type = item ? item->type() : 0;
    const bool renamable = ((type == VxHierarchyItem::Type || type == VxHierarchyBoneItem::Type)
                            && (index.column() == NameColumn || index.column() == LabelColumn))
                           || (type == VxHierarchyRegionItem::Type && index.column() == NameColumn);
    if (!renamable)
        return false;
    return QTreeWidget::edit(index, trigger, event);
}

void VxHierarchyEditorView::startRename(QTreeWidgetItem* item, int column)
{
    if (!item)
        return;
    // One rename at a time: one still open ends as leaving its editor would, keeping the
    // text typed so far.
    if (state() == EditingState) {
        if (QWidget* editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    scrollToItem(item);
    setCurrentItem(item, column);
    editItem(item, column);
}

void VxHierarchyEditorView::okRename(QTreeWidgetItem* item, int column)
{
    // Every text change passes here, the items' own refreshes included; only a text that
    // differs from the model is a rename. The model applies its name rules (and their
    // warnings), and the item then shows what the model kept.
    const QString text = item->text(column);
    if (auto* root = vxHierarchyItemCast<VxHierarchyItem>(item)) {
        VxFSHierarchy* document = root->getHierarchy();
        if (!document)
            return;
        if (column == NameColumn && text != document->getName())
            document->setName(text);
        else if (column == LabelColumn && text != document->getLabel())
            document->setLabel(text);
        else
            return;
        root->refresh();
    } else if (auto* boneItem = vxHierarchyItemCast<VxHierarchyBoneItem>(item)) {
        VxFSHierarchyItem* bone = boneItem->getBone();
        if (!bone)
            return;
        if (column == NameColumn && text != bone->getName())
            bone->setName(text);
        else if (column == LabelColumn && text != bone->getLabel())
            bone->setLabel(text);
        else
            return;
        boneItem->refresh();
    } else if (auto* regionItem = vxHierarchyItemCast<VxHierarchyRegionItem>(item)) {
        VxFSRegionItem* region = regionItem->getRegion();
        if (!region || column != NameColumn || text == region->getName())
            return;
        region->setName(text);
        regionItem->refresh();
    } else {
        return;
    }
}

// ---- Context menus --------------------------------------------------------------------

void VxHierarchyEditorView::requestContextMenu(const QPoint& viewportPos)
{
    contextMenu(itemAt(viewportPos), viewport()->mapToGlobal(viewportPos), columnAt(viewportPos.x()));
}

VxPopupMenuBC* VxHierarchyEditorView::createHierarchyItemContextMenu(QTreeWidgetItem* item, const QPoint& pos, int col)
{
    Q_UNUSED(item)
    Q_UNUSED(pos)
    return VxHierarchyContextMenus::bones(selectedItemsInTreeOrder(), col, getHierarchy());
}

VxPopupMenuBC* VxHierarchyEditorView::createGeometryContextMenu(QTreeWidgetItem* item, const QPoint& pos, int col)
{
    Q_UNUSED(item)
    Q_UNUSED(pos)
    Q_UNUSED(col)
    return VxHierarchyContextMenus::geometry();
}

VxPopupMenuBC* VxHierarchyEditorView::createAltGeometryContextMenu(QTreeWidgetItem* item, const QPoint& pos, int col)
{
    Q_UNUSED(item)
    Q_UNUSED(pos)
    Q_UNUSED(col)
    return VxHierarchyContextMenus::altGeometry(selectedItemsInTreeOrder());
}

VxPopupMenuBC* VxHierarchyEditorView::createRegionContextMenu(QTreeWidgetItem* item, const QPoint& pos, int col)
{
    Q_UNUSED(pos)
    Q_UNUSED(col)
    return VxHierarchyContextMenus::regions(item, getHierarchy());
}

void VxHierarchyEditorView::contextMenu(QTreeWidgetItem* item, const QPoint& pos, int col)
{
    if (!item)
        return;
    QList<QTreeWidgetItem*> selected = selectedItemsInTreeOrder();
    bool present[VxHierarchyContextMenus::RegionCategory + 1] = {};
    for (const QTreeWidgetItem* selectedItem : qAsConst(selected))
        present[VxHierarchyContextMenus::categoryOf(selectedItem)] = true;
    const int categories = present[VxHierarchyContextMenus::BoneCategory]
                           + present[VxHierarchyContextMenus::GeometryCategory]
                           + present[VxHierarchyContextMenus::AltGeometryCategory]
                           + present[VxHierarchyContextMenus::RegionCategory];

    std::unique_ptr<VxPopupMenuBC> menu;
    if (categories < 2) {
        switch (VxHierarchyContextMenus::categoryOf(item)) {
        case VxHierarchyContextMenus::BoneCategory:
            menu.reset(createHierarchyItemContextMenu(item, pos, col));
            break;
        case VxHierarchyContextMenus::GeometryCategory:
            menu.reset(createGeometryContextMenu(item, pos, col));
            break;
        case VxHierarchyContextMenus::AltGeometryCategory:
            menu.reset(createAltGeometryContextMenu(item, pos, col));
            break;
        case VxHierarchyContextMenus::RegionCategory:
            menu.reset(createRegionContextMenu(item, pos, col));
            break;
        default:
            break;
        }
    } else {
        menu.reset(new VxPopupMenuBC());
        if (present[VxHierarchyContextMenus::BoneCategory]) {
            if (col == NameColumn) {
                menu->insertItem(QStringLiteral("Hierarchy Menu"), createHierarchyItemContextMenu(item, pos, col));
            } else if (VxPopupMenuBC* columnMenu = createHierarchyItemContextMenu(item, pos, col)) {
                // Outside column 0 the bones' column menu is the menu; the others join it.
                menu.reset(columnMenu);
            }
        }
        if (present[VxHierarchyContextMenus::GeometryCategory] && col == NameColumn)
            menu->insertItem(QStringLiteral("Geometry Menu"), createGeometryContextMenu(item, pos, col));
        if (present[VxHierarchyContextMenus::AltGeometryCategory] && col == NameColumn)
            menu->insertItem(QStringLiteral("Alt Geometry Menu"), createAltGeometryContextMenu(item, pos, col));
        if (present[VxHierarchyContextMenus::RegionCategory])
            menu->insertItem(QStringLiteral("Region Menu"), createRegionContextMenu(item, pos, col));
    }
    if (!menu || menu->actions().isEmpty())
        return;
    const int result = menu->idExec(pos, -1);
    menu.reset();
    handleContextResult(result, selected);
}

void VxHierarchyEditorView::handleContextResult(int result, QList<QTreeWidgetItem*>& selected)
{
    const int id = qMin(result, int(VxHierarchyContextMenus::FirstWeld));
    if (id < 1)
        return;
    QTreeWidgetItem* target = firstBoneCategoryItem(selected);
    switch (id) {
    case VxHierarchyContextMenus::EditName:
        startRename(target, NameColumn);
        break;
    case VxHierarchyContextMenus::EditLabel:
        startRename(target, LabelColumn);
        break;
    case VxHierarchyContextMenus::AddChildBone:
        addChildBone(target);
        break;
    case VxHierarchyContextMenus::AddBoneSequence:
        addBoneSequence(target);
        break;
    case VxHierarchyContextMenus::RemoveBones:
        removeSelectedBones(selected);
        break;
    case VxHierarchyContextMenus::RemoveBonesAndChildren:
        removeSelectedBonesAndChildren(selected);
        break;
    case VxHierarchyContextMenus::WeldToNone:
        weldSelectedToNone();
        break;
    case VxHierarchyContextMenus::WeldToParent:
        weldSelectedToParent();
        break;
    case VxHierarchyContextMenus::WeldToBone:
        weldSelectedToBone();
        break;
    case VxHierarchyContextMenus::CreateIKChain:
        emit createIKChainRequested(QStringLiteral("HierarchyView"));
        break;
    case VxHierarchyContextMenus::ExpandBones:
        expandSelectedandChildren();
        break;
    case VxHierarchyContextMenus::CollapseBones:
        collapseSelectedandChildren();
        break;
    case VxHierarchyContextMenus::RemoveGeometryReferences:
        removeSelectedGeom(selected);
        break;
    case VxHierarchyContextMenus::RemoveAltGeometry:
        removeSelectedAltGeom(selected);
        break;
    case VxHierarchyContextMenus::ClearAltGeometries:
        clearSelectedAltGeoms(selected);
        break;
    case VxHierarchyContextMenus::AddChildRegion:
        createRegion();
        break;
    case VxHierarchyContextMenus::RemoveRegion:
        removeRegion(false);
        break;
    case VxHierarchyContextMenus::RemoveRegionAndChildren:
        removeRegion(true);
        break;
    case VxHierarchyContextMenus::JointParameters:
        setJointsParamsOnSelected();
        break;
    case VxHierarchyContextMenus::FirstWeld:
        removeWeldOnSelected(target, result);
        break;
    default:
        if (id >= VxHierarchyContextMenus::FirstRotationOrder && id <= VxHierarchyContextMenus::LastRotationOrder)
            setRotationOnSelected(id);
        break;
    }
}

// ---- Bones --------------------------------------------------------------------------

QList<QTreeWidgetItem*> VxHierarchyEditorView::selectedOfType(int type, const QList<QTreeWidgetItem*>* among) const
{
    QList<QTreeWidgetItem*> items;
    for (QTreeWidgetItem* item : selectedItemsInTreeOrder()) {
        if (item->type() == type && (!among || among->contains(item)))
            items.append(item);
    }
    return items;
}

void VxHierarchyEditorView::removeSelectedBones(QList<QTreeWidgetItem*>& selected)
{
    VxHierarchyItemRemover::removeBones(selectedOfType(VxHierarchyBoneItem::Type, &selected));
}

void VxHierarchyEditorView::removeSelectedBonesAndChildren(QList<QTreeWidgetItem*>& selected)
{
    VxHierarchyItemRemover::removeBonesAndChildren(selectedOfType(VxHierarchyBoneItem::Type, &selected));
}

void VxHierarchyEditorView::addChildBone(QTreeWidgetItem* item)
{
    VxFSHierarchyItem* bone = nullptr;
    if (auto* boneItem = vxHierarchyItemCast<VxHierarchyBoneItem>(item)) {
        if (!boneItem->getBone())
            return;
        bone = new VxFSHierarchyItem(boneItem->getBone(), QStringLiteral("newBone"));
    } else if (item && item->type() == VxHierarchyBoneContainerItem::Type && getHierarchy()) {
        bone = new VxFSHierarchyItem(getHierarchy(), QStringLiteral("newBone"));
    } else {
        return;
    }
    auto* newItem = new VxHierarchyBoneItem(bone, item, VxHierarchyTreeItem::lastChild(item));
    newItem->setBone(bone);
    // The default name is a placeholder: the user's first name for the bone is its label too.
    bone->setLabelFollowsName(true);
    item->setExpanded(true);
    startRename(newItem, NameColumn);
}

void VxHierarchyEditorView::addBoneSequence(QTreeWidgetItem* item)
{
    if (!item)
        return;
    if (!m_dialogs.boneSequence) {
        qWarning("VxHierarchyEditorView: the bone sequence dialog is not available in this build.");
        return;
    }
    m_dialogs.boneSequence(this, item, getHierarchy());
}

void VxHierarchyEditorView::setRotationOnSelected(int orderId)
{
    if (orderId < VxHierarchyContextMenus::FirstRotationOrder || orderId > VxHierarchyContextMenus::LastRotationOrder)
        return;
    const VxRotationOrder order(orderId - VxHierarchyContextMenus::FirstRotationOrder);
    for (QTreeWidgetItem* item : selectedItemsInTreeOrder()) {
        auto* boneItem = vxHierarchyItemCast<VxHierarchyBoneItem>(item);
        if (boneItem && boneItem->getBone())
            boneItem->getBone()->setRotationOrder(order);
    }
}

void VxHierarchyEditorView::setJointsParamsOnSelected()
{
    VxFSHierarchy* document = getHierarchy();
    if (!document)
        return;
    const bool parametric = document->getFigureType() == Poser;
    const auto& dialog = parametric ? m_dialogs.jointParameters : m_dialogs.weightMaps;
    if (!dialog) {
        qWarning("VxHierarchyEditorView: the %s dialog is not available in this build.",
                 parametric ? "joint parameter" : "weight map");
        return;
    }
    dialog(this);
}

void VxHierarchyEditorView::expandSelected(bool open)
{
    for (QTreeWidgetItem* item : selectedItemsInTreeOrder()) {
        if (auto* boneItem = vxHierarchyItemCast<VxHierarchyBoneItem>(item))
            boneItem->setOpen(open);
        else if (auto* root = vxHierarchyItemCast<VxHierarchyItem>(item))
            root->setOpen(open);
        else if (auto* container = vxHierarchyItemCast<VxHierarchyBoneContainerItem>(item))
            container->setOpen(open);
    }
}

void VxHierarchyEditorView::expandSelectedandChildren()
{
    expandSelected(true);
}

void VxHierarchyEditorView::collapseSelectedandChildren()
{
    expandSelected(false);
}

void VxHierarchyEditorView::figureTypeChanged(VxFigureSetupFigureType type)
{
    if (VxFSHierarchy* document = getHierarchy())
        fromHierarchy(document);
    emit figureChanged(type);
}

// ---- Welds --------------------------------------------------------------------------

void VxHierarchyEditorView::removeWeldOnSelected(QTreeWidgetItem* item, int weldId)
{
    auto* boneItem = vxHierarchyItemCast<VxHierarchyBoneItem>(item);
    VxFSHierarchyItem* bone = boneItem ? boneItem->getBone() : nullptr;
    if (bone)
        bone->removeWeldTarget(bone->getWeldTarget(weldId - VxHierarchyContextMenus::FirstWeld));
}

void VxHierarchyEditorView::weldSelectedToNone()
{
    for (QTreeWidgetItem* item : selectedItemsInTreeOrder()) {
        auto* boneItem = vxHierarchyItemCast<VxHierarchyBoneItem>(item);
        if (boneItem && boneItem->getBone())
            boneItem->getBone()->setWeldTarget(nullptr);
    }
}

void VxHierarchyEditorView::weldSelectedToParent()
{
    for (QTreeWidgetItem* item : selectedItemsInTreeOrder()) {
        auto* boneItem = vxHierarchyItemCast<VxHierarchyBoneItem>(item);
        auto* parentItem = boneItem ? vxHierarchyItemCast<VxHierarchyBoneItem>(boneItem->parent()) : nullptr;
        if (parentItem && boneItem->getBone() && parentItem->getBone())
            boneItem->getBone()->setWeldTarget(parentItem->getBone());
    }
}

void VxHierarchyEditorView::weldSelectedToBone()
{
    if (!m_dialogs.weldToBone) {
        qWarning("VxHierarchyEditorView: the weld dialog is not available in this build.");
        return;
    }
    m_dialogs.weldToBone(this, getHierarchy());
    if (m_rootItem)
        m_rootItem->refresh(true);
}

// ---- Geometry -----------------------------------------------------------------------

void VxHierarchyEditorView::removeSelectedGeom(QList<QTreeWidgetItem*>& selected)
{
    for (QTreeWidgetItem* item : qAsConst(selected)) {
        if (auto* geometry = vxHierarchyItemCast<VxHierarchyGeomItem>(item))
            geometry->setGeomGroup(nullptr);
        else if (auto* base = vxHierarchyItemCast<VxHierarchyBaseGeomItem>(item))
            base->setBaseGeometry(nullptr);
    }
}

void VxHierarchyEditorView::removeSelectedAltGeom(QList<QTreeWidgetItem*>& selected)
{
    // Removing one alternate makes its list's children again, so the pairs are read first.
    QList<QPair<VxHierarchyAltGeomListItem*, QPointer<VxFSGeomItem>>> removals;
    for (QTreeWidgetItem* item : qAsConst(selected)) {
        auto* alternate = vxHierarchyItemCast<VxHierarchyAltGeomItem>(item);
        auto* list = alternate ? vxHierarchyItemCast<VxHierarchyAltGeomListItem>(alternate->parent()) : nullptr;
        if (list)
            removals.append(qMakePair(list, QPointer<VxFSGeomItem>(alternate->getGeometry())));
    }
    for (const auto& removal : qAsConst(removals)) {
        if (removal.second)
            removal.first->removeAltGeometry(removal.second);
    }
}

void VxHierarchyEditorView::clearSelectedAltGeoms(QList<QTreeWidgetItem*>& selected)
{
    QList<VxHierarchyAltGeomListItem*> lists;
    for (QTreeWidgetItem* item : qAsConst(selected)) {
        QTreeWidgetItem* listItem = item->type() == VxHierarchyAltGeomItem::Type ? item->parent() : item;
        auto* list = vxHierarchyItemCast<VxHierarchyAltGeomListItem>(listItem);
        if (list && !lists.contains(list))
            lists.append(list);
    }
    for (VxHierarchyAltGeomListItem* list : qAsConst(lists))
        list->clearAltGeometries();
}

// ---- Regions ------------------------------------------------------------------------

void VxHierarchyEditorView::createRegion()
{
    VxFSHierarchy* document = getHierarchy();
    QTreeWidgetItem* target = nullptr;
    for (QTreeWidgetItem* item : selectedItemsInTreeOrder()) {
        if (item->type() == VxHierarchyRegionItem::Type || item->type() == VxHierarchyRegionContainerItem::Type) {
            target = item;
            break;
        }
    }
    VxFSRegionItem* region = nullptr;
    if (auto* regionItem = vxHierarchyItemCast<VxHierarchyRegionItem>(target)) {
        if (!regionItem->getRegion())
            return;
        region = new VxFSRegionItem(regionItem->getRegion(), QStringLiteral("NewRegion"));
    } else if (target && document && !document->getFirstRegion()) {
        // The tree has one root region; the container takes no second one.
        region = new VxFSRegionItem(document, QStringLiteral("NewRegion"));
    } else {
        return;
    }
    auto* newItem = new VxHierarchyRegionItem(region, target, VxHierarchyTreeItem::lastChild(target));
    newItem->setRegion(region);
    target->setExpanded(true);
    startRename(newItem, NameColumn);
}

void VxHierarchyEditorView::removeRegion(bool recurse)
{
    VxHierarchyItemRemover::removeRegions(selectedOfType(VxHierarchyRegionItem::Type), recurse);
}

// ---- Drag and drop ------------------------------------------------------------------

QDrag* VxHierarchyEditorView::dragObject()
{
    const QList<QTreeWidgetItem*> selected = selectedItemsInTreeOrder();
    QTreeWidgetItem* first = selected.value(0, nullptr);
    if (auto* bone = vxHierarchyItemCast<VxHierarchyBoneItem>(first))
        return new VxHierarchyBoneDrag(bone, this);
    if (auto* region = vxHierarchyItemCast<VxHierarchyRegionItem>(first))
        return new VxHierarchyRegionDrag(region, this);
    return nullptr;
}

void VxHierarchyEditorView::startDrag(Qt::DropActions supportedActions)
{
    Q_UNUSED(supportedActions)
    if (QDrag* drag = dragObject())
        drag->exec(Qt::MoveAction);
}

bool VxHierarchyEditorView::acceptsDrop(QTreeWidgetItem* item, const QMimeData* source)
{
    return VxHierarchyDropHandler(this).acceptsDrop(item, source);
}

void VxHierarchyEditorView::dragEnterEvent(QDragEnterEvent* event)
{
    // The item view's own handling knows only its item-model format; it would refuse.
    if (VxHierarchyDropHandler::providesAnyFormat(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void VxHierarchyEditorView::dragMoveEvent(QDragMoveEvent* event)
{
    // The item view scrolls near the edges; whether the drop is taken is decided here.
    QTreeWidget::dragMoveEvent(event);
    if (acceptsDrop(itemAt(event->pos()), event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void VxHierarchyEditorView::dragLeaveEvent(QDragLeaveEvent* event)
{
    QTreeWidget::dragLeaveEvent(event);
}

void VxHierarchyEditorView::dropEvent(QDropEvent* event)
{
    stopAutoScroll();
    setState(NoState);
    if (VxHierarchyDropHandler(this).drop(itemAt(event->pos()), event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}
