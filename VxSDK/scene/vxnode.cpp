#include "vxnode.h"

#include "vxgeometry.h"
#include "vxobject.h"
#include "vxpresentation.h"
#include "vxproperty.h"
#include "vxscene.h"
#include "vxshape.h"

VxNode::VxNode(QObject* parent) : VxElement(parent)
{
    static const char* const names[6] = {"xRotate", "yRotate", "zRotate",
                                          "xTranslate", "yTranslate", "zTranslate"};
    static const char* const labels[6] = {"Rotate X", "Rotate Y", "Rotate Z",
                                           "Translate X", "Translate Y", "Translate Z"};
    for (int i = 0; i < 6; ++i) {
        m_controls[i] = new VxProperty(QLatin1String(names[i]), QLatin1String(labels[i]), this);
        m_controls[i]->setElementParent(this);
    }
    m_presentation = new VxPresentation(this);
    m_presentation->setElementParent(this);
}

VxNode::~VxNode()
{
    // Children go first: each one detaches itself from this node and from the scene.
    const QList<VxNode*> children = m_children;
    for (VxNode* child : children)
        delete child;
    if (m_parent)
        m_parent->m_children.removeOne(this);
    if (m_scene)
        m_scene->forgetNode(this);
}

QList<VxNode*> VxNode::getNodeChildren(bool recursive) const
{
    if (!recursive)
        return m_children;
    QList<VxNode*> all;
    for (VxNode* child : m_children) {
        all.append(child);
        all.append(child->getNodeChildren(true));
    }
    return all;
}

bool VxNode::isAncestorOf(const VxNode* node) const
{
    for (const VxNode* p = node ? node->m_parent : nullptr; p; p = p->m_parent) {
        if (p == this)
            return true;
    }
    return false;
}

bool VxNode::addNodeChild(VxNode* child, bool keepWorldPosition)
{
    if (!child || child == this || child->isAncestorOf(this))
        return false;
    if (child->m_parent == this)
        return true;
    const VxVec3 worldBefore = child->getWorldOffset();
    child->detachFromParent();
    child->m_parent = this;
    m_children.append(child);
    if (keepWorldPosition) {
        const VxVec3 delta = worldBefore - child->getWorldOffset();
        for (int axis = 0; axis < 3; ++axis)
            child->getPosControl(axis)->setValue(child->getPosControl(axis)->getValue() + delta[axis]);
    }
    if (m_scene && child->m_scene == m_scene)
        m_scene->nodeReparented(child);
    emit childrenChanged();
    emit child->nodeParentChanged(child);
    return true;
}

bool VxNode::removeNodeChild(VxNode* child, bool keepWorldPosition)
{
    if (!child || child->m_parent != this)
        return false;
    const VxVec3 worldBefore = child->getWorldOffset();
    child->detachFromParent();
    if (keepWorldPosition) {
        const VxVec3 delta = worldBefore - child->getWorldOffset();
        for (int axis = 0; axis < 3; ++axis)
            child->getPosControl(axis)->setValue(child->getPosControl(axis)->getValue() + delta[axis]);
    }
    if (child->m_scene)
        child->m_scene->nodeReparented(child);
    emit child->nodeParentChanged(child);
    return true;
}

void VxNode::detachFromParent()
{
    if (!m_parent)
        return;
    VxNode* parent = m_parent;
    parent->m_children.removeOne(this);
    m_parent = nullptr;
    emit parent->childrenChanged();
}

VxVec3 VxNode::getOrigin(bool defaultValue) const
{
    return defaultValue ? m_defaultOrigin : m_origin;
}

void VxNode::setOrigin(const VxVec3& origin, bool alsoDefault)
{
    if (alsoDefault)
        m_defaultOrigin = origin;
    if (m_origin == origin)
        return;
    m_origin = origin;
    emit originChanged();
}

VxVec3 VxNode::getEndPoint(bool defaultValue) const
{
    return defaultValue ? m_defaultEndPoint : m_endPoint;
}

void VxNode::setEndPoint(const VxVec3& endPoint, bool alsoDefault)
{
    if (alsoDefault)
        m_defaultEndPoint = endPoint;
    if (m_endPoint == endPoint)
        return;
    m_endPoint = endPoint;
    emit endPointChanged();
}

VxVec3 VxNode::getWorldOffset() const
{
    VxVec3 offset;
    for (const VxNode* n = this; n; n = n->m_parent)
        offset += VxVec3(n->m_controls[3]->getValue(), n->m_controls[4]->getValue(), n->m_controls[5]->getValue());
    return offset;
}

void VxNode::setRotationOrder(const VxRotationOrder& order)
{
    if (m_rotationOrder == order)
        return;
    m_rotationOrder = order;
    emit rotationOrderChanged();
}

VxProperty* VxNode::getRotControl(int axis) const
{
    return axis >= 0 && axis < 3 ? m_controls[axis] : nullptr;
}

VxProperty* VxNode::getPosControl(int axis) const
{
    return axis >= 0 && axis < 3 ? m_controls[3 + axis] : nullptr;
}

void VxNode::setObject(VxObject* object)
{
    if (object == m_object.get())
        return;
    m_object.reset(object);
    if (object)
        object->setElementParent(this);
    emit objectChanged();
}

VxOrientedBox3 VxNode::getWSOrientedBox() const
{
    if (VxShape* shape = VxShape::getCurrentShapeForNode(this)) {
        if (VxGeometry* geometry = shape->getGeometry()) {
            const VxBox3 box = geometry->getBoundingBox();
            if (!box.isEmpty())
                return VxOrientedBox3(box, VxMatrix4());
        }
    }
    VxBox3 box;
    box.extendBy(m_origin);
    box.extendBy(m_endPoint);
    return VxOrientedBox3(box, VxMatrix4());
}

void VxNode::select(bool onOff)
{
    if (m_scene)
        m_scene->selectNode(this, onOff);
}

bool VxNode::isSelected() const
{
    return m_scene && m_scene->isNodeSelected(this);
}
