#pragma once

#include "vxelement.h"
#include "vxrefcounted.h"

#include <QList>

class VxGeometry;
class VxGeometryRegion;
class VxMaterial;
class VxNode;

// A renderable piece of geometry with its materials. Shapes are reference counted: an
// object that holds a shape, and a document item that loaded one, each keep a reference.
class VXSDK_EXPORT VxShape : public VxElement, public VxRefCounted
{
    Q_OBJECT
public:
    explicit VxShape(QObject* parent = nullptr);
    ~VxShape() override;

    virtual VxGeometry* getGeometry() const = 0;

    int getNumMaterials() const { return m_materials.size(); }
    VxMaterial* getMaterial(int index) const { return m_materials.value(index); }
    // Index of the first material with that object name, or -1.
    int findMaterialIndex(const QString& name) const;
    // The shape holds one reference on each of its materials.
    void addMaterial(VxMaterial* material);
    // Puts `replacement` in the slot of `old`; false when `old` is not a material here.
    bool replaceMaterial(VxMaterial* old, VxMaterial* replacement);
    bool removeMaterial(VxMaterial* material);

    // The shape a node shows: its object's current shape (for a figure, the skin shape);
    // null when the node has no object or the object no shape.
    static VxShape* getCurrentShapeForNode(const VxNode* node);

    // The root of the shape's region tree, or null. The shape owns it; setting another root
    // deletes the previous one.
    VxGeometryRegion* getGeometryRegion() const { return m_region; }
    void setGeometryRegion(VxGeometryRegion* region);

signals:
    void materialsChanged();
    void geometryRegionChanged();

private:
    QList<VxMaterial*> m_materials;
    VxGeometryRegion* m_region = nullptr;
};
