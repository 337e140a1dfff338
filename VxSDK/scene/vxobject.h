#pragma once

#include "vxelement.h"
#include "vxownedlist.h"

#include <QList>
#include <QListIterator>

class VxGeometry;
class VxModifier;
class VxNode;
class VxShape;

// What a node shows: its shapes (one of them current, the one drawn) and the modifiers that
// deform them. The object holds a reference on each shape and owns its modifiers.
class VXSDK_EXPORT VxObject : public VxElement
{
    Q_OBJECT
public:
    explicit VxObject(QObject* parent = nullptr);
    ~VxObject() override;

    VxNode* getNode() const;

    int getNumShapes() const { return m_shapes.size(); }
    VxShape* getShape(int index) const { return m_shapes.value(index); }
    int findShape(const VxShape* shape) const;
    // Inserts at `index`; -1 (or any index past the end) appends.
    void addShape(VxShape* shape, int index = -1);
    bool removeShape(VxShape* shape);
    // The shape drawn: the one chosen with setCurrentShape, else the last shape.
    VxShape* getCurrentShape() const;
    // -1 returns to "the last shape".
    void setCurrentShape(int index);

    int getNumModifiers() const { return m_modifiers.size(); }
    VxModifier* getModifier(int index) const { return m_modifiers.value(index); }
    // Takes ownership; inserts at `index`, -1 appends.
    void addModifier(VxModifier* modifier, int index = -1);
    // Removes and deletes the modifier.
    bool removeModifier(VxModifier* modifier);
    QListIterator<VxModifier*> modifierIterator() const { return QListIterator<VxModifier*>(m_modifiers.items()); }

    // The evaluated geometry. The host has no posing, so every modifier is at rest and the
    // evaluated geometry is the current shape's own geometry.
    VxGeometry* getCachedGeom() const;

signals:
    void shapesChanged();
    void modifiersChanged();

private:
    QList<VxShape*> m_shapes;
    VxOwnedList<VxModifier> m_modifiers;
    int m_currentShape = -1;
};
