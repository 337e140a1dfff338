#include "vxhierarchybasegeomitem.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"

void VxHierarchyBaseGeomItemObject::geomChanged()
{
    m_item->refresh();
}

VxHierarchyBaseGeomItem::VxHierarchyBaseGeomItem(VxFSHierarchy* hierarchy, QTreeWidgetItem* parent,
                                                 QTreeWidgetItem* after)
    : VxHierarchyTreeItem(Type),
      m_hierarchy(hierarchy),
      m_proxy(new VxHierarchyBaseGeomItemObject(this))
{
    // Geometries land here through the view's drop rules; the flags keep the list view's
    // generic handling away.
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    setStylePixmap(0x57);
    if (hierarchy)
        QObject::connect(hierarchy, &VxFSHierarchy::geometryChanged, m_proxy.get(),
                         &VxHierarchyBaseGeomItemObject::geomChanged);
    refresh();
    // Placed once it is complete: an item in a view announces every change.
    place(this, parent, after);
}

VxHierarchyBaseGeomItem::~VxHierarchyBaseGeomItem() = default;

void VxHierarchyBaseGeomItem::setBaseGeometry(VxFSGeomItem* geometry)
{
    if (!m_hierarchy)
        return;
    m_hierarchy->setBaseGeometry(geometry);
    refresh();
}

void VxHierarchyBaseGeomItem::refresh()
{
    const VxFSGeomItem* geometry = m_hierarchy ? m_hierarchy->getBaseGeometry() : nullptr;
    setText(0, geometry ? QStringLiteral("Geometry: %1").arg(geometry->getIndex()) : QStringLiteral("Geometry: <none>"));
}
