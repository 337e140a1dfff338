#include "vxfsgeometryregionmodel.h"

#include "vxfsgeometryregionhierarchyitem.h"
#include "vxfsgeometryregionlistdrag.h"

#include "vxgeometryregion.h"
#include "vxstyle.h"

#include <QSet>

namespace {
constexpr int kRegionColumn = 0;
constexpr int kCardColumn = 1;
} // namespace

VxFSGeometryRegionModel::VxFSGeometryRegionModel(QObject* parent) : VxGeneralHierarchyModel(parent)
{
    setHeaderLabels({tr("Region"), tr("Card")});
}

VxFSGeometryRegionModel::~VxFSGeometryRegionModel() = default;

VxGeometryRegion* VxFSGeometryRegionModel::regionForIndex(const QModelIndex& index) const
{
    const auto* item = static_cast<const VxFSGeometryRegionHierarchyItem*>(itemForIndex(index));
    return item ? item->getRegion() : nullptr;
}

int VxFSGeometryRegionModel::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent)
    return 2;
}

QVariant VxFSGeometryRegionModel::data(const QModelIndex& index, int role) const
{
    const VxGeometryRegion* region = regionForIndex(index);
    if (index.column() == kCardColumn) {
        if (role != Qt::CheckStateRole || !region)
            return QVariant();
        return region->getDisplaysCards() ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::DecorationRole) {
        if (!region)
            return QVariant();
        return VxStyle::icon(region->getNumRegionFacetIndices() < 1 ? VxStyle::PixmapEmptyRegion
                                                                    : VxStyle::PixmapRegion);
    }
    // The editor starts from the label shown.
    if (role == Qt::EditRole)
        role = Qt::DisplayRole;
    return VxGeneralHierarchyModel::data(index, role);
}

bool VxFSGeometryRegionModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole && role != Qt::CheckStateRole)
        return VxGeneralHierarchyModel::setData(index, value, role);
    VxGeometryRegion* region = regionForIndex(index);
    if (!region)
        return false;
    if (role == Qt::CheckStateRole && index.column() == kCardColumn) {
        region->setDisplayCards(value.toInt() != 0);
        emit dataChanged(index, index);
        return true;
    }
    if (role == Qt::EditRole && index.column() == kRegionColumn) {
        if (!rename(region, value.toString()))
            return false;
        emit dataChanged(index, index);
        return true;
    }
    return false;
}

// Labels are unique within a region tree; a clash, an empty label or no change is refused
// without a message, and the editor shows the old label again.
bool VxFSGeometryRegionModel::rename(VxGeometryRegion* region, const QString& label)
{
    if (label.isEmpty() || label == region->getLabel())
        return false;
    if (region->getRootRegion()->findRegionByLabel(label, true))
        return false;
    region->setLabel(label);
    return true;
}

QVariant VxFSGeometryRegionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The labels answer for either orientation.
    if (role == Qt::DisplayRole)
        return VxGeneralHierarchyModel::headerData(section, Qt::Horizontal, role);
    return VxGeneralHierarchyModel::headerData(section, orientation, role);
}

QStringList VxFSGeometryRegionModel::mimeTypes() const
{
    return {QString::fromLatin1(VxFSGeometryRegionListDrag::kMimeType)};
}

QMimeData* VxFSGeometryRegionModel::mimeData(const QModelIndexList& indexes) const
{
    QList<VxGeometryRegion*> regions;
    for (const QModelIndex& index : indexes) {
        VxGeometryRegion* region = regionForIndex(index);
        // Both cells of a row may be listed; a region moves once.
        if (region && !regions.contains(region))
            regions.append(region);
    }
    if (regions.isEmpty())
        return nullptr;
    return new VxFSGeometryRegionListDrag(regions);
}

bool VxFSGeometryRegionModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                           const QModelIndex& parent)
{
    Q_UNUSED(row)
    Q_UNUSED(column)
    if (action != Qt::MoveAction || !data || !data->hasFormat(QString::fromLatin1(VxFSGeometryRegionListDrag::kMimeType)))
        return false;
    const QList<VxGeometryRegion*> dragged = shownRegions(VxFSGeometryRegionListDrag::decode(data));
    if (dragged.isEmpty())
        return false;

    // A drop on the empty area goes to the root of the first dragged region's tree.
    VxGeometryRegion* target = regionForIndex(parent);
    if (!target) {
        if (!dragged.first()->getGeometryRegionParent())
            return false;
        target = dragged.first()->getRootRegion();
    }
    // A region cannot go into itself or its own subtree.
    for (const VxGeometryRegion* up = target; up; up = up->getGeometryRegionParent()) {
        if (dragged.contains(const_cast<VxGeometryRegion*>(up)))
            return false;
    }

    if (m_reorder)
        moveBeside(target, dragged);
    else
        moveInto(target, dragged);
    return true;
}

void VxFSGeometryRegionModel::moveInto(VxGeometryRegion* target, const QList<VxGeometryRegion*>& regions)
{
    for (VxGeometryRegion* region : regions)
        target->addChildRegion(region);
}

// Every region goes to the index the target had before the drop, in list order, so the last
// one dragged ends up first. Beside the root there is no place: the regions become its
// children.
void VxFSGeometryRegionModel::moveBeside(VxGeometryRegion* target, const QList<VxGeometryRegion*>& regions)
{
    VxGeometryRegion* destination = target->getGeometryRegionParent();
    if (!destination) {
        moveInto(target, regions);
        return;
    }
    const int index = destination->getChildIndex(target);
    for (VxGeometryRegion* region : regions) {
        if (destination->getChildIndex(region) < 0)
            destination->addChildRegion(region);
        destination->changeChildIndex(region, index);
    }
}

QList<VxGeometryRegion*> VxFSGeometryRegionModel::shownRegions(const QList<VxGeometryRegion*>& addresses) const
{
    QSet<const void*> shown;
    QList<QModelIndex> pending{QModelIndex()};
    while (!pending.isEmpty()) {
        const QModelIndex parentIndex = pending.takeLast();
        for (int r = 0; r < rowCount(parentIndex); ++r) {
            const QModelIndex child = index(r, kRegionColumn, parentIndex);
            if (const VxGeometryRegion* region = regionForIndex(child))
                shown.insert(region);
            pending.append(child);
        }
    }
    QList<VxGeometryRegion*> regions;
    for (VxGeometryRegion* address : addresses) {
        if (shown.contains(address) && !regions.contains(address))
            regions.append(address);
    }
    return regions;
}

Qt::DropActions VxFSGeometryRegionModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

Qt::ItemFlags VxFSGeometryRegionModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsEnabled | Qt::ItemIsDropEnabled;
    if (index.column() == kCardColumn)
        return Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
    const VxGeometryRegion* region = regionForIndex(index);
    const Qt::ItemFlags plain = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;
    if (!region)
        return plain;
    if (!region->getGeometryRegionParent())
        return plain | Qt::ItemIsDropEnabled;
    return plain | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}
