#pragma once

#include "vxgeneralhierarchyitem.h"

#include <QPointer>

class VxGeometryRegion;

// One row of the region editor's tree: a host region, with one child row per child region.
// The region is held by a guarded pointer, so a region the host destroys leaves a row with an
// empty label until the tree is rebuilt, instead of a dangling pointer.
class VxFSGeometryRegionHierarchyItem : public VxGeneralHierarchyItem
{
public:
    // Builds the rows of the region's whole subtree, children in the region's order.
    explicit VxFSGeometryRegionHierarchyItem(VxGeometryRegion* region);

    VxGeometryRegion* getRegion() const;

    // Column 0 shows the region's label.
    QVariant data(int column, int role) const override;

protected:
    ~VxFSGeometryRegionHierarchyItem() override;

private:
    QPointer<VxGeometryRegion> m_region;
};
