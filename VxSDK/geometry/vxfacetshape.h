#pragma once

#include "vxshape.h"

class VxFacetMesh;

// A shape whose geometry is a facet mesh. The mesh is shared, not copied: several shapes
// may show one mesh, each holding a reference.
class VXSDK_EXPORT VxFacetShape : public VxShape
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit VxFacetShape(QObject* parent = nullptr);
    ~VxFacetShape() override;

    VxGeometry* getGeometry() const override;
    VxFacetMesh* getFacetMesh() const { return m_mesh; }
    void setFacetMesh(VxFacetMesh* mesh);

signals:
    void geometryChanged();

private:
    VxFacetMesh* m_mesh = nullptr;
};
