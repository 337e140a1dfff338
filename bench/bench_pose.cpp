// Posing speed: a 150-bone single-skin figure on a 500,000-vertex skin, every vertex
// weighted to one or two bones on all three axes, every channel of every bone turned.
// Prints the median of 7 rounds of
//  - the floor: a plain linear-blend loop over the same weight maps and positions, one
//    influence per map (its bone's figure-space matrix, a third of its weight), one thread;
//  - the real evaluation (pose, bone transforms, per-axis skinning) on one thread and on the
//    thread pool, and through VxObject::getCachedGeom after a channel change;
// with the ratios against the floor and the largest difference between the two results
// (with equal maps per bone both are classic linear blend skinning). The machine may be
// shared, so each figure also comes as CPU time (the calling thread's for one thread, the
// process's for the pool), which other programs' load does not inflate as much.
#include "vxbenchsupport.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgraftingfigureshape.h"
#include "vxobject.h"
#include "vxposechannels.h"
#include "vxproperty.h"
#include "vxscene.h"
#include "vxskeletonpose.h"
#include "vxskinbinding.h"
#include "vxskindeformer.h"
#include "vxweightmap.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {
constexpr int kColumns = 1000;
constexpr int kRows = 500;
constexpr int kBones = 150;
constexpr int kRounds = 7;

struct Timing
{
    double wallMs;
    double cpuMs;
};

double cpuMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Medians of wall and CPU time over kRounds runs of `step`.
template<typename Step>
Timing measure(clockid_t clock, Step step)
{
    std::vector<double> wall, cpu;
    for (int round = 0; round < kRounds; ++round) {
        const double cpuStart = cpuMs(clock);
        wall.push_back(vxBenchMedianMs(1, step));
        cpu.push_back(cpuMs(clock) - cpuStart);
    }
    return {vxBenchMedian(wall), vxBenchMedian(cpu)};
}

// A chain of bones up the sheet, bone b starting at the first row of band b. Each row of a
// band belongs to its bone; the last third of a band blends linearly into the next bone.
VxFigure* buildFigure(VxFacetMesh* mesh)
{
    VxFigure* figure = vxBenchSkinFigure(mesh, QStringLiteral("Sheet"));
    std::vector<VxBoneBinding*> bindings;
    VxNode* parent = figure;
    for (int b = 0; b < kBones; ++b) {
        VxBoneBinding* binding = vxBenchAddBoundBone(figure, parent, QStringLiteral("bone%1").arg(b), false);
        VxNode* bone = binding->getBone();
        bone->setRotationOrder(VxRotationOrder(b % 6));
        const float y = float(b * kRows / kBones) * 0.01f;
        bone->setOrigin({5.0f, y, 0.0f}, true);
        bone->setEndPoint({5.0f, y + 0.033f, 0.0f}, true);
        bindings.push_back(binding);
        parent = bone;
    }
    for (int r = 0; r < kRows; ++r) {
        const double band = double(r) * kBones / kRows;
        const int b = std::min(kBones - 1, int(band));
        const double t = band - b; // place within the band
        const double next = b + 1 < kBones ? std::clamp((t - 2.0 / 3.0) * 3.0, 0.0, 1.0) : 0.0;
        const auto own = uint16_t(std::lround((1.0 - next) * VxWeightMap::kMaxWeight));
        const auto blended = uint16_t(VxWeightMap::kMaxWeight - own);
        for (int axis = 0; axis < 3; ++axis) {
            for (int c = 0; c < kColumns; ++c) {
                const int v = r * kColumns + c;
                bindings[size_t(b)]->getLocalWeights(axis)->setWeight(v, own);
                if (blended)
                    bindings[size_t(b) + 1]->getLocalWeights(axis)->setWeight(v, blended);
            }
        }
    }
    return figure;
}

void poseAll(VxFigure* figure, float scale)
{
    int b = 0;
    for (VxBone* bone : figure->getAllBones()) {
        VxPoseChannels::setRotation(bone, VxVec3(scale * float(b % 5 - 2), scale * float(b % 3 - 1),
                                                 scale * (1.0f + float(b % 4))));
        ++b;
    }
}

