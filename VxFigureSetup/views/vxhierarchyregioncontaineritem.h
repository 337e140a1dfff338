#pragma once

#include "vxhierarchytreeitem.h"

// The "Regions" item below the document (not for parametric figures): its one child is the
// item of the document's root region.
class VxHierarchyRegionContainerItem : public VxHierarchyTreeItem
{
public:
    enum { Type = 4135 };

    VxHierarchyRegionContainerItem(QTreeWidgetItem* parent, QTreeWidgetItem* after);

    // Opens or closes this item and every region item below it.
    void setOpen(bool open);
};
