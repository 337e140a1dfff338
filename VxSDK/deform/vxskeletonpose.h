#pragma once

#include "vxaffine3.h"
#include "vxrotationorder.h"

#include <QHash>

#include <array>
#include <vector>

class VxNode;
class VxSkeleton;

// The pose of one figure turned into transforms: for every node below the skeleton (bones,
// and any other node hung in the tree; not the bones of a figure nested inside), its local
// and its figure-space transform, parents before children.
//
// Everything is in the figure's own frame: the skeleton itself is the identity, and its
// own controls (like those of any node) place that frame in the scene. A node n with rest
// origin o (its current origin), translation controls t, rotation angles from
// VxPoseChannels::angles and rotation order (a0 twist, a1 side-side, a2 bend) has
//
//   L(n) = T(t) * T(o) * R[a2] * R[a1] * R[a0] * T(-o)
//   W(n) = W(parent) * L(n)
//
// so a node turns about its own origin and carries everything below it: children follow
// their parents. A node with an invalid rotation order turns as XYZ. In the rest pose every
// transform is exactly the identity.
class VXSDK_EXPORT VxSkeletonPose
{
public:
    struct Node
    {
        const VxNode* node = nullptr;
        int parent = -1; // index into nodes(), -1 below the skeleton itself
        VxRotationOrder::AxisOrder axes{{0, 1, 2}};
        std::array<double, 3> angles{{0.0, 0.0, 0.0}}; // radians about X, Y, Z
        VxVec3 origin;
        VxVec3 translation;
        VxAffine3 local;
        VxAffine3 world;
    };

    VxSkeletonPose() = default;
    // Reads the current controls of the skeleton's nodes; an empty pose for null.
    explicit VxSkeletonPose(const VxSkeleton* skeleton);

    const std::vector<Node>& nodes() const { return m_nodes; }
    int indexOf(const VxNode* node) const { return m_index.value(node, -1); }
    // The parent's figure-space transform (the identity below the skeleton).
    VxAffine3 parentWorld(int index) const;
    // The node's figure-space transform; the identity for a node not in the pose.
    VxAffine3 worldTransform(const VxNode* node) const;
    // Posed origin and end point of a node in the figure's frame.
    VxVec3 posedOrigin(const VxNode* node) const;
    VxVec3 posedEndPoint(const VxNode* node) const;
    // True when no node of the figure is turned or moved: evaluation is then the rest shape.
    bool isRest() const { return m_rest; }

    // The rotation of one node alone, R[a2] * R[a1] * R[a0] (no pivot): what a node turns
    // by relative to its parent, for exporters that store rotations.
    static VxAffine3 localRotation(const VxRotationOrder::AxisOrder& axes, const std::array<double, 3>& angles);
    // The rotation order a node is evaluated with: its own, or XYZ when that is invalid.
    static VxRotationOrder::AxisOrder evaluatedAxes(const VxNode* node);

private:
    void addSubtree(const VxNode* node, int parent);

    std::vector<Node> m_nodes;
    QHash<const VxNode*, int> m_index;
    bool m_rest = true;
};
