#pragma once

#include <QString>

class VxFigure;
class VxSkeleton;

// The example humanoid of examples/ made into a figure in vxScene by the Figure Setup
// plug-in's own classes, the way the pane's Create button makes it: a single-skin figure
// from the template figure.vxt, or a parametric one from the Poser hierarchy figure.phi.
class VxExampleFigure
{
public:
    enum Kind { SingleSkin, Parametric };

    // Builds the figure, with `examplesDir` as a runtime folder so that the mesh path of the
    // template or hierarchy file resolves. Null with the reason in *error.
    static VxSkeleton* build(Kind kind, const QString& examplesDir, QString* error);

    // Fills every local weight map of every bone with the full weight on the vertices of
    // the bone's face groups and nothing elsewhere: rigid weights, which a vertex on a seam
    // shares between its bones. Returns the number of weights written.
    static int weightByFaceGroups(VxFigure* figure);

    // Puts the figure in a pose that shows its rig: arms lowered and bent at the elbows,
    // one knee bent, the head turned.
    static void pose(VxSkeleton* figure);
};
