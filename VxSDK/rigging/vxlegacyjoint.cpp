#include "vxlegacyjoint.h"

#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyjointparam.h"
#include "vxnode.h"

VxLegacyJoint::VxLegacyJoint(QObject* parent) : VxElement(parent) {}

VxLegacyJoint::~VxLegacyJoint() = default;

VxLegacyJoint* VxLegacyJoint::findJoint(const VxNode* bone)
{
    if (!bone)
        return nullptr;
    VxLegacyFigure* figure = qobject_cast<VxLegacyFigure*>(bone->getSkeleton());
    VxLegacyBinding* binding = figure ? figure->findBinding() : nullptr;
    return binding ? binding->findJoint(bone) : nullptr;
}

void VxLegacyJoint::setBone(VxNode* bone, bool retargetParams)
{
    VxNode* old = m_bone;
    m_bone = bone;
    if (retargetParams && old && old != bone) {
        for (VxLegacyJointParam* param : m_params) {
            if (param->getDriver() == old)
                param->setDriver(bone);
        }
    }
    invalidateWeights();
}

VxLegacyBinding* VxLegacyJoint::getBinding() const
{
    return qobject_cast<VxLegacyBinding*>(getElementParent());
}

void VxLegacyJoint::setGroupName(const QString& name)
{
    if (m_groupName == name)
        return;
    m_groupName = name;
    invalidateWeights();
}

VxLegacyJointParam* VxLegacyJoint::findJointParam(const QString& name) const
{
    for (VxLegacyJointParam* param : m_params) {
        if (param->getName() == name)
            return param;
    }
    return nullptr;
}

void VxLegacyJoint::addJointParam(VxLegacyJointParam* param)
{
    if (m_params.add(param, this))
        emit paramsChanged();
}

bool VxLegacyJoint::removeJointParam(VxLegacyJointParam* param)
{
    if (!m_params.remove(param))
        return false;
    emit paramsChanged();
    return true;
}

int VxLegacyJoint::removeJointParamsDrivenBy(const VxNode* driver)
{
    const int removed =
        m_params.removeIf([driver](const VxLegacyJointParam* param) { return param->getDriver() == driver; });
    if (removed)
        emit paramsChanged();
    return removed;
}

void VxLegacyJoint::invalidateWeights()
{
    for (VxLegacyJointParam* param : m_params)
        param->invalidateWeights();
}
