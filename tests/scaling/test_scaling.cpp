// The size-scaling check: each reader of user files, given inputs that grow tenfold, must
// grow no faster in time than the input, and in memory no faster than what it keeps of the
// input (or not at all, where it keeps nothing). Faults once found here: a template whose
// entities expanded a hundredfold, a PHI file whose blank lines were all held in memory,
// a content search that walked the content folder again for every path it could not
// resolve. Each read runs in a process of its own (vxreadprobe), three times, medians kept;
// the figures are printed.
#include "vxapptest.h"

#include <QDir>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

enum class Memory {
    Constant, // the reader keeps nothing of the input: the peak stays where it was
    Linear,   // it keeps what it read (names, bones): the peak grows with the input
};

struct Figures
{
    double cpuMs = 0;
    double peakMb = 0;
};

struct Case
{
    const char* name;
    const char* reader;
    Memory memory;
    // Writes the input for `scale` (1 or 10) below `folder` and returns its path; a content
    // folder for the read, when the case needs one, is `folder`/content.
    std::function<QString(int scale, const QString& folder)> write;
};

QString writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << qPrintable(path);
    return path;
}

// A content folder of `files` meshes that no input names, so that every path misses.
void fillContentFolder(const QString& folder, int files)
{
    QDir().mkpath(folder + QStringLiteral("/content/Runtime/Geometries/library"));
    for (int i = 0; i < files; ++i)
        writeBytes(folder + QStringLiteral("/content/Runtime/Geometries/library/item%1.obj").arg(i), "v 0 0 0\n");
}

const QByteArray kTriangle = "v 0 0 0\nv 1 0 0\nv 1 1 0\n";

const Case kCases[] = {
    {"mesh: long group names", "mesh", Memory::Linear,
     [](int scale, const QString& folder) {
         QByteArray obj = kTriangle;
         for (int g = 0; g < 20; ++g)
             obj += "g " + QByteArray::number(g) + QByteArray(20000 * scale, 'n') + "\nf 1 2 3\n";
         return writeBytes(folder + QStringLiteral("/long.obj"), obj);
     }},
    {"mesh: blank lines", "mesh", Memory::Constant,
     [](int scale, const QString& folder) {
         return writeBytes(folder + QStringLiteral("/blank.obj"), kTriangle + QByteArray(300000 * scale, '\n') + "f 1 2 3\n");
     }},
    {"template: entity references", "template", Memory::Constant,
     [](int scale, const QString& folder) {
         // Expanded, the text would be the entity's length times the references: 100 times
         // longer for a file 10 times larger (Qt's parser allows 4,096 characters an entity).
         const int size = 400 * scale;
         QByteArray xml = "<!DOCTYPE VexelHierarchyPreset [<!ENTITY e \"" + QByteArray(size, 'e') + "\">]>"
                          "<VexelHierarchyPreset><Figure Name=\"";
         xml += QByteArray("&e;").repeated(size) + "\"><Bone Name=\"hip\"/></Figure></VexelHierarchyPreset>";
         return writeBytes(folder + QStringLiteral("/entities.vxt"), xml);
     }},
    {"template: long names", "template", Memory::Linear,
     [](int scale, const QString& folder) {
         QByteArray xml = "<VexelHierarchyPreset><Figure>";
         for (int b = 0; b < 20; ++b)
             xml += "<Bone Name=\"" + QByteArray::number(b) + QByteArray(10000 * scale, 'n') + "\"/>";
         return writeBytes(folder + QStringLiteral("/long.vxt"), xml + "</Figure></VexelHierarchyPreset>");
     }},
    {"template: unresolved geometry", "template", Memory::Linear,
     [](int scale, const QString& folder) {
         // As many paths that resolve nowhere as the content folder has files.
         const int count = 150 * scale;
         fillContentFolder(folder, count);
         QByteArray xml = "<VexelHierarchyPreset><Figure><Bone Name=\"hip\"/>";
         for (int i = 0; i < count; ++i)
             xml += "<GeomItem GeomRelativePath=\"Runtime/Geometries/gone/m" + QByteArray::number(i) + ".obj\"/>";
         return writeBytes(folder + QStringLiteral("/misses.vxt"), xml + "</Figure></VexelHierarchyPreset>");
     }},
    {"PHI: blank lines", "phi", Memory::Constant,
     [](int scale, const QString& folder) {
         return writeBytes(folder + QStringLiteral("/blank.phi"),
                           "objFile:x.obj\n1 hip xyz\n" + QByteArray(200000 * scale, '\n'));
     }},
    {"PHI: unresolved geometry", "phi", Memory::Linear,
     [](int scale, const QString& folder) {
         const int count = 150 * scale;
         fillContentFolder(folder, count);
         QByteArray phi = "objFile:x.obj\n";
         for (int i = 0; i < count; ++i)
             phi += "1 b" + QByteArray::number(i) + " xyz :Runtime:Geometries:gone:m" + QByteArray::number(i) + ".obj\n";
         return writeBytes(folder + QStringLiteral("/misses.phi"), phi);
     }},
};

