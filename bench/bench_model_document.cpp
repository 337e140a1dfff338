// Builds a hierarchy document of 2,000 bones through the bone constructors (unique names,
// depth up to 20, one face group each on a single-skin document) and clears it again;
// prints the median times of 21 runs against the 100 ms target.
#include "vxbenchsupport.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxapp.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxrefcounted.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <vector>

namespace {
constexpr int kBones = 2000;
constexpr int kMaxDepth = 20;
constexpr int kRuns = 21;
constexpr double kTargetMs = 100.0;

// One triangle per face group, as the importer would give for a mesh of kBones parts.
VxFacetShape* makeShape()
{
    VxFacetMeshData data;
    for (int g = 0; g < kBones; ++g) {
        const float x = float(g);
        data.positions.insert(data.positions.end(), {x, 0, 0, x + 1, 0, 0, x, 1, 0});
        for (int corner = 0; corner < 3; ++corner)
            data.cornerVertex.push_back(3 * g + corner);
        data.facetStart.push_back(uint32_t(data.cornerVertex.size()));
        data.facetGroup.push_back(g);
        data.facetMaterial.push_back(-1);
        data.groupNames << QStringLiteral("part%1").arg(g);
    }
    auto* mesh = new VxFacetMesh();
    mesh->setData(std::move(data));
    auto* shape = new VxFacetShape();
    shape->setName(QStringLiteral("body"));
    shape->setFacetMesh(mesh);
    return shape;
}

// A random-looking tree: each bone hangs below an earlier one, moved up while that one is
// already at the maximum depth; every 200th bone starts a new root.
std::vector<int> makeParents()
{
    std::vector<int> parent(kBones, -1), depth(kBones, 1);
    for (int i = 1; i < kBones; ++i) {
        if (i % 200 == 0)
            continue;
        int candidate = int((uint64_t(i) * 2654435761u) % uint64_t(i));
        while (depth[size_t(candidate)] >= kMaxDepth)
            candidate = parent[size_t(candidate)];
        parent[size_t(i)] = candidate;
        depth[size_t(i)] = depth[size_t(candidate)] + 1;
    }
    return parent;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    VxBenchApp app;

    VxRefGuard<VxFacetShape> source(makeShape());
    VxFSHierarchy document;
    auto* geometry = new VxFSGeomItem(source.get(), QStringLiteral("body.obj"));
    document.addGeometryItem(geometry);
    const std::vector<int> parents = makeParents();
    std::vector<QString> names;
    for (int i = 0; i < kBones; ++i)
        names.push_back(QStringLiteral("bone%1").arg(i));

    std::vector<double> buildMs, clearMs, totalMs;
    for (int run = 0; run < kRuns; ++run) {
        std::vector<VxFSHierarchyItem*> bones(kBones, nullptr);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kBones; ++i) {
            const int p = parents[size_t(i)];
            bones[size_t(i)] = p < 0 ? new VxFSHierarchyItem(&document, names[size_t(i)])
                                     : new VxFSHierarchyItem(bones[size_t(p)], names[size_t(i)]);
            bones[size_t(i)]->setGeomGroup(geometry->getGroup(i));
        }
        const qint64 built = timer.nsecsElapsed();
        if (document.getNumBones(true) != kBones || geometry->getUseCount() != kBones + 1) {
            std::fprintf(stderr, "unexpected document: %d bones, use count %d\n",
                         document.getNumBones(true), geometry->getUseCount());
            return 1;
        }
        document.clear(false);
        const qint64 total = timer.nsecsElapsed();
        if (geometry->getUseCount() != 0) {
            std::fprintf(stderr, "clear left %d assignments\n", geometry->getUseCount());
            return 1;
        }
        buildMs.push_back(built / 1e6);
        clearMs.push_back((total - built) / 1e6);
        totalMs.push_back(total / 1e6);
    }

    const double total = vxBenchMedian(totalMs);
    std::printf("Hierarchy document: %d bones (depth <= %d, one face group each), median of %d runs\n",
                kBones, kMaxDepth, kRuns);
    std::printf("  build  %8.2f ms\n", vxBenchMedian(buildMs));
    std::printf("  clear  %8.2f ms\n", vxBenchMedian(clearMs));
    std::printf("  total  %8.2f ms   target %.0f ms   (%.2f of the target)\n", total, kTargetMs, total / kTargetMs);
    return total <= kTargetMs ? 0 : 2;
}
