// Times building the host's scene outliner for a scene of 2,000 nodes: 10 figures of 150
// bones each (binary trees, as deep as real skeletons get) and 500 props. Each round
// builds a new outliner over the same scene (items for every node, top-level items
// expanded); prints the median of the rounds against the 100 ms target. Also times the
// outliner following the scene while the same 2,000 nodes are added one by one, as when
// figures are created with the window open.
//
//   bench_outliner [ROUNDS]   (default 9)
#include "vxbenchsupport.h"

#include "vxsceneoutliner.h"

#include "vxbone.h"
#include "vxfigure.h"
#include "vxnode.h"
#include "vxobject.h"
#include "vxscene.h"
#include "vxundostacklock.h"

#include <QApplication>

#include <cstdio>

namespace {

constexpr int kFigures = 10;
constexpr int kBonesPerFigure = 150;
constexpr int kProps = 500;
constexpr double kTargetMs = 100.0;

void buildScene(VxScene& scene)
{
    // Nothing here needs undo, and recording would only add noise.
    VxUndoStackLock noUndo(scene.getUndoStack());
    for (int f = 0; f < kFigures; ++f) {
        auto* figure = new VxFigure();
        figure->setName(QStringLiteral("Figure %1").arg(f));
        scene.addNode(figure);
        std::vector<VxNode*> bones;
        for (int b = 0; b < kBonesPerFigure - 1; ++b) {
            auto* bone = new VxBone();
            bone->setName(QStringLiteral("bone%1").arg(b));
            VxNode* parent = b == 0 ? static_cast<VxNode*>(figure) : bones[size_t((b - 1) / 2)];
            parent->addNodeChild(bone, false);
            scene.addNode(bone);
            bones.push_back(bone);
        }
    }
    for (int p = 0; p < kProps; ++p) {
        auto* prop = new VxNode();
        prop->setName(QStringLiteral("prop%1").arg(p));
        prop->setObject(new VxObject());
        scene.addNode(prop);
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    VxBenchApp app;
    // One scene at a time: the host has a single scene object.
    const double following = vxBenchMedianMs(rounds, [] {
        VxScene growing;
        VxSceneOutliner outliner(&growing);
        buildScene(growing);
    });
    VxScene scene;
    buildScene(scene);

    int items = 0;
    const double median = vxBenchMedianMs(rounds, [&] {
        VxSceneOutliner outliner(&scene);
        items = int(outliner.topLevelItemCount());
    });
    std::printf("scene: %d nodes (%d figures of %d, %d props), %d top-level items\n", scene.getNumNodes(), kFigures,
                kBonesPerFigure, kProps, items);
    std::printf("building the outliner: %.1f ms (median of %d rounds); target under %.0f ms: %s\n", median, rounds,
                kTargetMs, median < kTargetMs ? "met" : "MISSED");

    std::printf("scene built with the outliner following it: %.1f ms (median of %d rounds)\n", following, rounds);
    return 0;
}
