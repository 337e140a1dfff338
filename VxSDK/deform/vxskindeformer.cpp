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

// An influence holding weights on one page, with its page pointers.
struct VxSkinDeformer::Live
{
    const Influence* influence;
    const uint16_t* weights[3];
    const uint16_t* right[3];
    const uint16_t* left[3];
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
    const int length = std::min(m_vertexCount, begin + kPage) - begin;
    const float* p = rest + 3 * size_t(begin);
    float* o = out + 3 * size_t(begin);

    std::vector<Live> live;
    for (const Influence& influence : m_influences) {
        Live entry{&influence, {}, {}, {}};
        bool present = false;
        for (int axis = 0; axis < 3; ++axis) {
            entry.weights[axis] = pageOf(influence.local[axis], page);
            entry.right[axis] = pageOf(influence.right[axis], page);
            entry.left[axis] = pageOf(influence.left[axis], page);
            present = present || entry.weights[axis] || entry.right[axis] || entry.left[axis];
        }
        if (present)
            live.push_back(entry);
    }
    if (live.empty()) {
        std::memcpy(o, p, sizeof(float) * 3 * size_t(length));
        return;
    }

    // One pass map by map over the page, like a plain blend, so that each weight costs one
    // matrix product: per axis, the weights' sum and the weighted motions are gathered raw
    // and scaled once per vertex at the end. The scratch stays in cache.
    thread_local std::vector<float> bulged, sums, moves;
    const float* src = p;
    bool anyBulge = false;
    for (const Live& entry : live) {
        for (int axis = 0; axis < 3; ++axis)
            anyBulge = anyBulge || entry.right[axis] || entry.left[axis];
    }
    if (anyBulge) { // bulges swell the rest shape before it is skinned
        bulged.assign(p, p + 3 * size_t(length));
        for (const Live& entry : live)
            addBulges(entry.influence, entry.right, entry.left, p, length, bulged.data());
        src = bulged.data();
    }
    sums.assign(3 * size_t(length), 0.0f);
    moves.assign(3 * size_t(length), 0.0f);
    for (const Live& entry : live) {
        const Influence& f = *entry.influence;
        for (int axis = 0; axis < 3; ++axis) {
            const uint16_t* w = entry.weights[axis];
            if (!w)
                continue;
            float* sum = sums.data() + size_t(axis) * size_t(length);
            if (!f.moves[axis]) {
                for (int i = 0; i < length; ++i)
                    sum[i] += float(w[i]);
                continue;
            }
            const float* m = f.motion[axis];
            float* d = moves.data();
            for (int i = 0; i < length; ++i) {
                if (!w[i])
                    continue;
                const float weight = float(w[i]);
                const float* v = src + 3 * i;
                sum[i] += weight;
                d[3 * i] += weight * (m[0] * v[0] + m[1] * v[1] + m[2] * v[2] + m[3]);
                d[3 * i + 1] += weight * (m[4] * v[0] + m[5] * v[1] + m[6] * v[2] + m[7]);
                d[3 * i + 2] += weight * (m[8] * v[0] + m[9] * v[1] + m[10] * v[2] + m[11]);
            }
        }
    }

    // Normalised weights (each weighted axis adding up to the full weight or less) are
    // the rule; overweight or partly weighted vertices are worked out again one by one.
    const float* sumX = sums.data();
    const float* sumY = sumX + length;
    const float* sumZ = sumY + length;
    for (int i = 0; i < length; ++i) {
        const bool anyWeight = sumX[i] > 0.0f || sumY[i] > 0.0f || sumZ[i] > 0.0f;
        const bool allWeighted = sumX[i] > 0.0f && sumY[i] > 0.0f && sumZ[i] > 0.0f;
        const bool overweight = sumX[i] > kFull || sumY[i] > kFull || sumZ[i] > kFull;
        if (anyWeight && (!allWeighted || overweight)) {
            const float sum[3] = {sumX[i], sumY[i], sumZ[i]};
            exactVertex(live.data(), int(live.size()), i, sum, src + 3 * i, o + 3 * i);
            continue;
        }
        for (int k = 0; k < 3; ++k)
            o[3 * i + k] = src[3 * i + k] + moves[3 * size_t(i) + size_t(k)] * (1.0f / kFull);
    }
}

void VxSkinDeformer::addBulges(const Influence* influence, const uint16_t* const right[3], const uint16_t* const left[3],
                               const float* rest, int length, float* bulged)
{
    const Influence& f = *influence;
    for (int axis = 0; axis < 3; ++axis) {
        for (const auto& [side, gain] : {std::make_pair(right[axis], f.rightGain[axis]),
                                         std::make_pair(left[axis], f.leftGain[axis])}) {
            if (!side || gain == 0.0f)
                continue;
            for (int i = 0; i < length; ++i) {
                const float amount = side[i] * gain;
                if (amount == 0.0f)
                    continue;
                for (int k = 0; k < 3; ++k) {
                    if (k != f.twistAxis)
                        bulged[3 * i + k] += amount * (rest[3 * i + k] - f.origin[k]);
                }
            }
        }
    }
}

void VxSkinDeformer::exactVertex(const Live* live, int count, int i, const float sum[3], const float* v, float out[3])
{
    // Above the full weight an axis is scaled down to it; below, the rest stays. An axis
    // without weight here follows each bone by its mean weight on the others.
    float scale[3];
    int weighted = 0;
    for (int axis = 0; axis < 3; ++axis) {
        scale[axis] = 1.0f / std::max(sum[axis], kFull);
        weighted += sum[axis] > 0.0f;
    }
    float p[3] = {v[0], v[1], v[2]};
    for (int e = 0; e < count; ++e) {
        const Influence& f = *live[e].influence;
        float w[3];
        float share = 0.0f;
        for (int axis = 0; axis < 3; ++axis) {
            w[axis] = live[e].weights[axis] ? float(live[e].weights[axis][i]) * scale[axis] : 0.0f;
            share += w[axis];
        }
        for (int axis = 0; axis < 3; ++axis) {
            if (sum[axis] == 0.0f)
                w[axis] = share / float(weighted);
            if (w[axis] == 0.0f || !f.moves[axis])
                continue;
            const float* m = f.motion[axis];
            p[0] += w[axis] * (m[0] * v[0] + m[1] * v[1] + m[2] * v[2] + m[3]);
            p[1] += w[axis] * (m[4] * v[0] + m[5] * v[1] + m[6] * v[2] + m[7]);
            p[2] += w[axis] * (m[8] * v[0] + m[9] * v[1] + m[10] * v[2] + m[11]);
        }
    }
    std::copy(p, p + 3, out);
}

int VxSkinDeformer::numInfluences() const
{
    return int(m_influences.size());
}
