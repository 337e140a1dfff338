#include "vxgltfskeletonbuilder.h"

#include "vxgltfbuffer.h"

#include "vxbone.h"
#include "vxposechannels.h"
#include "vxproperty.h"
#include "vxskeleton.h"

#include <cmath>
#include <vector>

namespace {
constexpr int kNotesListed = 10;

QJsonArray vec3Array(const VxVec3& v)
{
    return QJsonArray{double(v.x), double(v.y), double(v.z)};
}

// (x, y, z, w) products, a * b.
std::array<double, 4> multiply(const std::array<double, 4>& a, const std::array<double, 4>& b)
{
    return {a[3] * b[0] + a[0] * b[3] + a[1] * b[2] - a[2] * b[1], a[3] * b[1] - a[0] * b[2] + a[1] * b[3] + a[2] * b[0],
            a[3] * b[2] + a[0] * b[1] - a[1] * b[0] + a[2] * b[3], a[3] * b[3] - a[0] * b[0] - a[1] * b[1] - a[2] * b[2]};
}

const char* axisName(int axis)
{
    return axis == 0 ? "X" : axis == 1 ? "Y" : "Z";
}
} // namespace

VxGltfSkeletonBuilder::VxGltfSkeletonBuilder(const VxSkeleton& figure, const QList<VxBone*>& bones)
    : m_figure(figure), m_pose(&figure), m_bones(bones)
{
    for (int joint = 0; joint < bones.size(); ++joint)
        m_jointOf.insert(bones[joint], joint);
}

QJsonObject VxGltfSkeletonBuilder::build(QJsonArray& nodes, VxGltfBuffer& buffer) const
{
    const int figureNode = nodes.size();
    QList<int> roots;
    QVector<QList<int>> children(m_bones.size());
    for (int joint = 0; joint < m_bones.size(); ++joint) {
        const int parent = parentJoint(m_bones[joint]);
        (parent < 0 ? roots : children[parent]).append(figureNode + 1 + joint);
    }

    QJsonObject figure{{QStringLiteral("name"), m_figure.getName()}};
    if (!roots.isEmpty()) {
        QJsonArray rootNodes;
        for (int node : roots)
            rootNodes.append(node);
        figure.insert(QStringLiteral("children"), rootNodes);
    }
    figure.insert(QStringLiteral("extras"), QJsonObject{{QStringLiteral("figure"), m_figure.getName()},
                                                        {QStringLiteral("label"), m_figure.getLabel()}});
    nodes.append(figure);

    std::vector<float> inverseBind;
    inverseBind.reserve(size_t(m_bones.size()) * 16);
    QJsonArray joints;
    for (int joint = 0; joint < m_bones.size(); ++joint) {
        nodes.append(boneNode(joint, children[joint]));
        joints.append(figureNode + 1 + joint);
        // Column-major: the identity with the translation -origin in the last column.
        const VxVec3 origin = m_bones[joint]->getOrigin(false);
        const float matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -origin.x, -origin.y, -origin.z, 1};
        inverseBind.insert(inverseBind.end(), matrix, matrix + 16);
    }
    const int accessor = buffer.addFloats(inverseBind, 16, VxGltfBuffer::NoTarget);
    return QJsonObject{{QStringLiteral("name"), m_figure.getName()},
                       {QStringLiteral("inverseBindMatrices"), accessor},
                       {QStringLiteral("skeleton"), figureNode},
                       {QStringLiteral("joints"), joints}};
}

int VxGltfSkeletonBuilder::parentJoint(const VxBone* bone) const
{
    for (const VxNode* node = bone->getNodeParent(); node && node != &m_figure; node = node->getNodeParent()) {
        const int joint = m_jointOf.value(node, -1);
        if (joint >= 0)
            return joint;
    }
    return -1;
}

