#include "vxhierarchyregioncontaineritem.h"

#include "vxhierarchyregionitem.h"

VxHierarchyRegionContainerItem::VxHierarchyRegionContainerItem(QTreeWidgetItem* parent, QTreeWidgetItem* after)
    : VxHierarchyTreeItem(Type)
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    setText(0, QStringLiteral("Regions"));
    setStylePixmap(0x5c);
    // Placed once it is complete: an item in a view announces every change.
    place(this, parent, after);
}

void VxHierarchyRegionContainerItem::setOpen(bool open)
{
    setExpanded(open);
    for (int i = 0; i < childCount(); ++i) {
        if (auto* region = vxHierarchyItemCast<VxHierarchyRegionItem>(child(i)))
            region->setOpen(open);
    }
}
