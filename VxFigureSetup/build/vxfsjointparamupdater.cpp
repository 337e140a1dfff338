#include "vxfsjointparamupdater.h"

#include "vxfsboneplacer.h"
#include "vxfsjointparams.h"

#include "vxfsgeomgroup.h"
#include "vxfshierarchyitem.h"

#include "vxbone.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyjoint.h"
#include "vxlegacyjointparam.h"

#include <QList>

namespace {
bool anyChoice(const VxFSHierarchyItem* item)
{
    return item->getCurve() || item->getTwist() || item->getSideSide() || item->getBend() || item->getScale();
}

// The joint of the node a bone hangs below; none when that node is the figure.
VxLegacyJoint* jointOfParent(VxNode* parent)
{
    return qobject_cast<VxBone*>(parent) ? VxLegacyJoint::findJoint(parent) : nullptr;
}
} // namespace

VxLegacyJoint* VxFSJointParamUpdater::updateJointParams(const VxFSHierarchyItem* item, VxBone* bone,
                                                        VxLegacyJoint* joint, VxNode* parent)
{
    if (!item || !bone)
        return joint;
    if (!joint && anyChoice(item))
        joint = createJoint(item, bone);
    if (item->getMappedBone() && item->getParentNode() != parent)
        rebuildReparented(item, bone, joint, parent);
    else if (bone->getRotationOrder().getAxis(0) == item->getRotationOrder().getAxis(0))
        synchronise(item, bone, joint, parent);
    else
        rebuildForNewTwistAxis(item, bone, joint, parent);
    VxFSBonePlacer::setChannelLabels(item, bone);
    return joint;
}

void VxFSJointParamUpdater::rebuildReparented(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                                              VxNode* parent)
{
    // The old parent is null when it has left the figure; the parameters it drove then have
    // no driver any more, and go with the same call.
    VxNode* oldParent = item->getParentNode();
    removeParamsDrivenBy(joint, bone);
    removeParamsDrivenBy(joint, oldParent);
    removeParamsDrivenBy(VxLegacyJoint::findJoint(oldParent), bone);
    // A pair with the new parent that an interrupted apply left behind is not made twice.
    VxLegacyJoint* parentJoint = jointOfParent(parent);
    removeParamsDrivenBy(joint, parent);
    removeParamsDrivenBy(parentJoint, bone);

    const bool twistAxisChanged = bone->getRotationOrder().getAxis(0) != item->getRotationOrder().getAxis(0);
    bone->setRotationOrder(item->getRotationOrder());
    generateAll(item, bone, joint, parentJoint);
    if (twistAxisChanged)
        rebuildChildPairs(item, bone, joint);
}

void VxFSJointParamUpdater::synchronise(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                                        VxNode* parent)
{
    // Same twist axis; the side-side and bend axes may have swapped, and the choices below
    // are read against the new order.
    bone->setRotationOrder(item->getRotationOrder());

    bool present[6] = {false, false, false, false, false, false};
    for (int i = joint ? joint->getNumJointParams() - 1 : -1; i >= 0; --i) {
        VxLegacyJointParam* param = joint->getJointParam(i);
        const Choice choice = ownChoice(param, item, bone, parent);
        if (choice == Choice::None)
            continue;
        if (isChosen(choice, item))
            present[int(choice)] = true;
        else
            joint->removeJointParam(param);
    }
    VxLegacyJoint* parentJoint = jointOfParent(parent);
    for (int i = parentJoint ? parentJoint->getNumJointParams() - 1 : -1; i >= 0; --i) {
        VxLegacyJointParam* param = parentJoint->getJointParam(i);
        const Choice choice = partnerChoice(param, item, bone);
        if (choice != Choice::None && !isChosen(choice, item))
            parentJoint->removeJointParam(param);
    }
    if (!joint)
        return;

    const VxRotationOrder order = item->getRotationOrder();
    if (item->getCurve() && !present[int(Choice::Curve)])
        VxFSJointParams::addCurveParam(item, bone, joint);
    if (item->getTwist() && !present[int(Choice::Twist)])
        VxFSJointParams::addTwistParams(item, bone, joint, parentJoint);
    if (item->getScale() && !present[int(Choice::Scale)])
        VxFSJointParams::addSmoothScaleParams(item, bone, joint, parentJoint);
    if (item->getBend() && !present[int(Choice::Bend)])
        VxFSJointParams::addBendParams(item, bone, joint, parentJoint, order.getAxis(2));
    if (item->getSideSide() && !present[int(Choice::SideSide)])
        VxFSJointParams::addBendParams(item, bone, joint, parentJoint, order.getAxis(1));
}

void VxFSJointParamUpdater::rebuildForNewTwistAxis(const VxFSHierarchyItem* item, VxBone* bone,
                                                   VxLegacyJoint* joint, VxNode* parent)
{
    VxLegacyJoint* parentJoint = jointOfParent(parent);
    removeParamsDrivenBy(joint, bone);
    removeParamsDrivenBy(joint, parent);
    removeParamsDrivenBy(parentJoint, bone);
    bone->setRotationOrder(item->getRotationOrder());
    generateAll(item, bone, joint, parentJoint);
    rebuildChildPairs(item, bone, joint);
}

