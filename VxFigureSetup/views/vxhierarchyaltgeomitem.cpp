#include "vxhierarchyaltgeomitem.h"

#include "vxfsgeomitem.h"

VxHierarchyAltGeomItem::VxHierarchyAltGeomItem(VxFSGeomItem* geometry, QTreeWidgetItem* parent,
                                               QTreeWidgetItem* after)
    : VxHierarchyTreeItem(Type), m_geometry(geometry)
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    setStylePixmap(0x57);
    refresh();
    // Placed once it is complete: an item in a view announces every change.
    place(this, parent, after);
}

void VxHierarchyAltGeomItem::refresh()
{
    if (m_geometry)
        setText(0, QStringLiteral("Alt Geom: %1").arg(m_geometry->getIndex()));
}
