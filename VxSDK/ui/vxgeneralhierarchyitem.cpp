#include "vxgeneralhierarchyitem.h"

VxGeneralHierarchyItem::VxGeneralHierarchyItem() = default;

VxGeneralHierarchyItem::~VxGeneralHierarchyItem()
{
    for (VxGeneralHierarchyItem* child : m_children) {
        // A child a view still holds outlives its parent: it must not point back at it.
        child->m_parent = nullptr;
        child->unref();
    }
}

void VxGeneralHierarchyItem::addChild(VxGeneralHierarchyItem* child)
{
    if (!child || child == this || child->m_parent) {
        qWarning("VxGeneralHierarchyItem::addChild: the child is null, this item or already placed");
        return;
    }
    child->ref();
    child->m_parent = this;
    child->m_row = m_children.size();
    m_children.append(child);
}

int VxGeneralHierarchyItem::getDepth() const
{
    int depth = 0;
    for (const VxGeneralHierarchyItem* up = m_parent; up; up = up->m_parent)
        ++depth;
    return depth;
}

QVariant VxGeneralHierarchyItem::data(int column, int role) const
{
    Q_UNUSED(column)
    Q_UNUSED(role)
    return QVariant();
}

bool VxGeneralHierarchyItem::setData(int column, const QVariant& value, int role)
{
    Q_UNUSED(column)
    Q_UNUSED(value)
    Q_UNUSED(role)
    return false;
}
