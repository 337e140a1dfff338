#include "vxfsjointparams.h"

#include "vxfshierarchyitem.h"

#include "vxbone.h"
#include "vxlegacybendparam.h"
#include "vxlegacycurve.h"
#include "vxlegacyjoint.h"
#include "vxlegacysmoothscale.h"
#include "vxlegacytwistparam.h"

namespace {
bool isAxis(int axis)
{
    return axis >= 0 && axis <= 2;
}

QString lowerAxis(int axis)
{
    return QString(QLatin1Char("xyz"[axis]));
}

QString upperAxis(int axis)
{
    return QString(QLatin1Char("XYZ"[axis]));
}

int twistAxisOf(const VxFSHierarchyItem* item)
{
    return item->getRotationOrder().getAxis(0);
}

// Names a parameter from a pattern whose %1 is a bone's name.
QString boneParamName(const QString& pattern, const VxBone* bone)
{
    return pattern.arg(bone->getName(), 0, QLatin1Char(' '));
}

void setZone(VxLegacyJointParam* param, const VxFSJointParams::Zone& zone)
{
    param->setMatrices(zone.inner, zone.outer, false);
}

// Single-precision angles. 1.5707963f and 0.7853981f are one unit in the last place below
// the floats nearest to pi/2 and pi/4; figures made before depend on these exact values.
constexpr float kQuarter = 0.7853981f;
constexpr float kHalf = 1.5707963f;
constexpr float kThreeQuarters = 2.3561945f;
constexpr float kWhole = 3.1415927f;

const std::array<float, 4> kXDown{{-kHalf, -kThreeQuarters, kThreeQuarters, kHalf}};
const std::array<float, 4> kXUp{{kHalf, kQuarter, -kQuarter, -kHalf}};
const std::array<float, 4> kYDown{{0.0f, -kQuarter, -kThreeQuarters, kWhole}};
const std::array<float, 4> kYUp{{kWhole, kThreeQuarters, kQuarter, 0.0f}};
} // namespace

VxFSJointParams::Zone VxFSJointParams::computeZone(const VxBone* bone)
{
    Zone zone;
    if (!bone)
        return zone;
    const VxOrientedBox3 box = bone->getWSOrientedBox();
    const VxVec3 centre = box.getTransform().multVec(box.getBox().getCenter());
    const VxVec3 size = box.getBox().getSize();
    zone.inner.scale(size * 0.5f);
    zone.inner.translate(centre);
    zone.outer.scale(size * 0.75f);
    zone.outer.translate(centre);
    return zone;
}

bool VxFSJointParams::bendAngles(int twistAxis, int bendAxis, bool pointsDown, std::array<float, 4>& angles)
{
    switch (twistAxis) {
    case 0:
        angles = pointsDown ? kXDown : kXUp;
        return true;
    case 1:
        angles = pointsDown ? kYDown : kYUp;
        return true;
    case 2:
        // Along Z the bend axis decides: bending on Y reads like a Y-twist bone, bending
        // on X like an X-twist bone pointing the other way.
        if (bendAxis == 1) {
            angles = pointsDown ? kYDown : kYUp;
            return true;
        }
        if (bendAxis == 0) {
            angles = pointsDown ? kXUp : kXDown;
            return true;
        }
        return false;
    default:
        return false;
    }
}

void VxFSJointParams::addTwistParams(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                                     VxLegacyJoint* parentJoint)
{
    if (!item || !bone || !joint)
        return;
    const int t = twistAxisOf(item);
    if (!isAxis(t))
        return;
    const Zone zone = computeZone(bone);
    const float start = bone->getOrigin(false)[t];
    const float end = bone->getEndPoint(false)[t];

    auto* own = new VxLegacyTwistParam(bone, t, start, end);
    own->setName(QStringLiteral("twist") + lowerAxis(t));
    setZone(own, zone);
    joint->addJointParam(own);

    if (!parentJoint)
        return;
    auto* other = new VxLegacyTwistParam(bone, t, start, end);
    other->setName(boneParamName(QStringLiteral("%1_twist") + lowerAxis(t), bone));
    setZone(other, zone);
    other->setFlipped(true);
    parentJoint->addJointParam(other);
}

void VxFSJointParams::addBendParams(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                                    VxLegacyJoint* parentJoint, int bendAxis)
{
    if (!item || !bone || !joint || !parentJoint || !isAxis(bendAxis))
        return;
    const int t = twistAxisOf(item);
    if (!isAxis(t))
        return;
    const bool pointsDown = bone->getOrigin(false)[t] > bone->getEndPoint(false)[t];
    std::array<float, 4> angles;
    if (!bendAngles(t, bendAxis, pointsDown, angles))
        return;
    const Zone zone = computeZone(bone);

    auto* own = new VxLegacyBendParam(bone, bendAxis);
    own->setName(QStringLiteral("joint") + lowerAxis(bendAxis));
    own->setApplyAngles(true);
    own->setAngles(angles, false);
    setZone(own, zone);
    joint->addJointParam(own);

    auto* other = new VxLegacyBendParam(bone, bendAxis);
    other->setName(boneParamName(QStringLiteral("%1_joint") + lowerAxis(bendAxis), bone));
    other->setApplyAngles(true);
    other->setAngles(angles, false);
    setZone(other, zone);
    other->setFlipped(true);
    parentJoint->addJointParam(other);
}

void VxFSJointParams::addSmoothScaleParams(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                                           VxLegacyJoint* parentJoint)
{
    if (!item || !bone || !joint || !parentJoint)
        return;
    auto* partner = qobject_cast<VxBone*>(parentJoint->getBone());
    if (!partner)
        return;
    const int t = twistAxisOf(item);
    if (!isAxis(t))
        return;
    const Zone zone = computeZone(bone);
    // True while building: the partner is the bone's parent. When a caller passes a child's
    // joint instead, the flips swap sides.
    const bool partnerIsParent = partner == bone->getNodeParent();
    const float o = bone->getOrigin(false)[t];
    const float e = bone->getEndPoint(false)[t];
    // The sign of the end coordinate itself picks the ramps, not its relation to o.
    const bool negative = e < 0.0f;

    const int pt = partner->getRotationOrder().getAxis(0);
    if (isAxis(pt)) {
        auto* own = negative ? new VxLegacySmoothScale(partner, pt, -kFarRamp, -kNearRamp, e, o)
                             : new VxLegacySmoothScale(partner, pt, o, e, kNearRamp, kFarRamp);
        own->setName(boneParamName(QStringLiteral("%1_smoo") + upperAxis(pt), partner));
        setZone(own, zone);
        own->setFlipped(partnerIsParent);
        joint->addJointParam(own);
    }

    auto* other = negative ? new VxLegacySmoothScale(bone, t, e, o, kNearRamp, kFarRamp)
                           : new VxLegacySmoothScale(bone, t, -kFarRamp, -kNearRamp, o, e);
    other->setName(boneParamName(QStringLiteral("%1_smoo") + upperAxis(t), bone));
    setZone(other, zone);
    other->setFlipped(!partnerIsParent);
    parentJoint->addJointParam(other);
}

void VxFSJointParams::addCurveParam(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint)
{
    if (!item || !bone || !joint || !item->getCurve())
        return;
    static const int curveAxis[3] = {VxLegacyCurve::CurveX, VxLegacyCurve::CurveY, VxLegacyCurve::CurveZ};
    const int t = twistAxisOf(item);
    if (!isAxis(t))
        return;
    auto* curve = new VxLegacyCurve(bone, curveAxis[t]);
    curve->setName(QStringLiteral("Curve"));
    joint->addJointParam(curve);
}
