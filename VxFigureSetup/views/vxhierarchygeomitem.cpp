#include "vxhierarchygeomitem.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchyitem.h"

void VxHierarchyGeomItemObject::geomChanged()
{
    m_item->refresh();
}

VxHierarchyGeomItem::VxHierarchyGeomItem(VxFSHierarchyItem* bone, QTreeWidgetItem* parent, QTreeWidgetItem* after)
    : VxHierarchyTreeItem(Type), m_bone(bone), m_proxy(new VxHierarchyGeomItemObject(this))
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDropEnabled);
    setStylePixmap(0x58);
    if (bone)
        QObject::connect(bone, &VxFSHierarchyItem::geometryChanged, m_proxy.get(),
                         &VxHierarchyGeomItemObject::geomChanged);
    refresh();
    // Placed once it is complete: an item in a view announces every change.
    place(this, parent, after);
}

VxHierarchyGeomItem::~VxHierarchyGeomItem() = default;

void VxHierarchyGeomItem::setGeomGroup(VxFSGeomGroup* group)
{
    if (!m_bone)
        return;
    m_bone->setGeomGroup(group);
    refresh();
}

void VxHierarchyGeomItem::refresh()
{
    if (!m_bone)
        return;
    QString text = m_bone->getFigureType() == Poser ? QStringLiteral("Base: ") : QStringLiteral("Selection Group: ");
    const VxFSGeomGroup* group = m_bone->getGeomGroup();
    const VxFSGeomItem* geometry = group ? group->getGeomItem() : nullptr;
    if (geometry)
        text += QString::number(geometry->getIndex()) + QStringLiteral(": ") + group->getName();
    else
        text += QStringLiteral("<none>");
    setText(0, text);
}
