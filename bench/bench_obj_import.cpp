// Times the host's OBJ importer against tinyobjloader's LoadObj on one generated mesh of
// about a million triangles (60 face groups, 5 materials, UVs), next to a plain read of the
// file, the floor no reader can beat. Peak memory of each loader is measured in a child
// process of its own (this program run again with --child; wait4 gives its max RSS), so
// neither hides the other.
//
//   bench_obj_import [--triangles N] [--rounds N]
//
// Also times reading a small file (the example figure, 3,314 vertices) many times over: the
// cost of a read that is not spent on parsing.
//
// Targets: our time at most 0.75 of tinyobjloader's, and our peak memory no higher.
// Exit status 0 when both are met, 1 when not, 2 when something failed.
#include "vxbenchsupport.h"

#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vximportmgr.h"
#include "vxmeshgen.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#if defined(VX_HAVE_TINYOBJLOADER)
#include <tiny_obj_loader.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

struct Counts
{
    long long vertices = -1;
    long long facets = -1;
};

long long plainRead(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return -1;
    std::vector<char> buffer(size_t(1) << 20);
    long long total = 0;
    unsigned checksum = 0;   // touch the bytes, as any reader must
    for (qint64 got; (got = file.read(buffer.data(), qint64(buffer.size()))) > 0;) {
        total += got;
        for (qint64 i = 0; i < got; i += 4096)
            checksum += unsigned(buffer[size_t(i)]);
    }
    return total + (checksum & 0);
}

Counts readOurs(const QString& path)
{
    VxImportMgr importer;
    VxShape* shape = nullptr;
    if (importer.readGeometry(path, &shape) != VxImportMgr::Success) {
        std::fprintf(stderr, "%s\n", qPrintable(importer.getLastError()));
        return {};
    }
    VxRefGuard<VxShape> reference(shape);
    const VxFacetMesh* mesh = static_cast<VxFacetShape*>(shape)->getFacetMesh();
    return {mesh->getNumVertices(), mesh->getNumFacets()};
}

Counts readTinyObj(const QString& path)
{
#if defined(VX_HAVE_TINYOBJLOADER)
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn, err;
    const QByteArray folder = QFileInfo(path).absolutePath().toLocal8Bit() + '/';
    if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, path.toLocal8Bit().constData(), folder.constData(),
                          /*triangulate=*/false)) {
        std::fprintf(stderr, "tinyobjloader: %s\n", err.c_str());
        return {};
    }
    Counts counts{static_cast<long long>(attrib.vertices.size() / 3), 0};
    for (const tinyobj::shape_t& shape : shapes)
        counts.facets += static_cast<long long>(shape.mesh.num_face_vertices.size());
    return counts;
#else
    Q_UNUSED(path);
    return {};
#endif
}

// Runs this program again as `--child MODE FILE TRIANGLES` and returns the child's peak
// resident memory in MiB, or a negative number when it failed. The parent forks while it is
// still small (it generates nothing itself), so the image a child inherits never weighs more
// than the child's own peak.
double runChild(const char* mode, const QString& path, int triangles = 0)
{
    const VxBenchChild child =
        vxBenchRunSelf({QStringLiteral("--child"), QLatin1String(mode), path, QString::number(triangles)});
    return child.ok ? child.peakMiB : -1.0;
}

