#include "vxlegacyjointdeformer.h"

#include "vxlegacyjointweights.h"
#include "vxnode.h"
#include "vxskeletonpose.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
// Turns q about coordinate axis `axis` (through the origin of q's frame) by `radians`,
// with the handedness of VxAffine3::rotation.
void turn(double q[3], int axis, double radians)
{
    if (radians == 0.0)
        return;
    const int u = (axis + 1) % 3;
    const int v = (axis + 2) % 3;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double qu = q[u];
    const double qv = q[v];
    q[u] = c * qu - s * qv;
    q[v] = s * qu + c * qv;
}

void add(float* out, const VxAffine3& m, const double q[3])
{
    for (int r = 0; r < 3; ++r)
        out[r] += float(m(r, 0) * q[0] + m(r, 1) * q[1] + m(r, 2) * q[2] + m(r, 3));
}
} // namespace

void VxLegacyJointDeformer::deform(const VxLegacyJointWeights& weights, const VxSkeletonPose& pose, const float* rest,
                                   int vertexCount, float* out)
{
    if (!rest || !out || vertexCount <= 0)
        return;
    const std::vector<int>& owners = weights.ownerCounts();
    const size_t counted = std::min(owners.size(), size_t(vertexCount));
    std::memcpy(out, rest, sizeof(float) * 3 * size_t(vertexCount));
    for (size_t v = 0; v < counted; ++v) {
        if (owners[v] > 0)
            out[3 * v] = out[3 * v + 1] = out[3 * v + 2] = 0.0f;
    }

    const std::vector<VxSkeletonPose::Node>& nodes = pose.nodes();
    for (const VxLegacyJointWeights::Joint& joint : weights.joints()) {
        const int index = pose.indexOf(joint.bone);
        const bool rigid = joint.children.empty() && joint.own[0].empty() && joint.own[1].empty() && joint.own[2].empty();
        const VxAffine3 whole = index >= 0 ? nodes[size_t(index)].world : VxAffine3();
        const VxAffine3 parent = pose.parentWorld(index);
        for (size_t k = 0; k < joint.vertices.size(); ++k) {
            const int vertex = joint.vertices[k];
            if (vertex >= vertexCount)
                continue;
            const float* p = rest + 3 * size_t(vertex);
            double q[3] = {p[0], p[1], p[2]};
            if (index < 0 || rigid) {
                add(out + 3 * size_t(vertex), whole, q);
                continue;
            }
            for (const VxLegacyJointWeights::Follow& follow : joint.children) {
                const int driver = pose.indexOf(follow.driver);
                if (driver < 0 || follow.factor[k] == 0.0f)
                    continue;
                const VxSkeletonPose::Node& d = nodes[size_t(driver)];
                double local[3] = {q[0] - d.origin.x, q[1] - d.origin.y, q[2] - d.origin.z};
                turn(local, follow.axis, follow.factor[k] * d.angles[size_t(follow.axis)]);
                q[0] = local[0] + d.origin.x;
                q[1] = local[1] + d.origin.y;
                q[2] = local[2] + d.origin.z;
            }
            const VxSkeletonPose::Node& b = nodes[size_t(index)];
            double local[3] = {q[0] - b.origin.x, q[1] - b.origin.y, q[2] - b.origin.z};
            for (int position = 0; position < 3; ++position) {
                const int axis = b.axes[size_t(position)];
                const std::vector<float>& own = joint.own[size_t(axis)];
                turn(local, axis, (own.empty() ? 1.0 : double(own[k])) * b.angles[size_t(axis)]);
            }
            q[0] = local[0] + b.origin.x + b.translation.x;
            q[1] = local[1] + b.origin.y + b.translation.y;
            q[2] = local[2] + b.origin.z + b.translation.z;
            add(out + 3 * size_t(vertex), parent, q);
        }
    }

    for (size_t v = 0; v < counted; ++v) {
        if (owners[v] > 1) {
            for (int c = 0; c < 3; ++c)
                out[3 * v + size_t(c)] /= float(owners[v]);
        }
    }
}
