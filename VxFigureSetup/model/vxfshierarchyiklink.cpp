#include "vxfshierarchyiklink.h"

#include "vxfshierarchyitem.h"

VxFSHierarchyIKLink::VxFSHierarchyIKLink(VxFSHierarchyItem* bone, float weight)
    : m_bone(bone), m_weight(weight)
{
    if (!bone)
        return;
    connect(bone, &VxFSHierarchyItem::nameChanged, this, &VxFSHierarchyIKLink::nameChanged);
    connect(bone, &QObject::destroyed, this, &VxFSHierarchyIKLink::linkDestroyed);
}

VxFSHierarchyIKLink::~VxFSHierarchyIKLink()
{
    emit aboutToDelete(this);
    m_bone = nullptr;
}

void VxFSHierarchyIKLink::setWeight(float weight)
{
    if (weight == m_weight)
        return;
    m_weight = weight;
    emit weightChanged();
}

void VxFSHierarchyIKLink::linkDestroyed()
{
    delete this;
}
