#include "vxhierarchygeomcontaineritem.h"

#include "vxhierarchyaltgeomlistitem.h"
#include "vxhierarchygeomitem.h"

VxHierarchyGeomContainerItem::VxHierarchyGeomContainerItem(VxFSHierarchyItem* bone, QTreeWidgetItem* parent,
                                                           QTreeWidgetItem* after)
    : VxHierarchyTreeItem(Type), m_bone(bone)
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    // Both go to the head: the face group item made last shows first.
    m_altGeomListItem = new VxHierarchyAltGeomListItem(bone, this, nullptr);
    m_geomItem = new VxHierarchyGeomItem(bone, this, nullptr);
    setText(0, QStringLiteral("Geometry"));
    setStylePixmap(0x59);
    refresh();
    // Placed once it is complete: an item in a view announces every change.
    place(this, parent, after);
}

void VxHierarchyGeomContainerItem::refresh()
{
    setText(0, QStringLiteral("Geometry"));
    m_geomItem->refresh();
    m_altGeomListItem->refreshTexts();
}
