#include "vxfsgeometryregionhierarchyitem.h"

#include "vxgeometryregion.h"

VxFSGeometryRegionHierarchyItem::VxFSGeometryRegionHierarchyItem(VxGeometryRegion* region) : m_region(region)
{
    if (!region)
        return;
    QListIterator<VxGeometryRegion*> children = region->geometryRegionChildItr();
    while (children.hasNext())
        addChild(new VxFSGeometryRegionHierarchyItem(children.next()));
}

VxFSGeometryRegionHierarchyItem::~VxFSGeometryRegionHierarchyItem() = default;

VxGeometryRegion* VxFSGeometryRegionHierarchyItem::getRegion() const
{
    return m_region.data();
}

QVariant VxFSGeometryRegionHierarchyItem::data(int column, int role) const
{
    if (column != 0 || role != Qt::DisplayRole)
        return QVariant();
    return m_region ? m_region->getLabel() : QString();
}
