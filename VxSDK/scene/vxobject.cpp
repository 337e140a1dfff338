#include "vxobject.h"

#include "vxmodifier.h"
#include "vxnode.h"
#include "vxposeevaluator.h"
#include "vxshape.h"

VxObject::VxObject(QObject* parent) : VxElement(parent) {}

VxObject::~VxObject()
{
    m_poseEvaluator.reset(); // it watches the shapes and modifiers below
    m_modifiers.clear(); // before the shapes they deform
    const QList<VxShape*> shapes = m_shapes;
    m_shapes.clear();
    for (VxShape* shape : shapes) {
        if (shape->getElementParent() == this)
            shape->setElementParent(nullptr);
        shape->unref();
    }
}

VxNode* VxObject::getNode() const
{
    return qobject_cast<VxNode*>(getElementParent());
}

int VxObject::findShape(const VxShape* shape) const
{
    for (int i = 0; i < m_shapes.size(); ++i) {
        if (m_shapes[i] == shape)
            return i;
    }
    return -1;
}

void VxObject::addShape(VxShape* shape, int index)
{
    if (!shape || m_shapes.contains(shape))
        return;
    shape->ref();
    shape->setElementParent(this);
    if (index < 0 || index > m_shapes.size()) {
        m_shapes.append(shape);
    } else {
        m_shapes.insert(index, shape);
        if (m_currentShape >= index)
            ++m_currentShape; // the chosen shape stays chosen
    }
    emit shapesChanged();
}

bool VxObject::removeShape(VxShape* shape)
{
    const int index = findShape(shape);
    if (index < 0)
        return false;
    m_shapes.removeAt(index);
    if (m_currentShape == index)
        m_currentShape = -1;
    else if (m_currentShape > index)
        --m_currentShape;
    if (shape->getElementParent() == this)
        shape->setElementParent(nullptr);
    shape->unref();
    emit shapesChanged();
    return true;
}

VxShape* VxObject::getCurrentShape() const
{
    if (m_currentShape >= 0 && m_currentShape < m_shapes.size())
        return m_shapes[m_currentShape];
    return m_shapes.isEmpty() ? nullptr : m_shapes.last();
}

void VxObject::setCurrentShape(int index)
{
    const int value = index >= 0 && index < m_shapes.size() ? index : -1;
    if (value == m_currentShape)
        return;
    m_currentShape = value;
    emit shapesChanged();
}

void VxObject::addModifier(VxModifier* modifier, int index)
{
    if (m_modifiers.add(modifier, this, index))
        emit modifiersChanged();
}

bool VxObject::removeModifier(VxModifier* modifier)
{
    if (!m_modifiers.remove(modifier))
        return false;
    emit modifiersChanged();
    return true;
}

VxGeometry* VxObject::getCachedGeom() const
{
    if (!m_poseEvaluator) {
        auto* self = const_cast<VxObject*>(this);
        m_poseEvaluator = std::make_unique<VxPoseEvaluator>(self);
        connect(m_poseEvaluator.get(), &VxPoseEvaluator::changed, self, &VxObject::cachedGeomChanged);
    }
    return m_poseEvaluator->geometry();
}

void VxObject::invalidateCachedGeom()
{
    if (m_poseEvaluator)
        m_poseEvaluator->invalidate();
}

int VxObject::getCachedGeomEvaluationCount() const
{
    return m_poseEvaluator ? m_poseEvaluator->evaluationCount() : 0;
}

QString VxObject::getCachedGeomProblem() const
{
    return m_poseEvaluator ? m_poseEvaluator->problem() : QString();
}
