#include "vxshape.h"

#include "vxgeometryregion.h"
#include "vxmaterial.h"
#include "vxnode.h"
#include "vxobject.h"

VxShape::VxShape(QObject* parent) : VxElement(parent) {}

VxShape::~VxShape()
{
    delete m_region;
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

VxShape* VxShape::getCurrentShapeForNode(const VxNode* node)
{
    if (!node || !node->getObject())
        return nullptr;
    return node->getObject()->getCurrentShape();
}

void VxShape::setGeometryRegion(VxGeometryRegion* region)
{
    if (region == m_region)
        return;
    VxGeometryRegion* old = m_region;
    m_region = region;
    if (region) {
        if (VxGeometryRegion* parent = region->getGeometryRegionParent())
            parent->removeChildRegion(region);
        region->setElementParent(this);
    }
    // A root that was moved into another tree has left this shape already; keep it alive.
    if (old && old->getElementParent() == this)
        delete old;
    emit geometryRegionChanged();
}