int childMain(const char* mode, const QString& path, int triangles)
{
    if (std::strcmp(mode, "generate") == 0) {
        QStringList materials;
        QString error;
        if (!VxMeshGen::writeObjFile(VxMeshGen::grid(triangles, 60, 5, &materials), materials, path, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    Counts counts;
    if (std::strcmp(mode, "ours") == 0)
        counts = readOurs(path);
    else if (std::strcmp(mode, "tinyobj") == 0)
        counts = readTinyObj(path);
    else if (std::strcmp(mode, "baseline") == 0)
        counts = {0, 0};
    return counts.vertices < 0 ? 1 : 0;
}

QString machineName()
{
    QFile cpuInfo(QStringLiteral("/proc/cpuinfo"));
    QString model = QStringLiteral("unknown processor");
    if (cpuInfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : cpuInfo.readAll().split('\n')) {
            if (line.startsWith("model name")) {
                model = QString::fromUtf8(line.mid(line.indexOf(':') + 1)).trimmed();
                break;
            }
        }
    }
    return QStringLiteral("%1, %2 cores").arg(model).arg(sysconf(_SC_NPROCESSORS_ONLN));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--child") == 0)
        return childMain(argv[2], QString::fromLocal8Bit(argv[3]), std::atoi(argv[4]));

    QCoreApplication app(argc, argv);
    int triangles = 1000000;
    int rounds = 5;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--triangles"))
            triangles = std::max(2, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--rounds"))
            rounds = std::max(1, args[i + 1].toInt());
    }
#if !defined(VX_HAVE_TINYOBJLOADER)
    std::fprintf(stderr, "bench_obj_import was built without tinyobjloader (apt-get install libtinyobjloader-dev)\n");
    return 2;
#endif
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.obj"));
    if (runChild("generate", path, triangles) < 0) {
        std::fprintf(stderr, "generating %s failed\n", qPrintable(path));
        return 2;
    }
    // Peaks first, while this process is small.
    const double baseline = runChild("baseline", path);
    const double ourPeak = runChild("ours", path);
    const double tinyPeak = runChild("tinyobj", path);
    if (baseline < 0 || ourPeak < 0 || tinyPeak < 0) {
        std::fprintf(stderr, "a child process failed\n");
        return 2;
    }

    std::vector<double> readTimes, ourTimes, tinyTimes;
    Counts mesh;
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        timer.start();
        const long long bytes = plainRead(path);
        readTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.start();
        const Counts ours = readOurs(path);
        ourTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.start();
        const Counts tiny = readTinyObj(path);
        tinyTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (bytes <= 0 || ours.vertices <= 0 || ours.vertices != tiny.vertices || ours.facets != tiny.facets) {
            std::fprintf(stderr, "a reader failed or miscounted: ours %lld/%lld, tinyobjloader %lld/%lld\n",
                         ours.vertices, ours.facets, tiny.vertices, tiny.facets);
            return 2;
        }
        mesh = ours;
    }
    const double readMs = vxBenchMedian(readTimes);
    const double ourMs = vxBenchMedian(ourTimes);
    const double tinyMs = vxBenchMedian(tinyTimes);
    const QString smallFile = QStringLiteral(VX_SOURCE_DIR "/examples/Runtime/Geometries/Figure/figure.obj");
    constexpr int kSmallReads = 200;
    const double smallMs = vxBenchMedianMs(rounds, [&] {
        for (int i = 0; i < kSmallReads; ++i)
            readOurs(smallFile);
    }) / kSmallReads;
    const double ratio = ourMs / tinyMs;

    std::printf("OBJ import: %lld triangles, %lld vertices, 60 face groups, 5 materials, UVs; %.1f MB file\n",
                mesh.facets, mesh.vertices, double(QFileInfo(path).size()) / 1e6);
    std::printf("machine: %s; %d rounds each, interleaved, medians\n\n", qPrintable(machineName()), rounds);
    std::printf("plain read of the file (floor)  %8.1f ms\n", readMs);
    std::printf("VxImportMgr::readGeometry       %8.1f ms\n", ourMs);
    std::printf("tinyobj::LoadObj                %8.1f ms\n", tinyMs);
    std::printf("time ratio ours / tinyobj       %8.2f   (target <= 0.75: %s)\n", ratio, ratio <= 0.75 ? "met" : "MISSED");
    std::printf("small file (example figure, %d reads per round)  %.3f ms a read\n\n", kSmallReads, smallMs);
    std::printf("peak memory (max RSS of a child process that only loads the file)\n");
    std::printf("  process without a load        %8.1f MiB\n", baseline);
    std::printf("  VxImportMgr::readGeometry     %8.1f MiB\n", ourPeak);
    std::printf("  tinyobj::LoadObj              %8.1f MiB\n", tinyPeak);
    std::printf("  ours <= tinyobj               %8s\n", ourPeak <= tinyPeak ? "met" : "MISSED");
    return ratio <= 0.75 && ourPeak <= tinyPeak ? 0 : 1;
}
