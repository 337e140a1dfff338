// Exports a single-skin and a parametric figure of 150 bones over a 500,000-vertex skin with
// 150 face groups (vxBenchFillDocument's document, built as the pane's Create button builds
// it) as binary glTF, and prints the median time to build the file's bytes and to write
// them, and the file's size. The single-skin figure is weighted by its face groups on all
// three axes of every bone, with each group's border shared with the next bone, so vertices
// carry one or two influences.
#include "vxbenchsupport.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfsparametricfigurebuilder.h"
#include "vxfsskinfigurebuilder.h"

#include "vxbonebinding.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxglbwriter.h"
#include "vxgltfexporter.h"
#include "vxlegacyfigure.h"
#include "vxmeshgen.h"
#include "vxrefcounted.h"
#include "vxscene.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
constexpr int kTriangles = 1000000; // a 707 x 707 quad grid: 501,264 vertices
constexpr int kBones = 150;
constexpr int kRuns = 5;

// Every bone's face-group vertices in full on its three maps, and half on the next bone's.
void weightFigure(VxFigure* figure)
{
    const VxSkinBinding* skin = figure->getSkinBinding();
    for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
        const std::vector<int>& own = figure->getVertexMap(skin->getBoneBinding(b)->getBone());
        const VxBoneBinding* next = skin->getBoneBinding((b + 1) % skin->getNumBoneBindings());
        for (int axis = 0; axis < 3; ++axis) {
            for (int v : own)
                skin->getBoneBinding(b)->getLocalWeights(axis)->setWeight(v, VxWeightMap::kMaxWeight);
            for (size_t k = 0; k < own.size(); k += 7)
                next->getLocalWeights(axis)->setWeight(own[k], VxWeightMap::kMaxWeight / 2);
        }
    }
}

void measure(const char* what, const VxSkeleton& figure, const QString& path)
{
    QByteArray glb;
    VxGltfExporter exporter;
    bool ok = true;
    const double buildMs = vxBenchMedianMs(kRuns, [&] { ok = exporter.build(figure, &glb) && ok; });
    QString error;
    const double writeMs = vxBenchMedianMs(kRuns, [&] { ok = VxGlbWriter::save(path, glb, &error) && ok; });
    if (!ok) {
        std::fprintf(stderr, "%s: %s%s\n", what, qPrintable(exporter.error()), qPrintable(error));
        return;
    }
    std::printf("%-13s build %8.1f ms   write %6.1f ms   file %6.1f MB\n", what, buildMs, writeMs,
                double(glb.size()) / (1024.0 * 1024.0));
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    VxBenchApp app;
    auto* mesh = new VxFacetMesh();
    mesh->ref();
    mesh->setData(VxMeshGen::grid(kTriangles, kBones, 5));
    VxRefGuard<VxFacetShape> shape(new VxFacetShape());
    shape->setName(QStringLiteral("skin"));
    shape->setFacetMesh(mesh);
    std::printf("glTF export of %d bones over %d vertices, %d facets; median of %d runs\n", kBones,
                mesh->getNumVertices(), mesh->getNumFacets(), kRuns);
    for (VxFigureSetupFigureType type : {SingleSkin, Poser}) {
        VxScene scene;
        VxFSHierarchy document(QStringLiteral("Bench"));
        auto* item = new VxFSGeomItem(shape.get(), QStringLiteral("skin"));
        document.addGeometryItem(item);
        document.setFigureType(type);
        vxBenchFillDocument(document, item, kBones);
        if (type == SingleSkin)
            VxFSSkinFigureBuilder(&document).createSingleSkinFigure(false);
        else
            VxFSParametricFigureBuilder(&document).createParametricFigure();
        auto* figure = qobject_cast<VxSkeleton*>(scene.findNode(document.getName()));
        if (!figure) {
            std::fprintf(stderr, "the figure was not built\n");
            return 2;
        }
        if (auto* skinFigure = qobject_cast<VxFigure*>(figure))
            weightFigure(skinFigure);
        measure(type == SingleSkin ? "single skin" : "parametric", *figure, app.path(QStringLiteral("bench.glb")));
    }
    mesh->unref();
    return 0;
}
