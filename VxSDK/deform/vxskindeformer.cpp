#include "vxskindeformer.h"

#include "vxaffine3.h"
#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxfigure.h"
#include "vxskeletonpose.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QCoreApplication>
#include <QtConcurrent>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numeric>

namespace {
constexpr int kPage = VxWeightMap::kPageSize;
constexpr float kFull = float(VxWeightMap::kMaxWeight);

const uint16_t* pageOf(const VxWeightMap* map, int page)
{
    return map && page < map->getNumPages() ? map->getPage(page) : nullptr;
}

// How each axis step of every node changes its figure-space transform, summed down the
// tree: E(b, c) of the class comment, for every node of the pose.
std::vector<std::array<VxAffine3, 3>> axisMotions(const VxSkeletonPose& pose)
{
    const std::vector<VxSkeletonPose::Node>& nodes = pose.nodes();
    std::vector<std::array<VxAffine3, 3>> motion(nodes.size());
    const std::array<VxAffine3, 3> none{{VxAffine3::zero(), VxAffine3::zero(), VxAffine3::zero()}};
    for (size_t i = 0; i < nodes.size(); ++i) {
        const VxSkeletonPose::Node& n = nodes[i];
        motion[i] = n.parent >= 0 ? motion[size_t(n.parent)] : none;
        if (pose.isRest())
            continue;
        const VxAffine3 s0 = pose.parentWorld(int(i));
        const VxAffine3 s1 = s0 * VxAffine3::translation(n.translation);
        const VxAffine3 toPivot = VxAffine3::translation(n.origin);
        const VxAffine3 fromPivot = VxAffine3::translation(VxVec3() - n.origin);
        const VxAffine3 thirdOfMove = (s1 - s0) * (1.0 / 3.0);
        VxAffine3 turn;
        VxAffine3 previous = s1;
        for (int position = 2; position >= 0; --position) {
            const int axis = n.axes[size_t(position)];
            turn = turn * VxAffine3::rotation(axis, n.angles[size_t(axis)]);
            const VxAffine3 step = s1 * toPivot * turn * fromPivot;
            motion[i][size_t(axis)] += (step - previous) + thirdOfMove;
            previous = step;
        }
    }
    return motion;
}
} // namespace

struct VxSkinDeformer::Influence
{
    const VxWeightMap* local[3] = {nullptr, nullptr, nullptr};
    float motion[3][12] = {};
    bool moves[3] = {false, false, false};
    // Bulges that act in this pose: maps and the gain per unit weight of each side.
    const VxWeightMap* right[3] = {nullptr, nullptr, nullptr};
    const VxWeightMap* left[3] = {nullptr, nullptr, nullptr};
    float rightGain[3] = {0.0f, 0.0f, 0.0f};
    float leftGain[3] = {0.0f, 0.0f, 0.0f};
    bool bulges = false;
    VxVec3 origin;
    int twistAxis = 0;
};

VxSkinDeformer::VxSkinDeformer(const VxFigure* figure, const VxSkeletonPose& pose, int vertexCount)
    : m_vertexCount(std::max(0, vertexCount))
{
    if (!figure || m_vertexCount == 0)
        return;
    const std::vector<std::array<VxAffine3, 3>> motion = axisMotions(pose);
    const VxSkinBinding* skin = figure->getSkinBinding();
    for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
        const VxBoneBinding* binding = skin->getBoneBinding(b);
        const int index = pose.indexOf(binding->getBone());
        if (index < 0)
            continue;
        const VxSkeletonPose::Node& node = pose.nodes()[size_t(index)];
        const QString boneName = node.node->getName();
        Influence influence;
        bool holdsMaps = false;
        for (int axis = 0; axis < 3; ++axis) {
            influence.local[axis] = binding->getLocalWeights(axis);
            holdsMaps = holdsMaps || influence.local[axis];
            checkMapSize(influence.local[axis], boneName);
            motion[size_t(index)][size_t(axis)].toFloat(influence.motion[axis]);
            influence.moves[axis] = !motion[size_t(index)][size_t(axis)].isZero();

            const VxBulgeBinding* bulge = binding->getBulgeBinding(axis);
            const double sine = std::sin(node.angles[size_t(axis)]);
            if (!bulge || sine == 0.0)
                continue;
            influence.right[axis] = bulge->getRightWeights();
            influence.left[axis] = bulge->getLeftWeights();
            checkMapSize(influence.right[axis], boneName);
            checkMapSize(influence.left[axis], boneName);
            influence.rightGain[axis] = float(kBulgeGain * std::max(0.0, sine)) / kFull;
            influence.leftGain[axis] = float(kBulgeGain * std::max(0.0, -sine)) / kFull;
            influence.bulges = true;
        }
        if (!holdsMaps && !influence.bulges)
            continue;
        influence.origin = node.origin;
        influence.twistAxis = node.axes[0];
        m_influences.push_back(influence);
    }
}

VxSkinDeformer::~VxSkinDeformer() = default;

void VxSkinDeformer::checkMapSize(const VxWeightMap* map, const QString& bone)
{
    if (!map || map->getNumWeights() == m_vertexCount || !m_problem.isEmpty())
        return;
    m_problem = QCoreApplication::translate("VxSkinDeformer",
                                            "A weight map of bone \"%1\" holds %2 weights but the skin has %3 "
                                            "vertices; weights past either end count as zero.")
                    .arg(bone)
                    .arg(map->getNumWeights())
                    .arg(m_vertexCount);
}