// Tenfold input may cost this much more than tenfold (noise on a shared machine); below
// the floors the figures are noise.
constexpr double kTolerance = 1.5;
constexpr double kCpuFloorMs = 2.0;
constexpr double kPeakFloorMb = 2.0;

Figures probe(const QString& reader, const QString& file, const QString& content)
{
    QStringList arguments{reader, file};
    if (QFileInfo(content).isDir())
        arguments << content;
    std::vector<Figures> runs;
    for (int run = 0; run < 3; ++run) {
        QProcess process;
        process.start(QStringLiteral(VX_BIN_DIR "/vxreadprobe"), arguments);
        EXPECT_TRUE(process.waitForFinished(120000)) << qPrintable(file);
        const QByteArray output = process.readAllStandardOutput();
        const QList<QByteArray> fields = output.trimmed().split(' ');
        EXPECT_EQ(fields.size(), 2) << output.constData() << process.readAllStandardError().constData();
        Figures figures;
        figures.cpuMs = fields.value(0).mid(int(qstrlen("cpu_ms="))).toDouble();
        figures.peakMb = fields.value(1).mid(int(qstrlen("peak_kb="))).toDouble() / 1024.0;
        runs.push_back(figures);
    }
    const auto median = [&runs](double Figures::*field) {
        std::vector<double> values;
        for (const Figures& run : runs)
            values.push_back(run.*field);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    return {median(&Figures::cpuMs), median(&Figures::peakMb)};
}

using ScalingTest = VxAppTest;

} // namespace

TEST_F(ScalingTest, TenfoldInputsCostAtMostTenfold)
{
    std::printf("%-30s %10s %10s %6s %10s %10s %6s\n", "reader: input", "cpu 1x", "cpu 10x", "ratio", "peak 1x",
                "peak 10x", "ratio");
    for (const Case& test : kCases) {
        Figures figures[2];
        qint64 bytes[2] = {};
        for (int i = 0; i < 2; ++i) {
            const QString folder = tempPath(QStringLiteral("%1-%2").arg(&test - kCases).arg(i));
            const QString file = test.write(i == 0 ? 1 : 10, folder);
            bytes[i] = QFileInfo(file).size();
            figures[i] = probe(QString::fromLatin1(test.reader), file, folder + QStringLiteral("/content"));
        }
        const double cpuRatio = figures[1].cpuMs / qMax(figures[0].cpuMs, kCpuFloorMs);
        const double peakRatio = figures[1].peakMb / qMax(figures[0].peakMb, kPeakFloorMb);
        std::printf("%-30s %8.1fms %8.1fms %6.1f %8.1fMB %8.1fMB %6.1f   (%lld / %lld bytes)\n", test.name,
                    figures[0].cpuMs, figures[1].cpuMs, cpuRatio, figures[0].peakMb, figures[1].peakMb, peakRatio,
                    bytes[0], bytes[1]);
        EXPECT_LE(cpuRatio, 10 * kTolerance) << test.name;
        EXPECT_LE(peakRatio, (test.memory == Memory::Linear ? 10 : 1) * kTolerance) << test.name;
    }
}
