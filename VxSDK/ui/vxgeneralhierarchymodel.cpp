#include "vxgeneralhierarchymodel.h"

#include "vxgeneralhierarchyitem.h"

VxGeneralHierarchyModel::VxGeneralHierarchyModel(QObject* parent) : QAbstractItemModel(parent) {}

VxGeneralHierarchyModel::~VxGeneralHierarchyModel()
{
    for (VxGeneralHierarchyItem* item : m_topLevel)
        item->unref();
}

VxGeneralHierarchyItem* VxGeneralHierarchyModel::itemForIndex(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<VxGeneralHierarchyItem*>(index.internalPointer());
}

QModelIndex VxGeneralHierarchyModel::indexForItem(const VxGeneralHierarchyItem* item, int column) const
{
    if (!item)
        return QModelIndex();
    // An item may have left the tree while a view still holds it; only a placed one has an index.
    const VxGeneralHierarchyItem* parentItem = item->getParent();
    const bool placed = parentItem ? parentItem->getChild(item->getRow()) == item
                                   : m_topLevel.value(item->getRow()) == item;
    if (!placed)
        return QModelIndex();
    return createIndex(item->getRow(), column, const_cast<VxGeneralHierarchyItem*>(item));
}

void VxGeneralHierarchyModel::addTopLevelItem(VxGeneralHierarchyItem* item)
{
    if (!item || item->getParent() || m_topLevel.contains(item))
        return;
    const int row = m_topLevel.size();
    beginInsertRows(QModelIndex(), row, row);
    item->ref();
    item->m_row = row;
    m_topLevel.append(item);
    endInsertRows();
}

void VxGeneralHierarchyModel::clearTree()
{
    beginResetModel();
    const QList<VxGeneralHierarchyItem*> released = m_topLevel;
    m_topLevel.clear();
    endResetModel();
    // Released after the reset: views drop their indexes first.
    for (VxGeneralHierarchyItem* item : released)
        item->unref();
}

void VxGeneralHierarchyModel::setHeaderLabels(const QStringList& labels)
{
    beginResetModel();
    m_headerLabels = labels;
    endResetModel();
}

QModelIndex VxGeneralHierarchyModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= columnCount(parent))
        return QModelIndex();
    const VxGeneralHierarchyItem* parentItem = itemForIndex(parent);
    VxGeneralHierarchyItem* item = parentItem ? parentItem->getChild(row) : m_topLevel.value(row);
    return item ? createIndex(row, column, item) : QModelIndex();
}

QModelIndex VxGeneralHierarchyModel::parent(const QModelIndex& child) const
{
    const VxGeneralHierarchyItem* item = itemForIndex(child);
    return item ? indexForItem(item->getParent()) : QModelIndex();
}

int VxGeneralHierarchyModel::rowCount(const QModelIndex& parent) const
{
    // Only column 0 has children, as QTreeView expects.
    if (parent.isValid() && parent.column() != 0)
        return 0;
    const VxGeneralHierarchyItem* item = itemForIndex(parent);
    return item ? item->getNumChildren() : m_topLevel.size();
}

int VxGeneralHierarchyModel::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent)
    return qMax(1, m_headerLabels.size());
}

QVariant VxGeneralHierarchyModel::data(const QModelIndex& index, int role) const
{
    const VxGeneralHierarchyItem* item = itemForIndex(index);
    return item ? item->data(index.column(), role) : QVariant();
}

bool VxGeneralHierarchyModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    VxGeneralHierarchyItem* item = itemForIndex(index);
    if (!item || !item->setData(index.column(), value, role))
        return false;
    emit dataChanged(index, index, {role});
    return true;
}

QVariant VxGeneralHierarchyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < m_headerLabels.size())
        return m_headerLabels[section];
    return QAbstractItemModel::headerData(section, orientation, role);
}