// The floor: out = sum over maps of (w / 65535 / 3) * W(bone) * p, map by map.
void floorBlend(const VxFigure* figure, const VxSkeletonPose& pose, const float* rest, float* out, int n)
{
    std::memset(out, 0, sizeof(float) * 3 * size_t(n));
    const VxSkinBinding* skin = figure->getSkinBinding();
    for (int i = 0; i < skin->getNumBoneBindings(); ++i) {
        const VxBoneBinding* binding = skin->getBoneBinding(i);
        float m[12];
        pose.worldTransform(binding->getBone()).toFloat(m);
        for (int axis = 0; axis < 3; ++axis) {
            const VxWeightMap* map = binding->getLocalWeights(axis);
            for (int page = 0; page < map->getNumPages(); ++page) {
                const uint16_t* weights = map->getPage(page);
                if (!weights)
                    continue;
                const int first = page * VxWeightMap::kPageSize;
                const int length = map->getPageLength(page);
                for (int k = 0; k < length; ++k) {
                    if (!weights[k])
                        continue;
                    const float w = float(weights[k]) * (1.0f / (3.0f * VxWeightMap::kMaxWeight));
                    const float* p = rest + 3 * size_t(first + k);
                    float* o = out + 3 * size_t(first + k);
                    o[0] += w * (m[0] * p[0] + m[1] * p[1] + m[2] * p[2] + m[3]);
                    o[1] += w * (m[4] * p[0] + m[5] * p[1] + m[6] * p[2] + m[7]);
                    o[2] += w * (m[8] * p[0] + m[9] * p[1] + m[10] * p[2] + m[11]);
                }
            }
        }
    }
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    VxBenchApp app;
    VxScene scene;
    VxFacetMesh* mesh = vxBenchSheet(kColumns, kRows, {QStringLiteral("skin")});
    mesh->ref();
    VxFigure* figure = buildFigure(mesh);
    poseAll(figure, 3.0f);
    const int n = mesh->getNumVertices();
    const float* rest = mesh->getVertexData();
    std::printf("skin: %d vertices, %d bones x 3 local maps, %d threads in the pool\n", n, kBones,
                QThreadPool::globalInstance()->maxThreadCount());

    std::vector<float> floorOut(size_t(n) * 3), realOut(size_t(n) * 3);
    const Timing floor = measure(CLOCK_THREAD_CPUTIME_ID, [&] {
        const VxSkeletonPose pose(figure);
        floorBlend(figure, pose, rest, floorOut.data(), n);
    });
    const auto evaluate = [&](int threads) {
        const VxSkeletonPose pose(figure);
        const VxSkinDeformer deformer(figure, pose, n);
        deformer.deform(rest, realOut.data(), threads);
    };
    const Timing oneThread = measure(CLOCK_THREAD_CPUTIME_ID, [&] { evaluate(1); });
    const Timing pool = measure(CLOCK_PROCESS_CPUTIME_ID, [&] { evaluate(0); });
    float largest = 0.0f;
    for (size_t i = 0; i < realOut.size(); ++i)
        largest = std::max(largest, std::fabs(realOut[i] - floorOut[i]));

    VxObject* object = figure->getObject();
    object->getCachedGeom();
    int round = 0;
    const Timing cached = measure(CLOCK_PROCESS_CPUTIME_ID, [&] {
        figure->findBone(QStringLiteral("bone0"))->getYRotControl()->setValue(float(++round));
        object->getCachedGeom();
    });

    std::printf("floor (plain linear blend, 1 thread): median %.1f ms wall, %.1f ms CPU\n", floor.wallMs, floor.cpuMs);
    std::printf("evaluation, 1 thread: median %.1f ms wall, %.1f ms CPU: %.2fx the floor by wall, %.2fx by CPU "
                "(limit 2x)\n",
                oneThread.wallMs, oneThread.cpuMs, oneThread.wallMs / floor.wallMs, oneThread.cpuMs / floor.cpuMs);
    std::printf("evaluation, thread pool: median %.1f ms wall (limit 50 ms), %.1f ms CPU in all threads\n", pool.wallMs,
                pool.cpuMs);
    std::printf("getCachedGeom after a channel change: median %.1f ms wall, %.1f ms CPU (%d evaluations)\n",
                cached.wallMs, cached.cpuMs, object->getCachedGeomEvaluationCount());
    std::printf("largest difference from the floor: %.2g\n", double(largest));
    scene.removeNode(figure);
    mesh->unref();
    return 0;
}
