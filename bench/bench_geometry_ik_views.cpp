// Attaches documents to the geometry list and the IK chain view, as the pane does when it
// shows a document: one with 50 loaded geometry files of 150 face groups each, and one with
// 300 IK chains of 5 links. Prints the median of 21 attachments of each to a new view,
// against the 100 ms target.
#include "vxbenchsupport.h"

#include "vxgeometrylistview.h"
#include "vxiklistview.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <vector>

namespace {
constexpr int kFiles = 50;
constexpr int kGroups = 150;
constexpr int kChains = 300;
constexpr int kLinks = 5;
constexpr int kRuns = 21;
constexpr double kTargetMs = 100.0;

// Attaches `document` to a new view of type View kRuns times; the view's construction is
// not timed, its first layout is.
template<class View>
double attachMs(VxFSHierarchy& document, int expectedTopLevel)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        View view(nullptr);
        view.resize(400, 600);
        QElapsedTimer timer;
        timer.start();
        view.setHierarchy(&document);
        view.doItemsLayout();
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (view.topLevelItemCount() != expectedTopLevel) {
            std::fprintf(stderr, "the view shows %d items, not %d\n", view.topLevelItemCount(), expectedTopLevel);
            return -1.0;
        }
    }
    return vxBenchMedian(times);
}

bool report(const char* what, double ms)
{
    std::printf("  %-48s %8.2f ms   target %.0f ms   (%.2f of the target)\n", what, ms, kTargetMs, ms / kTargetMs);
    return ms >= 0.0 && ms <= kTargetMs;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    VxBenchApp app;

    QStringList groups;
    for (int g = 0; g < kGroups; ++g)
        groups << QStringLiteral("part%1").arg(g, 3, 10, QLatin1Char('0'));
    const QByteArray mesh = vxBenchGroupMesh(groups);
    VxFSHierarchy geometryDocument;
    for (int f = 0; f < kFiles; ++f) {
        const QString path = app.path(QStringLiteral("mesh%1.obj").arg(f));
        if (!vxBenchWriteFile(path, mesh) || !geometryDocument.addGeometry(path)) {
            std::fprintf(stderr, "cannot load %s\n", qPrintable(path));
            return 1;
        }
    }

    VxFSHierarchy chainDocument;
    chainDocument.setFigureType(Poser);
    for (int c = 0; c < kChains; ++c) {
        VxFSHierarchyItem* bone = new VxFSHierarchyItem(&chainDocument, QStringLiteral("limb%1_0").arg(c));
        VxFSHierarchyIKChain* chain = chainDocument.createIKChain(QStringLiteral("chain%1").arg(c));
        chain->addLink(bone, 0.0f);
        for (int l = 1; l < kLinks; ++l) {
            bone = new VxFSHierarchyItem(bone, QStringLiteral("limb%1_%2").arg(c).arg(l));
            chain->addLink(bone, 0.0f);
        }
        chain->distributeWeights();
    }

    std::printf("Attaching documents to the pane's lists (new view, first layout included), median of %d runs\n",
                kRuns);
    const bool geometryOk = report("geometry list: 50 files x 150 face groups",
                                   attachMs<VxGeometryListView>(geometryDocument, kFiles));
    const bool chainsOk = report("IK chain view: 300 chains x 5 links", attachMs<VxIKListView>(chainDocument, kChains));
    return geometryOk && chainsOk ? 0 : 2;
}
