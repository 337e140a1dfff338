#pragma once

#include "vxelement.h"
#include "vxrefcounted.h"

#include <QList>

class VxGeometry;
class VxMaterial;

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

signals:
    void materialsChanged();

private:
    QList<VxMaterial*> m_materials;
};
