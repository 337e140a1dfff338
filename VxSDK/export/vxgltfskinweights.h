#pragma once

#include "vxsdkglobal.h"

#include <array>
#include <cstdint>
#include <vector>

// The joints and weights of every skin vertex as glTF stores them: the four largest
// influences of each vertex, normalised so that they add up to one.
//
// Readers offer each joint's whole weight at a vertex in one call (add); the four largest
// are kept as they come. normalize() then scales each vertex's kept weights to a sum of
// one. A vertex that was offered nothing is "unweighted": giveTo() hands it to one joint
// in full before normalising, since glTF has no way to leave a vertex out of the skin.
class VXSDK_EXPORT VxGltfSkinWeights
{
public:
    static constexpr int kInfluences = 4;

    explicit VxGltfSkinWeights(int vertexCount);

    int vertexCount() const { return int(m_weights.size() / kInfluences); }

    // Offers `weight` (> 0) of `joint` at `vertex`; ignored when it is not among the four
    // largest offered so far, or out of range.
    void add(int vertex, int joint, float weight);
    bool isWeighted(int vertex) const { return m_weights[size_t(vertex) * kInfluences] > 0.0f; }
    // Gives an unweighted vertex to `joint` in full.
    void giveTo(int vertex, int joint);
    // Scales every weighted vertex's influences to a sum of one; unused slots keep joint 0
    // and weight 0.
    void normalize();

    // Influence `slot` (0 largest .. 3) of a vertex.
    int joint(int vertex, int slot) const { return m_joints[size_t(vertex) * kInfluences + size_t(slot)]; }
    float weight(int vertex, int slot) const { return m_weights[size_t(vertex) * kInfluences + size_t(slot)]; }

    // The influences of the given vertices in order, four per vertex, as the JOINTS_0 and
    // WEIGHTS_0 attributes of a mesh whose vertices were made from them.
    std::vector<uint16_t> jointsOf(const std::vector<int>& vertices) const;
    std::vector<float> weightsOf(const std::vector<int>& vertices) const;

private:
    std::vector<uint16_t> m_joints;
    std::vector<float> m_weights;
};
