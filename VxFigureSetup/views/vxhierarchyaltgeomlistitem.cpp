#include "vxhierarchyaltgeomlistitem.h"

#include "vxhierarchyaltgeomitem.h"

#include "vxfshierarchyitem.h"

void VxHierarchyAltGeomItemObject::geomChanged()
{
    m_item->rebuild();
}

VxHierarchyAltGeomListItem::VxHierarchyAltGeomListItem(VxFSHierarchyItem* bone, QTreeWidgetItem* parent,
                                                       QTreeWidgetItem* after)
    : VxHierarchyTreeItem(Type), m_bone(bone), m_proxy(new VxHierarchyAltGeomItemObject(this))
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDropEnabled);
    if (bone)
        QObject::connect(bone, &VxFSHierarchyItem::altGeometryChanged, m_proxy.get(),
                         &VxHierarchyAltGeomItemObject::geomChanged);
    rebuild();
    // Placed once it is complete: an item in a view announces every change.
    place(this, parent, after);
}

VxHierarchyAltGeomListItem::~VxHierarchyAltGeomListItem() = default;

void VxHierarchyAltGeomListItem::removeAltGeometry(VxFSGeomItem* geometry)
{
    if (!m_bone)
        return;
    m_bone->removeAltGeometry(geometry);
    rebuild();
}

void VxHierarchyAltGeomListItem::clearAltGeometries()
{
    if (!m_bone)
        return;
    m_bone->clearAltGeometries();
    rebuild();
}

void VxHierarchyAltGeomListItem::rebuild()
{
    qDeleteAll(takeChildren());
    if (m_bone) {
        // Each child goes to the head, so walking backwards shows the bone's order.
        for (int i = m_bone->getNumAltGeometries() - 1; i >= 0; --i)
            new VxHierarchyAltGeomItem(m_bone->getAltGeometry(i), this, nullptr);
    }
    refreshTexts();
}

void VxHierarchyAltGeomListItem::refreshTexts()
{
    setText(0, QStringLiteral("Alternate(s)"));
    for (int i = 0; i < childCount(); ++i) {
        if (auto* alternate = vxHierarchyItemCast<VxHierarchyAltGeomItem>(child(i)))
            alternate->refresh();
    }
}
