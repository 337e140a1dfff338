#include "vxlegacyjoint.h"

#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyjointparam.h"
#include "vxnode.h"

VxLegacyJoint::VxLegacyJoint(QObject* parent) : VxElement(parent) {}

VxLegacyJoint::~VxLegacyJoint()
{
    const QList<VxLegacyJointParam*> params = m_params;
    m_params.clear();
    qDeleteAll(params);
}

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
    if (!param || m_params.contains(param))
        return;
    param->setElementParent(this);
    m_params.append(param);
    emit paramsChanged();
}

bool VxLegacyJoint::removeJointParam(VxLegacyJointParam* param)
{
    if (!param || !m_params.removeOne(param))
        return false;
    delete param;
    emit paramsChanged();
    return true;
}

int VxLegacyJoint::removeJointParamsDrivenBy(const VxNode* driver)
{
    int removed = 0;
    for (int i = m_params.size() - 1; i >= 0; --i) {
        if (m_params[i]->getDriver() == driver) {
            delete m_params.takeAt(i);
            ++removed;
        }
    }
    if (removed)
        emit paramsChanged();
    return removed;
}

void VxLegacyJoint::invalidateWeights()
{
    for (VxLegacyJointParam* param : m_params)
        param->invalidateWeights();
}
