#include "vxdefaultmaterial.h"

VxDefaultMaterial::VxDefaultMaterial(QObject* parent) : VxMaterial(parent) {}

VxDefaultMaterial::~VxDefaultMaterial() = default;

bool VxDefaultMaterial::copyFrom(const VxElement* source)
{
    if (!VxMaterial::copyFrom(source))
        return false;
    if (const auto* other = qobject_cast<const VxDefaultMaterial*>(source)) {
        m_diffuseColor = other->m_diffuseColor;
        m_diffuseTexture = other->m_diffuseTexture;
    }
    return true;
}
