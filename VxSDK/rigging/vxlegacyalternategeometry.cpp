#include "vxlegacyalternategeometry.h"

#include "vxnode.h"
#include "vxobject.h"

VxLegacyAlternateGeometry::VxLegacyAlternateGeometry(VxNode* bone, QObject* parent)
    : VxElement(parent), m_bone(bone)
{
}

VxLegacyAlternateGeometry::~VxLegacyAlternateGeometry() = default;

void VxLegacyAlternateGeometry::setObject(VxObject* object)
{
    if (object == m_object.get())
        return;
    m_object.reset(object);
    if (object)
        object->setElementParent(this);
}
