#pragma once

#include "vxelement.h"
#include "vxorientedbox3.h"
#include "vxrotationorder.h"
#include "vxvec3.h"

#include <QList>

#include <memory>

class VxObject;
class VxPresentation;
class VxProperty;
class VxScene;
class VxSkeleton;

// A node of the scene graph: a name and label, a parent and ordered children, an origin and
// an end point (each with a current and a default value), rotation and translation controls,
// a rotation order, an optional object holding its geometry, a presentation and data items.
//
// Origins and end points are figure-space rest positions. A node's translation controls
// offset it and everything below it; getWorldOffset() sums them up the parent chain.
//
// Ownership: a node owns its node children and its object. A node added to the scene without
// a node parent is owned by the scene; a node in neither is owned by whoever made it.
class VXSDK_EXPORT VxNode : public VxElement
{
    Q_OBJECT
public:
    explicit VxNode(QObject* parent = nullptr);
    ~VxNode() override;

    VxScene* getScene() const { return m_scene; }

    // --- hierarchy
    VxNode* getNodeParent() const { return m_parent; }
    int getNumNodeChildren() const { return m_children.size(); }
    VxNode* getNodeChild(int index) const { return m_children.value(index); }
    // Direct children in order; with `recursive`, all descendants in pre-order.
    QList<VxNode*> getNodeChildren(bool recursive = false) const;
    // Appends `child` (taking it from its current parent). With keepWorldPosition the
    // child's translation controls are adjusted so that it stays where it is in the world;
    // without, it keeps its own values and follows its new parent. Refuses null, itself
    // and its own ancestors.
    bool addNodeChild(VxNode* child, bool keepWorldPosition);
    // Detaches `child`; it becomes a top-level node of the scene when it is in one.
    bool removeNodeChild(VxNode* child, bool keepWorldPosition);
    bool isAncestorOf(const VxNode* node) const;
    // A skeleton returns itself, a bone the skeleton above it, other nodes null.
    virtual VxSkeleton* getSkeleton() const { return nullptr; }

    // --- placement. `defaultValue` false reads the current value; `alsoDefault` true writes
    // the default (rest) value as well as the current one.
    VxVec3 getOrigin(bool defaultValue = false) const;
    void setOrigin(const VxVec3& origin, bool alsoDefault);
    VxVec3 getEndPoint(bool defaultValue = false) const;
    void setEndPoint(const VxVec3& endPoint, bool alsoDefault);
    // Sum of the translation control values of this node and its ancestors.
    VxVec3 getWorldOffset() const;

    VxRotationOrder getRotationOrder() const { return m_rotationOrder; }
    void setRotationOrder(const VxRotationOrder& order);

    VxProperty* getXRotControl() const { return m_controls[0]; }
    VxProperty* getYRotControl() const { return m_controls[1]; }
    VxProperty* getZRotControl() const { return m_controls[2]; }
    VxProperty* getXPosControl() const { return m_controls[3]; }
    VxProperty* getYPosControl() const { return m_controls[4]; }
    VxProperty* getZPosControl() const { return m_controls[5]; }
    // Rotation control of axis 0, 1 or 2; null for any other axis.
    VxProperty* getRotControl(int axis) const;
    VxProperty* getPosControl(int axis) const;

    // --- contents
    VxObject* getObject() const { return m_object.get(); }
    // Takes ownership; the previous object is deleted.
    void setObject(VxObject* object);
    VxPresentation* getPresentation() const { return m_presentation; }

    // World-space box of the node. Nodes with geometry give the box of their current shape;
    // others (and bones, see VxBone) the box spanning origin and end point. The transform is
    // the identity.
    virtual VxOrientedBox3 getWSOrientedBox() const;

    // Selection through the scene; nothing when the node is not in one.
    void select(bool onOff);
    bool isSelected() const;

signals:
    void nodeParentChanged(VxNode* node);
    void childrenChanged();
    void originChanged();
    void endPointChanged();
    void rotationOrderChanged();
    void objectChanged();

private:
    friend class VxScene;
    void detachFromParent();

    VxScene* m_scene = nullptr;
    VxNode* m_parent = nullptr;
    QList<VxNode*> m_children;
    VxVec3 m_origin, m_defaultOrigin, m_endPoint, m_defaultEndPoint;
    VxRotationOrder m_rotationOrder;
    VxProperty* m_controls[6];
    std::unique_ptr<VxObject> m_object;
    VxPresentation* m_presentation;
};