void VxFSJointParamUpdater::rebuildChildPairs(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint)
{
    if (!joint)
        return;
    // Only the parameters the joint had before the pairs are remade are looked at.
    QList<VxLegacyJointParam*> snapshot;
    for (int i = 0; i < joint->getNumJointParams(); ++i)
        snapshot.append(joint->getJointParam(i));
    for (VxNode* child : bone->getNodeChildren(false)) {
        VxLegacyJoint* childJoint = VxLegacyJoint::findJoint(child);
        removeParamsDrivenBy(childJoint, bone);
        int removed = 0;
        for (int i = snapshot.size() - 1; i >= 0; --i) {
            VxLegacyJointParam* param = snapshot[i];
            if (param->getDriver() == child && param->type() == VxLegacyJointParam::SmoothScaleType) {
                snapshot.removeAt(i);
                joint->removeJointParam(param);
                ++removed;
            }
        }
        // The child's joint stands where the parent joint stands when a figure is built,
        // so the pair comes out mirrored: flipped on the child's side, as it should be.
        if (removed > 0 && qobject_cast<VxBone*>(child))
            VxFSJointParams::addSmoothScaleParams(item, bone, joint, childJoint);
    }
}

void VxFSJointParamUpdater::generateAll(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                                        VxLegacyJoint* parentJoint)
{
    if (!joint)
        return;
    const VxRotationOrder order = item->getRotationOrder();
    if (item->getTwist())
        VxFSJointParams::addTwistParams(item, bone, joint, parentJoint);
    if (item->getScale())
        VxFSJointParams::addSmoothScaleParams(item, bone, joint, parentJoint);
    if (item->getCurve())
        VxFSJointParams::addCurveParam(item, bone, joint);
    if (item->getSideSide())
        VxFSJointParams::addBendParams(item, bone, joint, parentJoint, order.getAxis(1));
    if (item->getBend())
        VxFSJointParams::addBendParams(item, bone, joint, parentJoint, order.getAxis(2));
}

VxLegacyJoint* VxFSJointParamUpdater::createJoint(const VxFSHierarchyItem* item, VxBone* bone)
{
    auto* figure = qobject_cast<VxLegacyFigure*>(bone->getSkeleton());
    VxLegacyBinding* binding = figure ? figure->findBinding() : nullptr;
    if (!binding)
        return nullptr;
    auto* joint = new VxLegacyJoint();
    joint->setBone(bone, true);
    joint->setName(bone->getName());
    // As for a new bone's joint: the joint owns the bone's face group of the skin.
    if (const VxFSGeomGroup* group = item->getGeomGroup())
        joint->setGroupName(group->getName());
    binding->addJoint(joint);
    return joint;
}

void VxFSJointParamUpdater::removeParamsDrivenBy(VxLegacyJoint* joint, const VxNode* driver)
{
    if (joint)
        joint->removeJointParamsDrivenBy(driver);
}

VxFSJointParamUpdater::Choice VxFSJointParamUpdater::ownChoice(const VxLegacyJointParam* param,
                                                               const VxFSHierarchyItem* item, const VxBone* bone,
                                                               const VxNode* parent)
{
    if (param->inherits("VxLegacySmoothScale"))
        return param->getDriver() == parent ? Choice::Scale : Choice::None;
    if (param->getDriver() != bone)
        return Choice::None;
    if (param->inherits("VxLegacyCurve"))
        return Choice::Curve;
    return twistOrBendChoice(param, item);
}

VxFSJointParamUpdater::Choice VxFSJointParamUpdater::partnerChoice(const VxLegacyJointParam* param,
                                                                   const VxFSHierarchyItem* item, const VxBone* bone)
{
    if (param->getDriver() != bone)
        return Choice::None;
    if (param->inherits("VxLegacySmoothScale"))
        return Choice::Scale;
    return twistOrBendChoice(param, item);
}

VxFSJointParamUpdater::Choice VxFSJointParamUpdater::twistOrBendChoice(const VxLegacyJointParam* param,
                                                                       const VxFSHierarchyItem* item)
{
    if (param->inherits("VxLegacyTwistParam"))
        return Choice::Twist;
    if (param->inherits("VxLegacyBendParam")) {
        const VxRotationOrder order = item->getRotationOrder();
        if (param->getAxis() == order.getAxis(1))
            return Choice::SideSide;
        if (param->getAxis() == order.getAxis(2))
            return Choice::Bend;
    }
    return Choice::None;
}

bool VxFSJointParamUpdater::isChosen(Choice choice, const VxFSHierarchyItem* item)
{
    switch (choice) {
    case Choice::Curve: return item->getCurve();
    case Choice::Twist: return item->getTwist();
    case Choice::SideSide: return item->getSideSide();
    case Choice::Bend: return item->getBend();
    case Choice::Scale: return item->getScale();
    case Choice::None: break;
    }
    return false;
}