void VxSkinDeformer::deform(const float* rest, float* out, int threads) const
{
    if (!rest || !out || m_vertexCount == 0)
        return;
    const int pages = (m_vertexCount + kPage - 1) / kPage;
    if (threads == 1 || pages == 1) {
        for (int page = 0; page < pages; ++page)
            deformPage(page, rest, out);
        return;
    }
    std::vector<int> pageList(size_t(pages), 0);
    std::iota(pageList.begin(), pageList.end(), 0);
    QtConcurrent::blockingMap(pageList, [&](int page) { deformPage(page, rest, out); });
}

void VxSkinDeformer::deformPage(int page, const float* rest, float* out) const
{
    const int begin = page * kPage;
    const int end = std::min(m_vertexCount, begin + kPage);

    // The influences holding weights on this page, with their page pointers.
    struct Live
    {
        const Influence* influence;
        const uint16_t* weights[3];
        const uint16_t* right[3];
        const uint16_t* left[3];
        bool bulges;
    };
    std::vector<Live> live;
    bool anyWeights = false;
    bool anyBulge = false;
    for (const Influence& influence : m_influences) {
        Live entry{&influence, {}, {}, {}, false};
        bool present = false;
        for (int axis = 0; axis < 3; ++axis) {
            entry.weights[axis] = pageOf(influence.local[axis], page);
            entry.right[axis] = pageOf(influence.right[axis], page);
            entry.left[axis] = pageOf(influence.left[axis], page);
            present = present || entry.weights[axis];
            entry.bulges = entry.bulges || entry.right[axis] || entry.left[axis];
        }
        if (present || entry.bulges) {
            live.push_back(entry);
            anyWeights = anyWeights || present;
            anyBulge = anyBulge || entry.bulges;
        }
    }
    if (!anyWeights && !anyBulge) {
        std::memcpy(out + 3 * size_t(begin), rest + 3 * size_t(begin), sizeof(float) * 3 * size_t(end - begin));
        return;
    }

    std::vector<float> weights(live.size() * 3);
    for (int v = begin; v < end; ++v) {
        const int i = v - begin;
        const float* p = rest + 3 * size_t(v);
        float q[3] = {p[0], p[1], p[2]};
        if (anyBulge) {
            for (const Live& entry : live) {
                if (!entry.bulges)
                    continue;
                const Influence& f = *entry.influence;
                float amount = 0.0f;
                for (int axis = 0; axis < 3; ++axis) {
                    if (entry.right[axis])
                        amount += entry.right[axis][i] * f.rightGain[axis];
                    if (entry.left[axis])
                        amount += entry.left[axis][i] * f.leftGain[axis];
                }
                if (amount == 0.0f)
                    continue;
                float radial[3] = {p[0] - f.origin.x, p[1] - f.origin.y, p[2] - f.origin.z};
                radial[f.twistAxis] = 0.0f;
                for (int k = 0; k < 3; ++k)
                    q[k] += amount * radial[k];
            }
        }

        float sum[3] = {0.0f, 0.0f, 0.0f};
        for (size_t e = 0; e < live.size(); ++e) {
            for (int axis = 0; axis < 3; ++axis) {
                const float w = live[e].weights[axis] ? float(live[e].weights[axis][i]) : 0.0f;
                weights[e * 3 + size_t(axis)] = w;
                sum[axis] += w;
            }
        }
        int painted = 0;
        float scale[3];
        for (int axis = 0; axis < 3; ++axis) {
            if (sum[axis] > 0.0f)
                ++painted;
            scale[axis] = 1.0f / std::max(sum[axis], kFull);
        }
        float* o = out + 3 * size_t(v);
        if (painted == 0) {
            o[0] = q[0];
            o[1] = q[1];
            o[2] = q[2];
            continue;
        }

        float blend[12] = {};
        for (size_t e = 0; e < live.size(); ++e) {
            const Influence& f = *live[e].influence;
            float w[3];
            float share = 0.0f;
            for (int axis = 0; axis < 3; ++axis) {
                w[axis] = weights[e * 3 + size_t(axis)] * scale[axis];
                share += w[axis];
            }
            if (painted < 3) {
                share /= float(painted);
                for (int axis = 0; axis < 3; ++axis) {
                    if (sum[axis] == 0.0f)
                        w[axis] = share;
                }
            }
            for (int axis = 0; axis < 3; ++axis) {
                if (w[axis] == 0.0f || !f.moves[axis])
                    continue;
                const float* m = f.motion[axis];
                for (int k = 0; k < 12; ++k)
                    blend[k] += w[axis] * m[k];
            }
        }
        o[0] = q[0] + blend[0] * q[0] + blend[1] * q[1] + blend[2] * q[2] + blend[3];
        o[1] = q[1] + blend[4] * q[0] + blend[5] * q[1] + blend[6] * q[2] + blend[7];
        o[2] = q[2] + blend[8] * q[0] + blend[9] * q[1] + blend[10] * q[2] + blend[11];
    }
}

int VxSkinDeformer::numInfluences() const
{
    return int(m_influences.size());
}
