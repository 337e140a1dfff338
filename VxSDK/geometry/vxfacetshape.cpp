#include "vxfacetshape.h"

#include "vxfacetmesh.h"

VxFacetShape::VxFacetShape(QObject* parent) : VxShape(parent) {}

VxFacetShape::~VxFacetShape()
{
    if (m_mesh)
        m_mesh->unref();
}

VxGeometry* VxFacetShape::getGeometry() const
{
    return m_mesh;
}

void VxFacetShape::setFacetMesh(VxFacetMesh* mesh)
{
    if (mesh == m_mesh)
        return;
    vxReplaceRef(m_mesh, mesh);
    emit geometryChanged();
}
