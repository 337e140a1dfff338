// Host side of building a large single-skin figure: a 500,000-vertex skin, 150 bones with
// four zero-filled weight maps each (three local, one scale), bone boxes from the cached
// face-group boxes, normalising, scene export, and the rigging transfer onto a shifted copy.
// Prints timings (median of 3 runs) and the peak memory growth beyond the mesh.
#include "vxbenchsupport.h"

#include "vxapp.h"
#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgraftingfigureshape.h"
#include "vxobject.h"
#include "vxscene.h"
#include "vxselectionmap.h"
#include "vxskinbinding.h"
#include "vxtransferutilityhelper.h"
#include "vxweightmap.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kColumns = 1000;
constexpr int kRows = 500;
constexpr int kBones = 150;

VxFigure* buildFigure(VxFacetMesh* mesh, const QString& name)
{
    VxFigure* figure = vxBenchSkinFigure(mesh, name);
    const int n = mesh->getNumVertices();
    VxNode* parent = figure;
    for (const QString& boneName : vxBenchBoneNames(kBones)) {
        VxBoneBinding* binding = vxBenchAddBoundBone(figure, parent, boneName, true);
        for (VxWeightMap* map : {binding->getLocalWeights(0), binding->getLocalWeights(1),
                                 binding->getLocalWeights(2), binding->getScaleWeights()}) {
            VxWeightArray weights = map->getWeights();
            for (int i = 0; i < n; ++i) // the builder's "set all n weights to 0"
                weights[i] = 0;
        }
        VxNode* bone = binding->getBone();
        figure->getSelectionMap()->addPair(boneName, bone, true);
        const VxBox3 box = bone->getWSOrientedBox().getBox();
        bone->setOrigin(box.getMin(), true);
        bone->setEndPoint(box.getMax(), true);
        parent = bone;
    }
    figure->getSkinBinding()->normalize(0, 31, false);
    return figure;
}

// Bytes the heap has handed out and not taken back (small blocks and mmapped ones).
long heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return long(info.uordblks + info.hblkhd);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    VxBenchApp app;
    VxScene scene;

    VxFacetMesh* mesh = vxBenchSheet(kColumns, kRows, vxBenchBoneNames(kBones));
    mesh->ref();
    mesh->getBoundingBox(); // group boxes are part of the mesh's own cost
    std::printf("skin: %d vertices, %d facets, %d bones x 4 weight maps\n", mesh->getNumVertices(),
                mesh->getNumFacets(), kBones);

    std::vector<double> buildMs, exportMs;
    long peakGrowthKb = 0;
    long heapGrowth = 0;
    for (int run = 0; run < 3; ++run) {
        const long before = vxBenchStatusKb("VmRSS:");
        const long heapBefore = heapInUse();
        vxBenchResetPeak();
        QElapsedTimer timer;
        timer.start();
        VxFigure* figure = buildFigure(mesh, QStringLiteral("Figure"));
        buildMs.push_back(timer.nsecsElapsed() / 1e6);
        heapGrowth = std::max(heapGrowth, heapInUse() - heapBefore);
        const long peak = vxBenchStatusKb("VmHWM:");
        if (run == 0)
            std::printf("resident before %ld kB, peak during build %ld kB\n", before, peak);
        peakGrowthKb = std::max(peakGrowthKb, peak - before);
        timer.restart();
        const QByteArray json = scene.toJson();
        exportMs.push_back(timer.nsecsElapsed() / 1e6);
        if (run == 0)
            std::printf("scene JSON: %d bytes\n", int(json.size()));
        scene.removeNode(figure);
    }
    std::printf("build figure (150 bones, 600 zero maps, boxes, normalize): median %.1f ms\n", vxBenchMedian(buildMs));
    std::printf("peak memory growth beyond the mesh: %.1f MB (limit 50 MB)\n", peakGrowthKb / 1024.0);
    std::printf("heap held by the figure: %.2f MB\n", heapGrowth / 1048576.0);
    std::printf("scene export: median %.1f ms\n", vxBenchMedian(exportMs));

    // Transfer: paint every vertex of every local X map on the source, copy onto a mesh
    // shifted by a fraction of the vertex spacing.
    VxFigure* source = buildFigure(mesh, QStringLiteral("Source"));
    for (int i = 0; i < source->getSkinBinding()->getNumBoneBindings(); ++i) {
        VxWeightMap* map = source->getSkinBinding()->getBoneBinding(i)->getLocalWeights(0);
        for (int v = i; v < map->getNumWeights(); v += kBones)
            map->setWeight(v, 65535);
    }
    VxFacetMesh* shifted = vxBenchSheet(kColumns, kRows, vxBenchBoneNames(kBones), 0.003f);
    shifted->ref();
    VxFigure* target = buildFigure(shifted, QStringLiteral("Target"));
    std::vector<double> transferMs;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        VxTransferUtilityHelper helper(source, target);
        const bool ok = helper.doTransfer();
        transferMs.push_back(timer.nsecsElapsed() / 1e6);
        if (run == 0)
            std::printf("transfer: %s, %d bones\n", ok ? "done" : "nothing", int(helper.getTransferredBones().size()));
    }
    std::printf("transfer (500k vertices, 150 bones, k-d tree): median %.1f ms\n", vxBenchMedian(transferMs));
    scene.removeNode(source);
    scene.removeNode(target);
    shifted->unref();
    mesh->unref();
    return 0;
}
