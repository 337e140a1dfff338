#include "vxlegacybinding.h"

#include "vxlegacyjoint.h"

VxLegacyBinding::VxLegacyBinding(QObject* parent) : VxModifier(parent) {}

VxLegacyBinding::~VxLegacyBinding() = default;

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
    if (m_joints.add(joint, this))
        emit jointsChanged();
}

bool VxLegacyBinding::removeJoint(VxLegacyJoint* joint)
{
    if (!m_joints.remove(joint))
        return false;
    emit jointsChanged();
    return true;
}
