#include "vxgeometrygrouplistitem.h"

#include "vxfsgeomgroup.h"

VxGeometryGroupListItem::VxGeometryGroupListItem(QTreeWidgetItem* parent, VxFSGeomGroup* group)
    : QTreeWidgetItem(parent, Type), m_group(group)
{
    refresh();
}

void VxGeometryGroupListItem::refresh()
{
    if (m_group)
        setText(0, m_group->getName());
}
