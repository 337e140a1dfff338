#pragma once

#include "vxhierarchytreeitem.h"

// The "Bones" item below the document: the root bones are its children, in model order.
// Dropping a bone on it makes the bone a root bone; it cannot be renamed.
class VxHierarchyBoneContainerItem : public VxHierarchyTreeItem
{
public:
    enum { Type = 4149 };

    VxHierarchyBoneContainerItem(QTreeWidgetItem* parent, QTreeWidgetItem* after);

    // Opens or closes this item and every bone item below it.
    void setOpen(bool open);
};
