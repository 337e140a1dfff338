#pragma once

#include "vxsdkglobal.h"

#include <QHash>
#include <QList>
#include <QStringList>

class VxBone;
class VxFacetMesh;
class VxFigure;
class VxGltfSkinWeights;
class VxLegacyFigure;
class VxNode;
class VxSkeleton;

// Reads a figure's weights into one weight per bone and vertex, the form glTF skins use.
//
// Single-skin figures weight each rotation axis of a bone by its own local map. glTF has
// one weight per joint, so a bone's weight at a vertex is the sum of its three axis
// weights there. That is the mean of the axis weights up to a factor that is the same for
// every bone at that vertex, which normalising removes: where a bone's maps agree (as
// painting or automatic weights leave them) the bone keeps exactly its weight. Scale maps
// follow no rotation and bulge maps swell the skin rather than move it with a bone; glTF
// skins have neither, so both are left out.
//
// Parametric figures are weighted by their joints, as VxGltfJointWeights derives them.
//
// A vertex no bone weights goes in full to the first bone whose face groups hold it, or to
// the first bone when none does.
class VXSDK_EXPORT VxGltfWeightReader
{
public:
    // `bones` are the joints in order; weights of other nodes are ignored.
    VxGltfWeightReader(const VxSkeleton& figure, const VxFacetMesh& skin, const QList<VxBone*>& bones);

    // Fills `weights` (sized to the skin's vertices) and normalises them. False when no
    // bone weights any vertex; the reason is in error(). Notes on what was worked around
    // (unweighted vertices, bones without weights, maps of the wrong size) go to warnings().
    bool read(VxGltfSkinWeights& weights);

    const QString& error() const { return m_error; }
    const QStringList& warnings() const { return m_warnings; }

private:
    void readSkinFigure(const VxFigure& figure, VxGltfSkinWeights& weights);
    void readLegacyFigure(const VxLegacyFigure& figure, VxGltfSkinWeights& weights);
    void addBoneWeights(int joint, const std::vector<float>& sums, const std::vector<int>& touched,
                        VxGltfSkinWeights& weights);
    void giveUnweightedVertices(VxGltfSkinWeights& weights);
    void noteBonesWithoutWeights();

    const VxSkeleton& m_figure;
    const VxFacetMesh& m_skin;
    QList<VxBone*> m_bones;
    QHash<const VxNode*, int> m_jointOf;
    std::vector<bool> m_weightedJoint;
    QString m_error;
    QStringList m_warnings;
};
