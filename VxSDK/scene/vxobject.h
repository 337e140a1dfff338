#pragma once

#include "vxelement.h"
#include "vxownedlist.h"

#include <QList>
#include <QListIterator>

#include <memory>

class VxGeometry;
class VxModifier;
class VxNode;
class VxPoseEvaluator;
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

    // The evaluated geometry. For a figure (single-skin or parametric) it is a VxFacetMesh of
    // its own with the skin's topology and the positions posed by the figure's rig, in the
    // figure's frame (see VxPoseEvaluator); for any other node, the current shape's geometry.
    // It is computed on the first request after a change of pose, rig or skin and kept until
    // the next; cachedGeomChanged() announces each such change.
    VxGeometry* getCachedGeom() const;
    // Weight maps change without signals: code that paints or replaces them calls this.
    void invalidateCachedGeom();
    // How many times getCachedGeom() computed posed positions.
    int getCachedGeomEvaluationCount() const;
    // What the last evaluation had to work around (weights sized for another mesh); empty
    // when nothing.
    QString getCachedGeomProblem() const;

signals:
    void shapesChanged();
    void modifiersChanged();
    void cachedGeomChanged();

private:
    QList<VxShape*> m_shapes;
    VxOwnedList<VxModifier> m_modifiers;
    int m_currentShape = -1;
    mutable std::unique_ptr<VxPoseEvaluator> m_poseEvaluator;
};
