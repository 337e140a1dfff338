#include "vxlegacybinding.h"

#include "vxlegacyjoint.h"

VxLegacyBinding::VxLegacyBinding(QObject* parent) : VxModifier(parent) {}

VxLegacyBinding::~VxLegacyBinding()
{
    const QList<VxLegacyJoint*> joints = m_joints;
    m_joints.clear();
    qDeleteAll(joints);
}

VxLegacyJoint* VxLegacyBinding::findJoint(const VxNode* bone) const
{
    if (!bone)
        return nullptr;
    for (VxLegacyJoint* joint : m_joints) {
        if (joint->getBone() == bone)
            return joint;
    }
    return nullptr;
}

void VxLegacyBinding::addJoint(VxLegacyJoint* joint)
{
    if (!joint || m_joints.contains(joint))
        return;
    joint->setElementParent(this);
    m_joints.append(joint);
    emit jointsChanged();
}

bool VxLegacyBinding::removeJoint(VxLegacyJoint* joint)
{
    if (!joint || !m_joints.removeOne(joint))
        return false;
    delete joint;
    emit jointsChanged();
    return true;
}
