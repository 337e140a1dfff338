// Builds a single-skin and a parametric figure from a 150-bone document (default choices:
// four weight maps a bone on the single skin, twist, two bends and smooth scaling a joint
// on the parametric figure) over a 500,000-vertex skin with 150 face groups, the way the
// pane's Create button does. Prints the median build time of several runs, each in a fresh
// scene, and the peak memory growth of one build beyond the loaded mesh, measured in a
// child process per case.
#include "vxbenchsupport.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfsparametricfigurebuilder.h"
#include "vxfsskinfigurebuilder.h"

#include "vxapp.h"
#include "vxbonebinding.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyjoint.h"
#include "vxmeshgen.h"
#include "vxrefcounted.h"
#include "vxscene.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {
constexpr int kTriangles = 1000000; // a 707 x 707 quad grid: 501,264 vertices
constexpr int kBones = 150;
constexpr int kRuns = 7;
constexpr double kSkinTargetMs = 300.0;
constexpr double kParametricTargetMs = 200.0;
constexpr double kSkinTargetMb = 50.0;

// The skin and a document over it (vxBenchFillDocument).
struct Setup
{
    VxFacetMesh* mesh = nullptr;
    std::unique_ptr<VxFSHierarchy> document;

    Setup(VxFigureSetupFigureType type, bool boxesCached = true)
    {
        mesh = new VxFacetMesh();
        mesh->ref();
        mesh->setData(VxMeshGen::grid(kTriangles, kBones, 5));
        if (boxesCached)
            mesh->getBoundingBox(); // the cached group boxes are part of the loaded mesh
        VxRefGuard<VxFacetShape> shape(new VxFacetShape());
        shape->setName(QStringLiteral("skin"));
        shape->setFacetMesh(mesh);
        document = std::make_unique<VxFSHierarchy>(QStringLiteral("Bench"));
        auto* item = new VxFSGeomItem(shape.get(), QStringLiteral("skin"));
        document->addGeometryItem(item);
        document->setFigureType(type);
        vxBenchFillDocument(*document, item, kBones);
    }
    ~Setup()
    {
        document.reset();
        mesh->unref();
    }
};

// One build in a fresh scene; false when the figure did not come out whole.
bool buildOnce(const VxFSHierarchy& document, bool skin)
{
    VxScene scene;
    if (skin)
        VxFSSkinFigureBuilder(&document).createSingleSkinFigure(false);
    else
        VxFSParametricFigureBuilder(&document).createParametricFigure();
    VxNode* node = scene.findNode(document.getName());
    if (auto* figure = qobject_cast<VxFigure*>(node)) {
        // Every bone has its four maps, one weight per skin vertex, none painted yet.
        const VxSkinBinding* binding = figure->getSkinBinding();
        const int vertices = document.getBaseGeometry()->getShape()->getFacetMesh()->getNumVertices();
        for (int b = 0; b < binding->getNumBoneBindings(); ++b) {
            const VxBoneBinding* bone = binding->getBoneBinding(b);
            for (const VxWeightMap* map : {bone->getLocalWeights(0), bone->getLocalWeights(1),
                                           bone->getLocalWeights(2), bone->getScaleWeights()}) {
                if (!map || map->getNumWeights() != vertices || map->getNumAllocatedPages() != 0)
                    return false;
            }
        }
        return binding->getNumBoneBindings() == kBones;
    }
    if (auto* figure = qobject_cast<VxLegacyFigure*>(node))
        return figure->findBinding() && figure->findBinding()->getNumJoints() == kBones;
    return false;
}

// Child: sets up, lets go of what setting up left free, builds once and prints how far the
// resident size rose above the loaded mesh, in kB.
int childMain(bool skin)
{
    Setup setup(skin ? SingleSkin : Poser);
    malloc_trim(0);
    const long before = vxBenchStatusKb("VmRSS:");
    if (!vxBenchResetPeak())
        return 3;
    if (!buildOnce(*setup.document, skin))
        return 4;
    std::printf("%ld\n", vxBenchStatusKb("VmHWM:") - before);
    return 0;
}

double peakGrowthMb(const char* mode)
{
    const VxBenchChild child = vxBenchRunSelf({QStringLiteral("--child"), QLatin1String(mode)});
    return child.ok ? child.output.trimmed().toDouble() / 1024.0 : -1.0;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    VxBenchApp app;
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return childMain(std::strcmp(argv[2], "skin") == 0);

    const double skinMb = peakGrowthMb("skin");
    const double parametricMb = peakGrowthMb("parametric");
    if (skinMb < 0 || parametricMb < 0) {
        std::fprintf(stderr, "a child process failed\n");
        return 2;
    }

    std::vector<double> skinMs, parametricMs;
    {
        Setup skin(SingleSkin);
        Setup parametric(Poser);
        std::printf("skin: %d vertices, %d facets, %d face groups; document: %d bones, default choices\n",
                    skin.mesh->getNumVertices(), skin.mesh->getNumFacets(), skin.mesh->getNumFaceGroups(), kBones);
        QElapsedTimer timer;
        for (int run = 0; run < kRuns; ++run) {
            timer.start();
            const bool skinOk = buildOnce(*skin.document, true);
            skinMs.push_back(double(timer.nsecsElapsed()) / 1e6);
            timer.start();
            const bool parametricOk = buildOnce(*parametric.document, false);
            parametricMs.push_back(double(timer.nsecsElapsed()) / 1e6);
            if (!skinOk || !parametricOk) {
                std::fprintf(stderr, "a build did not complete\n");
                return 2;
            }
        }
    }
    // The first figure from a mesh fresh from the importer also computes its group boxes.
    double firstMs = 0.0;
    {
        Setup fresh(SingleSkin, false);
        QElapsedTimer timer;
        timer.start();
        buildOnce(*fresh.document, true);
        firstMs = double(timer.nsecsElapsed()) / 1e6;
    }
    const double skinMedian = vxBenchMedian(skinMs);
    const double parametricMedian = vxBenchMedian(parametricMs);
    std::printf("%d runs each, interleaved, each in a fresh scene (medians)\n\n", kRuns);
    std::printf("single-skin figure (600 weight maps)  %7.1f ms  (target < %.0f ms: %s)\n", skinMedian,
                kSkinTargetMs, skinMedian < kSkinTargetMs ? "met" : "MISSED");
    std::printf("  peak memory growth beyond the mesh  %7.1f MB  (target < %.0f MB: %s)\n", skinMb, kSkinTargetMb,
                skinMb < kSkinTargetMb ? "met" : "MISSED");
    std::printf("parametric figure (150 joints)        %7.1f ms  (target < %.0f ms: %s)\n", parametricMedian,
                kParametricTargetMs, parametricMedian < kParametricTargetMs ? "met" : "MISSED");
    std::printf("  peak memory growth beyond the mesh  %7.1f MB\n", parametricMb);
    std::printf("single-skin figure on a mesh whose group boxes are not cached yet  %.1f ms\n", firstMs);
    return 0;
}
