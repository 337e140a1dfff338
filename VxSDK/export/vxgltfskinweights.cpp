#include "vxgltfskinweights.h"

VxGltfSkinWeights::VxGltfSkinWeights(int vertexCount)
    : m_joints(size_t(vertexCount) * kInfluences, 0), m_weights(size_t(vertexCount) * kInfluences, 0.0f)
{
}

void VxGltfSkinWeights::add(int vertex, int joint, float weight)
{
    if (vertex < 0 || vertex >= vertexCount() || !(weight > 0.0f) || joint < 0 || joint > 0xffff)
        return;
    uint16_t* joints = &m_joints[size_t(vertex) * kInfluences];
    float* weights = &m_weights[size_t(vertex) * kInfluences];
    // Slots are kept sorted, largest first: find the place and shift the smaller ones down.
    int slot = kInfluences;
    while (slot > 0 && weights[slot - 1] < weight)
        --slot;
    if (slot == kInfluences)
        return;
    for (int k = kInfluences - 1; k > slot; --k) {
        weights[k] = weights[k - 1];
        joints[k] = joints[k - 1];
    }
    weights[slot] = weight;
    joints[slot] = uint16_t(joint);
}

void VxGltfSkinWeights::giveTo(int vertex, int joint)
{
    if (vertex < 0 || vertex >= vertexCount() || isWeighted(vertex))
        return;
    add(vertex, joint, 1.0f);
}

void VxGltfSkinWeights::normalize()
{
    for (size_t v = 0; v < m_weights.size(); v += kInfluences) {
        float* weights = &m_weights[v];
        double sum = 0.0;
        for (int k = 0; k < kInfluences; ++k)
            sum += weights[k];
        if (!(sum > 0.0))
            continue;
        for (int k = 0; k < kInfluences; ++k)
            weights[k] = float(weights[k] / sum);
    }
}

std::vector<uint16_t> VxGltfSkinWeights::jointsOf(const std::vector<int>& vertices) const
{
    std::vector<uint16_t> out;
    out.reserve(vertices.size() * kInfluences);
    for (int v : vertices) {
        const auto* joints = &m_joints[size_t(v) * kInfluences];
        out.insert(out.end(), joints, joints + kInfluences);
    }
    return out;
}

std::vector<float> VxGltfSkinWeights::weightsOf(const std::vector<int>& vertices) const
{
    std::vector<float> out;
    out.reserve(vertices.size() * kInfluences);
    for (int v : vertices) {
        const float* weights = &m_weights[size_t(v) * kInfluences];
        out.insert(out.end(), weights, weights + kInfluences);
    }
    return out;
}
