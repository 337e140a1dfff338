// Reads and writes large hierarchies through the two file readers and prints the median of
// 3 runs of each step:
//  - a Poser hierarchy file of 100,000 bones, flat (every bone a root) and as 5,263 copies
//    of a 19-bone humanoid (depth 7), each with a face group from a 100,000-group mesh;
//  - the humanoid forest saved as a template and read back;
//  - a 100,000-bone PHI chain and a template nested 10,000 bones deep, both refused.
// Targets: each 100,000-bone step under 10 s on the shared 2-core machine (it once took
// minutes: the name rule and tail appends searched the whole forest for every bone).
#include "vxbenchsupport.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsphifile.h"
#include "vxfstemplatefile.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMessageBox>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kBones = 100000;
constexpr int kRuns = 3;
constexpr double kTargetMs = 10000.0;

double medianMs(const std::function<void()>& step)
{
    return vxBenchMedianMs(kRuns, step);
}

void report(const char* what, double ms, bool withTarget = true)
{
    if (withTarget)
        std::printf("%-62s %9.1f ms   %s\n", what, ms, ms <= kTargetMs ? "within target" : "OVER TARGET");
    else
        std::printf("%-62s %9.1f ms\n", what, ms);
}

// The refusals show a message box each: answer it at once.
class BoxCloser : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched))
            QMetaObject::invokeMethod(watched, "reject", Qt::QueuedConnection);
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    VxBenchApp app;
    app.addRuntimeFolder(QStringLiteral("content"));
    QDir().mkpath(app.path(QStringLiteral("content/Runtime/Geometries/Big")));

    QByteArray flat = "objFile:Runtime:Geometries:Big:flat.obj\n";
    QByteArray humanoids = "objFile:Runtime:Geometries:Big:humanoids.obj\n";
    QStringList flatNames;
    QStringList humanoidNames;
    for (int i = 0; i < kBones; ++i) {
        flatNames << QStringLiteral("bone%1").arg(i);
        flat += "1 bone" + QByteArray::number(i) + " xyz\n";
    }
    for (int copy = 0; humanoidNames.size() + 19 <= kBones; ++copy) {
        for (const auto& bone : vxBenchHumanoid) {
            const QString name = QString::fromLatin1(bone.name) + QString::number(copy);
            humanoidNames << name;
            humanoids += QByteArray(bone.depth) + ' ' + name.toUtf8() + " yzx\n";
        }
    }
    QByteArray chain = "objFile:x\n";
    for (int i = 1; i <= kBones; ++i)
        chain += QByteArray::number(i) + " b" + QByteArray::number(i) + " xyz\n";
    // Well-formed: a malformed file is no template and clears the document instead.
    QByteArray tower = "<VexelHierarchyPreset><Figure>";
    for (int i = 0; i < 10000; ++i)
        tower += "<Bone Name=\"b" + QByteArray::number(i) + "\">";
    tower += QByteArray("</Bone>").repeated(10000) + "</Figure></VexelHierarchyPreset>";
    const QString flatPhi = app.path(QStringLiteral("flat.phi"));
    const QString humanoidPhi = app.path(QStringLiteral("humanoids.phi"));
    const QString chainPhi = app.path(QStringLiteral("chain.phi"));
    const QString deepVxt = app.path(QStringLiteral("deep.vxt"));
    const QString savedVxt = app.path(QStringLiteral("humanoids.vxt"));
    const QString meshes = app.path(QStringLiteral("content/Runtime/Geometries/Big/"));
    if (!vxBenchWriteFile(flatPhi, flat) || !vxBenchWriteFile(humanoidPhi, humanoids)
        || !vxBenchWriteFile(chainPhi, chain) || !vxBenchWriteFile(deepVxt, tower)
        || !vxBenchWriteFile(meshes + QStringLiteral("flat.obj"), vxBenchGroupMesh(flatNames))
        || !vxBenchWriteFile(meshes + QStringLiteral("humanoids.obj"), vxBenchGroupMesh(humanoidNames))) {
        std::fprintf(stderr, "Cannot write the input files\n");
        return 1;
    }

    // The geometry stays loaded between runs, as in the pane: only the first run reads it.
    VxFSHierarchy document;
    VxFSPhiFile::loadPHI(document, flatPhi);
    const int flatBones = document.getNumBones(true);
    const double flatMs = medianMs([&] { VxFSPhiFile::loadPHI(document, flatPhi); });
    VxFSPhiFile::loadPHI(document, humanoidPhi);
    const int humanoidBones = document.getNumBones(true);
    int assigned = 0;
    for (const VxFSHierarchyItem* bone : document.getAllBones())
        assigned += bone->getGeomGroup() ? 1 : 0;
    const double humanoidMs = medianMs([&] { VxFSPhiFile::loadPHI(document, humanoidPhi); });
    const double saveMs = medianMs([&] { VxFSTemplateFile::savePreset(document, savedVxt); });
    const double loadMs = medianMs([&] { VxFSTemplateFile::loadPreset(document, savedVxt); });
    const int reloadedBones = document.getNumBones(true);

    BoxCloser closer;
    qtApp.installEventFilter(&closer);
    const double chainMs = medianMs([&] { VxFSPhiFile::loadPHI(document, chainPhi); });
    const double deepMs = medianMs([&] { VxFSTemplateFile::loadPreset(document, deepVxt); });
    const int keptBones = document.getNumBones(true);

    std::printf("Large hierarchies, median of %d runs\n", kRuns);
    report(qPrintable(QStringLiteral("PHI, %1 flat bones").arg(flatBones)), flatMs);
    report(qPrintable(QStringLiteral("PHI, %1 bones as humanoids (%2 with a face group)").arg(humanoidBones).arg(assigned)),
           humanoidMs);
    report(qPrintable(QStringLiteral("template save of the humanoids")), saveMs);
    report(qPrintable(QStringLiteral("template load of the humanoids (%1 bones)").arg(reloadedBones)), loadMs);
    report("PHI, 100,000-bone chain, refused", chainMs, false);
    report("template nested 10,000 bones deep, refused", deepMs, false);
    std::printf("bones kept after the refusals: %d\n", keptBones);
    const bool ok = flatBones == kBones && humanoidBones == humanoidNames.size() && assigned == humanoidBones
                    && reloadedBones == humanoidBones && keptBones == humanoidBones;
    return ok ? 0 : 1;
}
