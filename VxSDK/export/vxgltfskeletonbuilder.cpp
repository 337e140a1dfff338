#include "vxgltfskeletonbuilder.h"

#include "vxgltfbuffer.h"

#include "vxbone.h"
#include "vxskeleton.h"

#include <vector>

namespace {
QJsonArray vec3Array(const VxVec3& v)
{
    return QJsonArray{double(v.x), double(v.y), double(v.z)};
}
} // namespace

VxGltfSkeletonBuilder::VxGltfSkeletonBuilder(const VxSkeleton& figure, const QList<VxBone*>& bones)
    : m_figure(figure), m_bones(bones)
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
    return node->getOrigin(false) + node->getWorldOffset() - m_figure.getWorldOffset();
}

QJsonObject VxGltfSkeletonBuilder::boneNode(int joint, const QList<int>& children) const
{
    const VxBone* bone = m_bones[joint];
    const int parent = parentJoint(bone);
    const VxVec3 translation = placement(bone) - (parent < 0 ? VxVec3() : placement(m_bones[parent]));
    QJsonObject node{{QStringLiteral("name"), bone->getName()}, {QStringLiteral("translation"), vec3Array(translation)}};
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
