#pragma once

#include "vxmatrix4.h"

#include <array>

class VxBone;
class VxFSHierarchyItem;
class VxLegacyJoint;

// Generates the joint parameters of one placed bone of a legacy parametric figure from its
// origin, end point, world-space box and rotation order; nothing is entered by the user.
// Every generator but the curve makes a pair: one parameter on the bone's own joint and
// one on its parent's joint. The order of calls is the order of the parameters on a joint.
//
// Axes are 0 = X, 1 = Y, 2 = Z (the legacy parameters' axis values too); the twist axis is
// the first axis of the item's rotation order. An item whose twist axis is not 0, 1 or 2
// gets nothing.
class VxFSJointParams
{
public:
    // The zone every paired parameter gets: a unit matrix scaled by 0.5 (inner) and 0.75
    // (outer) times the size of the bone's world-space oriented box, then translated to
    // the box's centre.
    struct Zone
    {
        VxMatrix4 inner;
        VxMatrix4 outer;
    };
    static Zone computeZone(const VxBone* bone);

    // "twistx"/"twisty"/"twistz" on `joint`, running from the origin's to the end point's
    // coordinate on the twist axis; with a parent joint also "<bone>_twistx"... on it,
    // flipped.
    static void addTwistParams(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                               VxLegacyJoint* parentJoint);
    // "jointx"/"jointy"/"jointz" (by `bendAxis`) on `joint` and "<bone>_joint..." on the
    // parent joint, flipped, both with the same four angles. Needs the parent joint: a
    // bone directly under the figure does not bend.
    static void addBendParams(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                              VxLegacyJoint* parentJoint, int bendAxis);
    // The smooth-scale pair between the bone and the parent joint's bone: one driven by
    // that bone on `joint`, one driven by this bone on the parent joint. The one on the
    // joint of the child of the pair is flipped.
    static void addSmoothScaleParams(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint,
                                     VxLegacyJoint* parentJoint);
    // "Curve" on `joint` when the item's curve choice is set; curve axis values are 5 (X),
    // 4 (Y) and 3 (Z).
    static void addCurveParam(const VxFSHierarchyItem* item, VxBone* bone, VxLegacyJoint* joint);

    // The four bend angles (radians) for a twist axis, a bend axis and whether the bone
    // points down its twist axis (origin coordinate greater than the end's). False when
    // the combination has no bend (an invalid twist axis, or a Z-twist bone bending on Z).
    static bool bendAngles(int twistAxis, int bendAxis, bool pointsDown, std::array<float, 4>& angles);

    // Smooth-scale ramps: 24384 stands for "far away"; 24140.16 is 0.99 of it.
    static constexpr float kFarRamp = 24384.0f;
    static constexpr float kNearRamp = 24140.16f;
};
