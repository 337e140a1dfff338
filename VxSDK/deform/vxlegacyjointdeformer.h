#pragma once

#include "vxsdkglobal.h"

class VxLegacyJointWeights;
class VxSkeletonPose;

// Poses the skin of a parametric figure by its joints (see VxLegacyJointWeights for the
// factors). A vertex p of bone B, with B's rest origin o, translation t, rotation order
// (a0 twist, a1 side-side, a2 bend) and angles theta, moves to
//
//   q  = p turned about each following child bone C's origin, axis x, by factor * theta(C, x)
//   p' = W(parent of B) * ( o + t + R[a2](f2 theta2) * R[a1](f1 theta1) * R[a0](f0 theta0) * (q - o) )
//
// with f the vertex's own factors: a vertex with all factors 1 moves rigidly with B, one
// with all 0 stays with B's parent, and between it turns part of the way (true partial
// rotations, so nothing shrinks at large angles). A vertex held by several joints takes the
// mean of their results; a vertex no bone holds stays at rest.
class VXSDK_EXPORT VxLegacyJointDeformer
{
public:
    // Writes the posed positions of every vertex from `rest` into `out` (no aliasing).
    static void deform(const VxLegacyJointWeights& weights, const VxSkeletonPose& pose, const float* rest,
                       int vertexCount, float* out);
};
