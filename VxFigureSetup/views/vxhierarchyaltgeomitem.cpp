#include "vxhierarchyaltgeomitem.h"

#include "vxfsgeomitem.h"

VxHierarchyAltGeomItem::VxHierarchyAltGeomItem(VxFSGeomItem* geometry, QTreeWidgetItem* parent,
                                               QTreeWidgetItem* after)
    : VxHierarchyTreeItem(Type, parent, after), m_geometry(geometry)
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    setStylePixmap(0x57);
    refresh();
}

void VxHierarchyAltGeomItem::refresh()
{
    if (m_geometry)
        setText(0, QStringLiteral("Alt Geom: %1").arg(m_geometry->getIndex()));
}
