#pragma once

#include "vxsdkglobal.h"

#include <QHash>

#include <vector>

class VxFacetMesh;
class VxGltfSkinWeights;
class VxLegacyFigure;
class VxNode;

// One weight per bone and vertex for a parametric figure, derived from its joints the way
// the host moves the skin (VxLegacyJointWeights gives, per vertex of each bone, how far it
// follows each rotation axis of its bone and of the bones below).
//
// A vertex of bone B follows B by its factors on B's axes, each axis counted by how far B is
// turned about it (so the current pose comes out as the host shows it; a bone at rest
// counts its side-side and bend axes alike, since bends decide how a joint folds), and
// follows B's parent by the rest. It follows a bone D below B (through the parameters D
// drives on B's joint) by those factors counted the same way by D's turns, taken from B's
// share first. A vertex several bones hold (a seam) takes the mean of their weights, as the
// host averages their positions. A single weight per joint blends linearly where the host
// turns a vertex part of the way, so ramps (a twist along a bone, a bend zone) come out a
// little shorter than the host's arcs. Welds are not carried over; the parts they tie move
// with their bones.
class VXSDK_EXPORT VxGltfJointWeights
{
public:
    // `jointOf` numbers the exported bones; weights of other bones go to the nearest
    // exported bone above them, or are dropped.
    VxGltfJointWeights(const VxLegacyFigure& figure, const VxFacetMesh& rest, const QHash<const VxNode*, int>& jointOf);

    // Offers every vertex's weights to `weights`; returns, per joint, whether it got any.
    std::vector<bool> addTo(VxGltfSkinWeights& weights) const;

private:
    struct Entry
    {
        int vertex;
        int joint;
        float weight;
        bool operator<(const Entry& o) const { return vertex != o.vertex ? vertex < o.vertex : joint < o.joint; }
    };

    // The exported joint of `node` or of its nearest ancestor that is exported; -1.
    int jointAbove(const VxNode* node) const;

    const QHash<const VxNode*, int>& m_jointOf;
    std::vector<Entry> m_entries;
    int m_jointCount = 0;
};
