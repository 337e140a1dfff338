#include "vxgltfjointweights.h"

#include "vxgltfskinweights.h"

#include "vxlegacyfigure.h"
#include "vxlegacyjointweights.h"
#include "vxposechannels.h"
#include "vxskeletonpose.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// The factor of `axis` for the k-th vertex: an axis without parameters turns it fully.
float factor(const VxLegacyJointWeights::Joint& joint, int axis, size_t k)
{
    const std::vector<float>& factors = joint.own[size_t(axis)];
    return factors.empty() ? 1.0f : factors[k];
}

// How much each rotation axis of a bone counts in its one weight: by how far the bone is
// turned about it, so that the current pose comes out as the host shows it; a bone at rest
// counts its side-side and bend axes alike.
std::array<float, 3> axisShares(const VxNode* bone)
{
    const std::array<double, 3> angles = VxPoseChannels::angles(bone);
    const double turned = std::fabs(angles[0]) + std::fabs(angles[1]) + std::fabs(angles[2]);
    std::array<float, 3> shares{{0.0f, 0.0f, 0.0f}};
    if (turned > 0.0) {
        for (int axis = 0; axis < 3; ++axis)
            shares[size_t(axis)] = float(std::fabs(angles[size_t(axis)]) / turned);
        return shares;
    }
    const VxRotationOrder::AxisOrder axes = VxSkeletonPose::evaluatedAxes(bone);
    shares[size_t(axes[1])] = 0.5f;
    shares[size_t(axes[2])] = 0.5f;
    return shares;
}
} // namespace

VxGltfJointWeights::VxGltfJointWeights(const VxLegacyFigure& figure, const VxFacetMesh& rest,
                                       const QHash<const VxNode*, int>& jointOf)
    : m_jointOf(jointOf), m_jointCount(jointOf.size())
{
    const VxLegacyJointWeights joints(&figure, &rest);
    const std::vector<int>& owners = joints.ownerCounts();
    std::vector<std::pair<int, float>> below; // (joint, weight) of the bones below, per vertex
    for (const VxLegacyJointWeights::Joint& joint : joints.joints()) {
        const int own = jointAbove(joint.bone);
        if (own < 0)
            continue;
        const int parent = jointAbove(joint.bone->getNodeParent());
        const std::array<float, 3> shares = axisShares(joint.bone);
        std::vector<std::array<float, 3>> childShares;
        for (const VxLegacyJointWeights::Follow& follow : joint.children)
            childShares.push_back(axisShares(follow.driver));
        for (size_t k = 0; k < joint.vertices.size(); ++k) {
            const int vertex = joint.vertices[k];
            below.clear();
            float followed = 0.0f;
            for (size_t f = 0; f < joint.children.size(); ++f) {
                const VxLegacyJointWeights::Follow& follow = joint.children[f];
                const int child = jointAbove(follow.driver);
                const float weight = follow.factor[k] * childShares[f][size_t(follow.axis)];
                if (child < 0 || child == own || weight <= 0.0f)
                    continue;
                below.emplace_back(child, weight);
                followed += weight;
            }
            // Never more than the whole vertex.
            const float scale = followed > 1.0f ? 1.0f / followed : 1.0f;
            followed *= scale;
            float turns = 0.0f;
            for (int axis = 0; axis < 3; ++axis)
                turns += shares[size_t(axis)] * factor(joint, axis, k);
            float mine = std::max(0.0f, turns - followed);
            float theirs = 1.0f - mine - followed;
            // A bone right below the figure has no parent to leave the rest with.
            if (parent < 0) {
                mine += theirs;
                theirs = 0.0f;
            }
            const float share = 1.0f / float(std::max(owners[size_t(vertex)], 1));
            m_entries.push_back({vertex, own, mine * share});
            m_entries.push_back({vertex, std::max(parent, 0), theirs * share});
            for (const auto& [child, weight] : below)
                m_entries.push_back({vertex, child, weight * scale * share});
        }
    }
    std::sort(m_entries.begin(), m_entries.end());
}

std::vector<bool> VxGltfJointWeights::addTo(VxGltfSkinWeights& weights) const
{
    std::vector<bool> weighted(size_t(m_jointCount), false);
    for (size_t i = 0; i < m_entries.size();) {
        // Entries of one vertex and joint are adjacent after sorting: one offer per pair.
        const Entry& first = m_entries[i];
        float sum = 0.0f;
        for (; i < m_entries.size() && m_entries[i].vertex == first.vertex && m_entries[i].joint == first.joint; ++i)
            sum += m_entries[i].weight;
        if (sum <= 0.0f)
            continue;
        weights.add(first.vertex, first.joint, sum);
        weighted[size_t(first.joint)] = true;
    }
    return weighted;
}

int VxGltfJointWeights::jointAbove(const VxNode* node) const
{
    for (; node; node = node->getNodeParent()) {
        const int joint = m_jointOf.value(node, -1);
        if (joint >= 0)
            return joint;
        if (qobject_cast<const VxSkeleton*>(node))
            return -1;
    }
    return -1;
}
