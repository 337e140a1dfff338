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

// A kColumns x kRows grid of vertices, quads between them, one face group per band of rows.
VxFacetMesh* makeGrid(float shift)
{
    VxFacetMeshData data;
    data.positions.reserve(size_t(kColumns) * kRows * 3);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            data.positions.push_back(c * 0.01f + shift);
            data.positions.push_back(r * 0.01f);
            data.positions.push_back(0.001f * float((c * 7 + r * 13) % 17));
        }
    for (int g = 0; g < kBones; ++g)
        data.groupNames.append(QStringLiteral("bone%1").arg(g));
    for (int r = 0; r + 1 < kRows; ++r)
        for (int c = 0; c + 1 < kColumns; ++c) {
            const int v = r * kColumns + c;
            for (int corner : {v, v + 1, v + 1 + kColumns, v + kColumns})
                data.cornerVertex.push_back(corner);
            data.facetStart.push_back(uint32_t(data.cornerVertex.size()));
            data.facetGroup.push_back(r * kBones / (kRows - 1));
            data.facetMaterial.push_back(-1);
        }
    auto* mesh = new VxFacetMesh();
    mesh->setData(std::move(data));
    return mesh;
}

VxFigure* buildFigure(VxFacetMesh* mesh, const QString& name)
{
    auto* figure = new VxFigure();
    figure->setName(name);
    vxScene->addNode(figure);
    figure->setObject(new VxObject());
    auto* shape = new VxGraftingFigureShape();
    shape->setFacetMesh(mesh);
    figure->getObject()->addShape(shape);
    figure->setSelectionMap(new VxSelectionMap());
    const int n = mesh->getNumVertices();
    VxNode* parent = figure;
    for (int b = 0; b < kBones; ++b) {
        auto* bone = new VxBone();
        bone->setName(QStringLiteral("bone%1").arg(b));
        parent->addNodeChild(bone, false);
        vxScene->addNode(bone);
        auto* binding = new VxBoneBinding();
        binding->setBone(bone);
        figure->getSkinBinding()->addBoneBinding(binding);
        for (int m = 0; m < 4; ++m) {
            VxRefGuard<VxWeightMap> map(new VxWeightMap());
            map->setNumWeights(n, false);
            VxWeightArray weights = map->getWeights();
            for (int i = 0; i < n; ++i) // the builder's "set all n weights to 0"
                weights[i] = 0;
            if (m < 3)
                binding->setLocalWeights(m, map.get());
            else
                binding->setScaleWeights(map.get());
        }
        figure->getSelectionMap()->addPair(bone->getName(), bone, true);
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

    VxFacetMesh* mesh = makeGrid(0.0f);
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
    VxFacetMesh* shifted = makeGrid(0.003f);
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
