#include "vxskeletonpose.h"

#include "vxposechannels.h"
#include "vxproperty.h"
#include "vxskeleton.h"

#include <cmath>

VxSkeletonPose::VxSkeletonPose(const VxSkeleton* skeleton)
{
    if (!skeleton)
        return;
    for (int i = 0; i < skeleton->getNumNodeChildren(); ++i)
        addSubtree(skeleton->getNodeChild(i), -1);
}

void VxSkeletonPose::addSubtree(const VxNode* node, int parent)
{
    if (qobject_cast<const VxSkeleton*>(node))
        return; // a nested figure poses its own bones
    Node n;
    n.node = node;
    n.parent = parent;
    n.axes = evaluatedAxes(node);
    n.angles = VxPoseChannels::angles(node);
    n.origin = node->getOrigin(false);
    for (int axis = 0; axis < 3; ++axis) {
        const float t = node->getPosControl(axis)->getValue();
        n.translation[axis] = std::isfinite(t) ? t : 0.0f;
    }
    const bool turned = n.angles[0] != 0.0 || n.angles[1] != 0.0 || n.angles[2] != 0.0;
    const bool moved = n.translation != VxVec3();
    m_rest = m_rest && !turned && !moved;
    if (turned) {
        n.local = VxAffine3::translation(n.origin) * localRotation(n.axes, n.angles)
                  * VxAffine3::translation(VxVec3() - n.origin);
    }
    if (moved)
        n.local = VxAffine3::translation(n.translation) * n.local;
    n.world = parent >= 0 ? m_nodes[size_t(parent)].world * n.local : n.local;

    const int index = int(m_nodes.size());
    m_index.insert(node, index);
    m_nodes.push_back(n);
    for (int i = 0; i < node->getNumNodeChildren(); ++i)
        addSubtree(node->getNodeChild(i), index);
}

VxAffine3 VxSkeletonPose::parentWorld(int index) const
{
    if (index < 0 || size_t(index) >= m_nodes.size())
        return VxAffine3();
    const int parent = m_nodes[size_t(index)].parent;
    return parent >= 0 ? m_nodes[size_t(parent)].world : VxAffine3();
}

VxAffine3 VxSkeletonPose::worldTransform(const VxNode* node) const
{
    const int index = indexOf(node);
    return index >= 0 ? m_nodes[size_t(index)].world : VxAffine3();
}

VxVec3 VxSkeletonPose::posedOrigin(const VxNode* node) const
{
    return node ? worldTransform(node).apply(node->getOrigin(false)) : VxVec3();
}

VxVec3 VxSkeletonPose::posedEndPoint(const VxNode* node) const
{
    return node ? worldTransform(node).apply(node->getEndPoint(false)) : VxVec3();
}

VxAffine3 VxSkeletonPose::localRotation(const VxRotationOrder::AxisOrder& axes, const std::array<double, 3>& angles)
{
    VxAffine3 r;
    // Twist is applied first, so it is the rightmost factor.
    for (int position = 2; position >= 0; --position) {
        const int axis = axes[size_t(position)];
        r = r * VxAffine3::rotation(axis, angles[size_t(axis)]);
    }
    return r;
}

VxRotationOrder::AxisOrder VxSkeletonPose::evaluatedAxes(const VxNode* node)
{
    const VxRotationOrder order = node ? node->getRotationOrder() : VxRotationOrder();
    return order.isValid() ? order.getAxisOrder() : VxRotationOrder::AxisOrder{{0, 1, 2}};
}