VxVec3 VxGltfSkeletonBuilder::placement(const VxNode* node) const
{
    const std::vector<VxSkeletonPose::Node>& nodes = m_pose.nodes();
    int index = m_pose.indexOf(node);
    if (index < 0)
        return node->getOrigin(false);
    VxVec3 placed = nodes[size_t(index)].origin;
    for (; index >= 0; index = nodes[size_t(index)].parent)
        placed += nodes[size_t(index)].translation;
    return placed;
}

std::array<double, 4> VxGltfSkeletonBuilder::rotation(const VxRotationOrder::AxisOrder& axes,
                                                      const std::array<double, 3>& angles)
{
    std::array<double, 4> q{{0.0, 0.0, 0.0, 1.0}};
    // Each later channel turns what the earlier ones turned: it multiplies from the left.
    for (int axis : axes) {
        std::array<double, 4> step{{0.0, 0.0, 0.0, std::cos(angles[size_t(axis)] / 2.0)}};
        step[size_t(axis)] = std::sin(angles[size_t(axis)] / 2.0);
        q = multiply(step, q);
    }
    const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    for (double& c : q)
        c /= length;
    return q;
}

QStringList VxGltfSkeletonBuilder::poseNotes() const
{
    QStringList notes;
    for (const VxBone* bone : m_bones) {
        for (int axis = 0; axis < 3; ++axis) {
            const float degrees = bone->getRotControl(axis)->getValue();
            if (!std::isfinite(degrees)) {
                notes.append(QStringLiteral("Bone \"%1\" has a rotation about %2 that is not a number; like the host, "
                                            "the file turns it by 0 degrees.")
                                 .arg(bone->getName(), QLatin1String(axisName(axis))));
            } else if (std::fabs(degrees) > 360.0f) {
                const double wrapped = VxPoseChannels::toRadians(degrees) * 180.0 / M_PI;
                notes.append(QStringLiteral("Bone \"%1\" is turned %2 degrees about %3; the file holds the same pose as "
                                            "%4 degrees.")
                                 .arg(bone->getName())
                                 .arg(double(degrees), 0, 'g', 7)
                                 .arg(QLatin1String(axisName(axis)))
                                 .arg(wrapped, 0, 'g', 7));
            }
            if (!std::isfinite(bone->getPosControl(axis)->getValue())) {
                notes.append(QStringLiteral("Bone \"%1\" has a translation along %2 that is not a number; like the host, "
                                            "the file moves it by 0.")
                                 .arg(bone->getName(), QLatin1String(axisName(axis))));
            }
        }
    }
    if (notes.size() > kNotesListed) {
        const int more = notes.size() - kNotesListed;
        notes = notes.mid(0, kNotesListed);
        notes.append(QStringLiteral("... and %1 more such notes on the pose.").arg(more));
    }
    return notes;
}

QJsonObject VxGltfSkeletonBuilder::boneNode(int joint, const QList<int>& children) const
{
    const VxBone* bone = m_bones[joint];
    const int parent = parentJoint(bone);
    const VxVec3 translation = placement(bone) - (parent < 0 ? VxVec3() : placement(m_bones[parent]));
    QJsonObject node{{QStringLiteral("name"), bone->getName()}, {QStringLiteral("translation"), vec3Array(translation)}};
    const int index = m_pose.indexOf(bone);
    if (index >= 0) {
        const VxSkeletonPose::Node& posed = m_pose.nodes()[size_t(index)];
        const std::array<double, 4> q = rotation(posed.axes, posed.angles);
        if (q[3] != 1.0)
            node.insert(QStringLiteral("rotation"), QJsonArray{q[0], q[1], q[2], q[3]});
    }
    if (!children.isEmpty()) {
        QJsonArray childNodes;
        for (int child : children)
            childNodes.append(child);
        node.insert(QStringLiteral("children"), childNodes);
    }
    node.insert(QStringLiteral("extras"), QJsonObject{{QStringLiteral("label"), bone->getLabel()},
                                                      {QStringLiteral("rotationOrder"), bone->getRotationOrder().toString()}});
    return node;
}
