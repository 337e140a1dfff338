#include "vxgeometrylistitem.h"

#include "vxfsgeomitem.h"

#include <QTreeWidget>

VxGeometryListItem::VxGeometryListItem(QTreeWidget* view, VxFSGeomItem* geometry)
    : QTreeWidgetItem(view, Type), m_geometry(geometry)
{
    if (!geometry)
        return;
    setText(0, geometry->getShortName());
    setText(1, QString::number(geometry->getIndex()));
}
