#pragma once

#include "vxsdkglobal.h"

#include <QString>

#include <vector>

class VxBoneBinding;
class VxFacetMesh;
class VxFigure;

// "Weights from Face Groups" on one single-skin figure: reads which bones can take weights
// (a bone binding with at least one local or scale map) and which face groups of the skin
// each owns (the figure's selection map; a group paired with a bone without maps goes to
// its nearest ancestor with maps), solves the weights (VxFaceGroupWeightSolver) and writes
// them (VxSkinWeightWriter). Nothing is changed unless the figure passes every check.
class VXSDK_EXPORT VxFaceGroupWeighting
{
public:
    explicit VxFaceGroupWeighting(VxFigure* figure);

    // Whether the figure can be weighted; otherwise why not, in words for the user.
    bool check(QString* reason) const;
    // Whether a bone that would be weighted already holds weights.
    bool hasPaintedWeights() const;
    // Fills the maps, keeping painted bones' maps unless `replacePainted`; the figure's
    // evaluated (posed) skin follows.
    bool apply(bool replacePainted, QString* reason);
    // One line for the host log about the last apply().
    const QString& summary() const { return m_summary; }

private:
    void gather();

    VxFigure* m_figure;
    VxFacetMesh* m_mesh = nullptr;
    int m_boundBones = 0;
    std::vector<VxBoneBinding*> m_bindings; // the bones that can take weights
    std::vector<int> m_parents;
    std::vector<std::vector<int>> m_groups;
    int m_pairedGroups = 0;
    QString m_summary;
};
