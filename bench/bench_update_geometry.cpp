// Updates the vertex positions of a 501,264-vertex node from an OBJ file with Update Base
// Geometry (run silently, as a batch script runs it) and compares that with reading the same
// file through the host importer alone, the floor the update cannot beat. Rounds alternate
// between the two so that a change in machine load touches both; medians are printed with
// their ratio against the 1.3 target.
#include "vxbenchsupport.h"

#include "vxupdategeometryaction.h"

#include "vxapp.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vximportmgr.h"
#include "vxmeshgen.h"
#include "vxnode.h"
#include "vxobject.h"
#include "vxscene.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <vector>

namespace {
constexpr int kTriangles = 1000000; // a 707 x 707 quad grid: 501,264 vertices
constexpr int kRounds = 9;
constexpr double kTargetRatio = 1.3;

double elapsedMs(QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    VxBenchApp app;
    VxScene scene;

    // The node's own mesh and a file of the same grid moved up by 1, so every update really
    // writes new positions.
    QStringList materials;
    VxFacetMeshData grid = VxMeshGen::grid(kTriangles, 60, 5, &materials);
    const QString basePath = app.path(QStringLiteral("base.obj"));
    const QString movedPath = app.path(QStringLiteral("moved.obj"));
    QString error;
    bool written = VxMeshGen::writeObjFile(grid, materials, basePath, &error);
    for (size_t i = 1; i < grid.positions.size(); i += 3)
        grid.positions[i] += 1.0f;
    written = written && VxMeshGen::writeObjFile(grid, materials, movedPath, &error);
    if (!written) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }

    VxImportMgr* importer = vxApp->getImportMgr();
    VxShape* baseShape = nullptr;
    if (importer->readGeometry(basePath, &baseShape) != VxImportMgr::Success) {
        std::fprintf(stderr, "%s\n", qPrintable(importer->getLastError()));
        return 2;
    }
    auto* node = new VxNode;
    node->setName(QStringLiteral("Grid"));
    scene.addNode(node);
    node->setObject(new VxObject);
    node->getObject()->addShape(baseShape);
    scene.selectNode(node, true);
    auto* mesh = qobject_cast<VxFacetMesh*>(baseShape->getGeometry());
    std::printf("node: %d vertices, %d facets; file %s\n", mesh->getNumVertices(), mesh->getNumFacets(),
                qPrintable(movedPath));

    const std::vector<float> basePositions(mesh->getVertexData(), mesh->getVertexData() + 3 * size_t(mesh->getNumVertices()));
    const float movedY = grid.positions[1];

    VxUpdateGeometryAction action;
    const QVariantMap settings{{QStringLiteral("Filename"), movedPath}, {QStringLiteral("RunSilent"), true}};
    std::vector<double> readMs;
    std::vector<double> updateMs;
    QElapsedTimer timer;
    for (int round = 0; round < kRounds; ++round) {
        // The importer alone: read the file into a shape and let it go, as the update does.
        timer.start();
        VxShape* shape = nullptr;
        const int result = importer->readGeometry(movedPath, &shape);
        if (shape) {
            shape->ref();
            shape->unref();
        }
        readMs.push_back(elapsedMs(timer));
        if (result != VxImportMgr::Success) {
            std::fprintf(stderr, "%s\n", qPrintable(importer->getLastError()));
            return 2;
        }

        // Put the old positions back, untimed, so the update has work to do.
        mesh->setVertexPositions(basePositions);

        timer.start();
        action.triggerWithSettings(settings);
        updateMs.push_back(elapsedMs(timer));
        if (mesh->getVertex(0).y != movedY) {
            std::fprintf(stderr, "the update did not reach the node\n");
            return 2;
        }
    }

    const double read = vxBenchMedian(readMs);
    const double update = vxBenchMedian(updateMs);
    const double ratio = update / read;
    std::printf("%d interleaved rounds (medians)\n\n", kRounds);
    std::printf("read the file with the host importer    %8.1f ms  (the floor)\n", read);
    std::printf("update the node's vertex positions      %8.1f ms\n", update);
    std::printf("update / read                           %8.2f    (target at most %.1f: %s)\n", ratio, kTargetRatio,
                ratio <= kTargetRatio ? "met" : "MISSED");
    return 0;
}
