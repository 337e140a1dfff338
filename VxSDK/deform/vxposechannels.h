#pragma once

#include "vxsdkglobal.h"
#include "vxvec3.h"

#include <QString>

#include <array>

class VxNode;

// A node's pose as its rotation channels: the X, Y and Z rotation controls, in degrees.
// The controls keep the numbers the user gave; evaluation reads them through angles(),
// which turns any finite number into an angle within one turn, so a pose of a million
// degrees still gives a finite shape.
//
// The three rotations are applied in the node's rotation order: element 0 of the order
// (the twist axis, along a bone) first, then element 1 (side-side), then element 2 (bend),
// each about a line through the node's origin parallel to that axis. As a matrix acting on
// column vectors: R = R[bend] * R[side-side] * R[twist]. Read the other way round, the bend
// turns the bone first and the twist then spins it about its own, already bent, length.
class VXSDK_EXPORT VxPoseChannels
{
public:
    // Sets the X, Y and Z rotation controls (degrees). Refuses a null node and angles that
    // are not finite numbers, with the reason in *error; nothing changes then.
    static bool setRotation(VxNode* node, const VxVec3& degrees, QString* error = nullptr);
    // The X, Y and Z rotation controls as they are (degrees); zero for a null node.
    static VxVec3 getRotation(const VxNode* node);
    // One channel by its place in the node's rotation order: 0 twist, 1 side-side, 2 bend.
    // Refuses what setRotation refuses, and a place other than 0, 1 or 2 or an invalid order.
    static bool setChannel(VxNode* node, int position, float degrees, QString* error = nullptr);

    // Zeroes the rotation controls of `node` and of every node below it (so, called on a
    // figure, the whole figure returns to its rest pose). Translation controls place nodes
    // and are left alone. Returns how many controls changed.
    static int resetPose(VxNode* node);

    // The node's rotation about X, Y and Z in radians, each wrapped into (-pi, pi]. A control
    // holding a value that is not finite (set by a caller that bypassed setRotation) reads
    // as 0, so evaluation never produces NaN positions.
    static std::array<double, 3> angles(const VxNode* node);
    // One value in degrees as angles() reads it, in radians.
    static double toRadians(float degrees);
    // True when every rotation control of the node is zero.
    static bool isAtRest(const VxNode* node);
};
