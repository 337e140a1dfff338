#pragma once

#include "vxsdkglobal.h"
#include "vxvec3.h"

#include <QString>

#include <cstdint>
#include <vector>

class VxFigure;
class VxSkeletonPose;
class VxWeightMap;

// Linear blend skinning of a single-skin figure, each rotation axis weighted by its own map.
//
// Weights. Bone b's local map on axis c (X, Y, Z) gives w(b, c) = weight / 65535 at a vertex
// (0 without a map). Per axis the weights across bones are what the skin binding normalises:
// when they add up to more than 1 they are scaled down to 1; when they add up to less, the
// rest of the vertex stays at rest. An axis that has no weight at all at a vertex while the
// others have some takes, for each bone, that bone's mean weight over the weighted axes (its
// share of the vertex), so a bone without a twist map still carries its skin when an
// ancestor twists. A vertex without any weight stays at rest.
//
// Motion. Each bone's transform (VxSkeletonPose) is split into the steps it is built of:
// translation, then the bend, side-side and twist rotations in that order (outermost
// first). D(P, c) is how much the figure-space transform changes in bone P's step for axis
// c, and D(P, T) in its translation step. A vertex follows bone P's rotation about axis c
// as much as the weights on axis c of P and of all bones below P add up to; carried into
// the weights of each bone that is
//
//   E(b, c) = sum over P in b and its ancestors of ( D(P, c) + D(P, T) / 3 )
//   p'      = p + sum over bones b and axes c of w(b, c) * E(b, c) * p
//
// so translation is followed with the mean of the three axes' weights. When a bone's three
// maps agree this is exactly classic linear blend skinning, p' = sum of w(b) * W(b) * p; a
// vertex fully weighted to one bone moves rigidly with it, children included.
//
// Bulges. A bulge binding on axis c swells the skin while the bone turns about c: right
// weights for positive angles, left weights for negative ones, by kBulgeGain * weight *
// |sin(angle)| of the vertex's distance from the bone's twist axis, before skinning. Scale
// maps have no channel to follow (nodes have no scale control) and do not move the skin.
//
// Maps are paged and sparse: the loop visits 4096-vertex pages and only the maps that hold
// weights there, spread over the thread pool.
class VXSDK_EXPORT VxSkinDeformer
{
public:
    static constexpr float kBulgeGain = 0.25f;

    // Gathers the figure's bone bindings and the motion of their bones for one evaluation.
    VxSkinDeformer(const VxFigure* figure, const VxSkeletonPose& pose, int vertexCount);
    ~VxSkinDeformer();
    VxSkinDeformer(const VxSkinDeformer&) = delete;
    VxSkinDeformer& operator=(const VxSkinDeformer&) = delete;

    // Writes the posed positions of `vertexCount` vertices (xyz floats) from `rest` into
    // `out` (which may not alias rest). `threads` 0 uses the whole thread pool, 1 runs on the
    // caller's thread only.
    void deform(const float* rest, float* out, int threads = 0) const;

    // Something about the rig the evaluation had to work around (weight maps sized for
    // another mesh); empty when all is well.
    const QString& problem() const { return m_problem; }
    // Bindings whose bones are in the pose and hold at least one map.
    int numInfluences() const;

private:
    struct Influence;
    struct Live;
    void deformPage(int page, const float* rest, float* out) const;
    static void addBulges(const Influence* influence, const uint16_t* const right[3], const uint16_t* const left[3],
                          const float* rest, int length, float* bulged);
    // One vertex from its weights, for those outside the normalised rule.
    static void exactVertex(const Live* live, int count, int i, const float sum[3], const float* v, float out[3]);
    void checkMapSize(const VxWeightMap* map, const QString& bone);

    int m_vertexCount;
    std::vector<Influence> m_influences;
    QString m_problem;
};
