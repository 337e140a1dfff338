#include "vxmodifier.h"

#include "vxobject.h"

VxModifier::VxModifier(QObject* parent) : VxElement(parent) {}

VxModifier::~VxModifier() = default;

VxObject* VxModifier::getObject() const
{
    return qobject_cast<VxObject*>(getElementParent());
}
