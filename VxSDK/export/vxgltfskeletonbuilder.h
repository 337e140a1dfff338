#pragma once

#include "vxskeletonpose.h"
#include "vxsdkglobal.h"
#include "vxvec3.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QStringList>

#include <array>

class VxBone;
class VxGltfBuffer;
class VxNode;
class VxSkeleton;

// The glTF nodes and skin of a figure: one node for the figure, the root of the skeleton,
// and one joint node per bone below it, each a child of the node of its nearest ancestor
// bone (or of the figure's).
//
// Everything is in the figure's own frame, where the skin's vertices are: the figure node
// has no transform of its own. A bone's joint sits at its origin: its node's translation
// is its origin less its parent's, plus the translation controls between the two, and its
// inverse bind matrix undoes its rest origin. Node extras keep what glTF has no place for:
// the figure's and bones' labels and the bones' rotation orders.
//
// The nodes carry the current pose as the host evaluates it (VxSkeletonPose): a bone's
// node rotation is its three rotation channels composed in its rotation order, twist
// first, R = R[bend] * R[side-side] * R[twist], so a viewer that skins the file shows the
// figure as the host's viewport does wherever its weights agree across axes. A node that
// is not a bone, hung between two bones, passes its translation on to the bones below but
// not its turns, since the file has joints for bones only.
class VXSDK_EXPORT VxGltfSkeletonBuilder
{
public:
    VxGltfSkeletonBuilder(const VxSkeleton& figure, const QList<VxBone*>& bones);

    // Appends the figure node and the joint nodes to `nodes` (the figure node first, then
    // the bones in order) and the inverse bind matrices to `buffer`. Returns the skin
    // object, whose joints are the bones in order.
    QJsonObject build(QJsonArray& nodes, VxGltfBuffer& buffer) const;

    // What a user should know about the pose as it is written: channels holding something
    // other than a number (the host reads them as 0, and so does the file) and angles past
    // a whole turn (the file holds the same pose within one turn).
    QStringList poseNotes() const;

    // The rotation R[a2] * R[a1] * R[a0] as a unit quaternion (x, y, z, w).
    static std::array<double, 4> rotation(const VxRotationOrder::AxisOrder& axes, const std::array<double, 3>& angles);

private:
    // The joint whose node a bone's node hangs below, or -1 for the figure node.
    int parentJoint(const VxBone* bone) const;
    // A node's posed origin in the figure: its origin plus the translation controls of it
    // and of every node above it below the figure.
    VxVec3 placement(const VxNode* node) const;
    QJsonObject boneNode(int joint, const QList<int>& children) const;

    const VxSkeleton& m_figure;
    VxSkeletonPose m_pose;
    QList<VxBone*> m_bones;
    QHash<const VxNode*, int> m_jointOf;
};
