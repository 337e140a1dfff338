#include "vxgeometrygrouplistitem.h"

#include "vxfsgeomgroup.h"

#include "vxstyle.h"

VxGeometryGroupListItem::VxGeometryGroupListItem(VxFSGeomGroup* group) : VxGeometryGroupListItem(nullptr, group) {}

VxGeometryGroupListItem::VxGeometryGroupListItem(QTreeWidgetItem* parent, VxFSGeomGroup* group)
    : QTreeWidgetItem(parent, Type), m_group(group)
{
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    setIcon(0, VxStyle::icon(VxStyle::PixmapFaceGroup));
    refresh();
}

VxFSGeomGroup* VxGeometryGroupListItem::group() const
{
    return m_group;
}

void VxGeometryGroupListItem::refresh()
{
    if (m_group)
        setText(0, m_group->getName());
}
