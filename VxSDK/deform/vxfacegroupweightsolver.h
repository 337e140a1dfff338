#pragma once

#include "vxgeodesicdistance.h"

#include <cstdint>
#include <vector>

struct VxFacetMeshData;
class VxMeshEdgeGraph;
class VxSkinRegions;

// Weights of a skin's vertices among the bones of a figure, from the face groups each bone
// owns, so that the skin bends well without painting:
// - a vertex of a bone's face groups belongs to that bone;
// - across each joint (a bone and its parent whose regions meet, see VxJointSeamFinder)
//   the two bones share the vertices near the seam: half and half on the seam, fading to
//   the vertex's own bone over the blend distance, measured along the surface (over mesh
//   edges, so that skin folded close to a joint but far from it along the body is not
//   pulled along). The blend distance is kBlendScale times the seam's radius, and on each
//   side at most half of how deep that side reaches from the seam, so that the far end of
//   a short bone still belongs to it alone;
// - a vertex no bone's face groups hold goes with the nearest one along the surface, or,
//   when no path leads to any, with the first root bone;
// - every vertex's weights add up to exactly 65535.
class VXSDK_EXPORT VxFaceGroupWeightSolver
{
public:
    // How wide a joint blends on each side, as a multiple of its seam's radius (how far the
    // seam's vertices reach from their centre). Narrower blends fold the inside of a bent
    // knee of the example figure over itself (below 1.15); wider ones lose more volume in
    // the bend (linear blending shrinks it): 1.25 keeps a margin from the first.
    static constexpr float kBlendScale = 1.25f;
    // Pieces of a skin touch where they come this close to each other: a thousandth of
    // the diagonal of the skin's box (well above rounding, well below any gap a modeller
    // leaves on purpose), but at most a tenth of the mean edge length, so that on a dense
    // skin the next ring of vertices is not taken for touching.
    static constexpr float kContactTolerance = 1e-3f;
    static constexpr float kContactEdgeFraction = 0.1f;

    struct Bone
    {
        int parent = -1;              // index of the parent bone, -1 for a root
        std::vector<int> faceGroups;  // indices of the mesh's face groups it owns
    };
    struct Influence
    {
        int bone;
        uint16_t weight;
    };
    struct Joint
    {
        int parent;
        int child;
        int seamVertices;
        float blendDistance;
    };

    VxFaceGroupWeightSolver(const VxFacetMeshData& mesh, std::vector<Bone> bones);
    ~VxFaceGroupWeightSolver();

    // Works the weights out; the results below read empty before.
    void solve();

    int numVertices() const { return int(m_start.size()) - 1; }
    // The weights of vertex v, heaviest first, every one above 0.
    const Influence* influencesBegin(int v) const { return m_influences.data() + m_start[size_t(v)]; }
    const Influence* influencesEnd(int v) const { return m_influences.data() + m_start[size_t(v) + 1]; }
    // Joints that blend (their regions meet), parents before children as the bones go.
    const std::vector<Joint>& joints() const { return m_joints; }
    // Vertices outside every bone's face groups, and of those the ones no path joined to
    // any (they went to the first root bone).
    int numAdoptedVertices() const { return m_adopted; }
    int numUnreachedVertices() const { return m_unreached; }

private:
    struct Contribution
    {
        int vertex;
        int bone;
        float share;
    };
    std::vector<int> facetRegions() const;
    std::vector<int> vertexRegions(const std::vector<int>& facetRegion, const VxMeshEdgeGraph& graph);
    void blendJoint(int child, const VxSkinRegions& regions, const std::vector<VxGeodesicDistance::Seed>& seam,
                    VxGeodesicDistance& distances, std::vector<int>& stamp, std::vector<Contribution>& out);
    void gather(int vertexCount, std::vector<Contribution>& contributions);

    const VxFacetMeshData& m_mesh;
    std::vector<Bone> m_bones;
    std::vector<uint32_t> m_start{0};
    std::vector<Influence> m_influences;
    std::vector<Joint> m_joints;
    int m_adopted = 0;
    int m_unreached = 0;
};
