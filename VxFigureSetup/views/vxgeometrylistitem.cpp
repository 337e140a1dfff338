#include "vxgeometrylistitem.h"

#include "vxgeometrygrouplistitem.h"

#include "vxfsgeomitem.h"

#include "vxstyle.h"

#include <QTreeWidget>

VxGeometryListItem::VxGeometryListItem(VxFSGeomItem* geometry) : VxGeometryListItem(nullptr, geometry) {}

VxGeometryListItem::VxGeometryListItem(QTreeWidget* view, VxFSGeomItem* geometry)
    : QTreeWidgetItem(view, Type), m_geometry(geometry)
{
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    setIcon(0, VxStyle::icon(VxStyle::PixmapGeometry));
    refresh();
}

VxFSGeomItem* VxGeometryListItem::geometry() const
{
    return m_geometry;
}

void VxGeometryListItem::refresh()
{
    if (!m_geometry)
        return;
    setText(0, m_geometry->getShortName());
    setText(1, QString::number(m_geometry->getIndex()));
    for (int i = 0; i < childCount(); ++i) {
        if (child(i)->type() == VxGeometryGroupListItem::Type)
            static_cast<VxGeometryGroupListItem*>(child(i))->refresh();
    }
}
