#include "vxgeometrylistitem.h"

#include "vxgeometrygrouplistitem.h"

#include "vxfsgeomitem.h"

#include "vxstyle.h"

VxGeometryListItem::VxGeometryListItem(VxFSGeomItem* geometry)
    : QTreeWidgetItem(Type), m_geometry(geometry)
{
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    setIcon(0, VxStyle::icon(VxStyle::PixmapGeometry));
    refresh();
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
