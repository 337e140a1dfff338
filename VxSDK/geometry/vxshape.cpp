#include "vxshape.h"

#include "vxmaterial.h"

VxShape::VxShape(QObject* parent) : VxElement(parent) {}

VxShape::~VxShape()
{
    for (VxMaterial* material : m_materials)
        material->unref();
}

int VxShape::findMaterialIndex(const QString& name) const
{
    for (int i = 0; i < m_materials.size(); ++i) {
        if (m_materials[i]->getName() == name)
            return i;
    }
    return -1;
}

void VxShape::addMaterial(VxMaterial* material)
{
    if (!material)
        return;
    material->ref();
    m_materials.append(material);
    emit materialsChanged();
}

bool VxShape::replaceMaterial(VxMaterial* old, VxMaterial* replacement)
{
    const int index = m_materials.indexOf(old);
    if (index < 0 || !replacement)
        return false;
    replacement->ref();
    m_materials[index] = replacement;
    old->unref();
    emit materialsChanged();
    return true;
}

bool VxShape::removeMaterial(VxMaterial* material)
{
    const int index = m_materials.indexOf(material);
    if (index < 0)
        return false;
    m_materials.removeAt(index);
    material->unref();
    emit materialsChanged();
    return true;
}
