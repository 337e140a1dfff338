#include "vxfsgeomgroup.h"

#include "vxfsgeomitem.h"

VxFSGeomGroup::VxFSGeomGroup(const QString& name, VxFSGeomItem* geomItem)
    : m_name(name), m_geomItem(geomItem)
{
}

VxFSGeomGroup::~VxFSGeomGroup()
{
    // The assigning bone drops the group without releasing it (it only hears destroyed()),
    // so the group gives back its share of the item's count itself.
    if (m_assignCount > 0 && m_geomItem)
        m_geomItem->releaseAssignment();
    m_geomItem = nullptr;
}

void VxFSGeomGroup::addAssignment()
{
    ++m_assignCount;
    if (m_geomItem)
        m_geomItem->addAssignment();
}

void VxFSGeomGroup::releaseAssignment()
{
    if (m_assignCount > 0)
        --m_assignCount;
    if (m_geomItem)
        m_geomItem->releaseAssignment();
}
