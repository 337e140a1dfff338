#include "vxhierarchybonecontaineritem.h"

#include "vxhierarchyboneitem.h"

VxHierarchyBoneContainerItem::VxHierarchyBoneContainerItem(QTreeWidgetItem* parent, QTreeWidgetItem* after)
    : VxHierarchyTreeItem(Type)
{
    // The view's own drop rules let bones land here; the item flags only keep the list
    // view's generic drag, drop and rename handling away from it.
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    setText(0, QStringLiteral("Bones"));
    setStylePixmap(0x56);
    // Placed once it is complete: an item in a view announces every change.
    place(this, parent, after);
}

void VxHierarchyBoneContainerItem::setOpen(bool open)
{
    setExpanded(open);
    for (int i = 0; i < childCount(); ++i) {
        if (auto* bone = vxHierarchyItemCast<VxHierarchyBoneItem>(child(i)))
            bone->setOpen(open);
    }
}
