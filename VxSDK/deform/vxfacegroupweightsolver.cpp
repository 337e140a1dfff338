#include "vxfacegroupweightsolver.h"

#include "vxgeodesicdistance.h"
#include "vxjointseamfinder.h"
#include "vxmeshedgegraph.h"
#include "vxskinregions.h"

#include "vxfacetmeshdata.h"
#include "vxweightmap.h"

#include <algorithm>
#include <cmath>

namespace {
// How much a bone across the seam pulls at a vertex `t` blend distances away: all of it on
// the seam, none from one blend distance on, smooth at both ends so the skin shows no crease.
float falloff(float t)
{
    if (t >= 1.0f)
        return 0.0f;
    const float s = std::max(0.0f, t);
    return 1.0f - s * s * (3.0f - 2.0f * s);
}

float skinDiagonal(const VxFacetMeshData& mesh)
{
    VxBox3 box;
    for (int v = 0; v < mesh.numVertices(); ++v)
        box.extendBy(VxVec3(mesh.positions[3 * size_t(v)], mesh.positions[3 * size_t(v) + 1],
                            mesh.positions[3 * size_t(v) + 2]));
    return box.isEmpty() ? 0.0f : box.getSize().length();
}

// How far the seam's vertices (those on it, at distance 0) reach from their centre: the
// radius of the limb at a joint, whether the seam is a ring (a welded tube) or a patch (one
// piece's end lying on another); their number goes to `count`.
float seamRadius(const VxFacetMeshData& mesh, const std::vector<VxGeodesicDistance::Seed>& seam, int* count)
{
    std::vector<int> on;
    for (const VxGeodesicDistance::Seed& s : seam) {
        if (s.distance == 0.0f)
            on.push_back(s.vertex);
    }
    *count = int(on.size());
    if (on.empty())
        return 0.0f;
    double centre[3] = {0.0, 0.0, 0.0};
    for (int v : on)
        for (int k = 0; k < 3; ++k)
            centre[k] += mesh.positions[3 * size_t(v) + size_t(k)];
    for (double& c : centre)
        c /= double(on.size());
    double farthest = 0.0;
    for (int v : on) {
        double d2 = 0.0;
        for (int k = 0; k < 3; ++k) {
            const double d = mesh.positions[3 * size_t(v) + size_t(k)] - centre[k];
            d2 += d * d;
        }
        farthest = std::max(farthest, d2);
    }
    return float(std::sqrt(farthest));
}

// Shares (any positive scale) to weights that add up to exactly 65535: each gets its
// rounded-down part and the units left over go to the largest remainders.
void quantise(std::vector<std::pair<int, float>>& shares, std::vector<VxFaceGroupWeightSolver::Influence>& out)
{
    double total = 0.0;
    for (const auto& share : shares)
        total += share.second;
    if (!(total > 0.0))
        return;
    struct Part
    {
        int bone;
        uint32_t weight;
        double rest;
    };
    std::vector<Part> parts;
    uint32_t given = 0;
    for (const auto& [bone, share] : shares) {
        const double exact = double(VxWeightMap::kMaxWeight) * share / total;
        const uint32_t floor = uint32_t(exact);
        parts.push_back({bone, floor, exact - floor});
        given += floor;
    }
    std::sort(parts.begin(), parts.end(), [](const Part& a, const Part& b) {
        return a.rest != b.rest ? a.rest > b.rest : a.bone < b.bone;
    });
    for (size_t i = 0; given < VxWeightMap::kMaxWeight; i = (i + 1) % parts.size(), ++given)
        ++parts[i].weight;
    std::sort(parts.begin(), parts.end(), [](const Part& a, const Part& b) {
        return a.weight != b.weight ? a.weight > b.weight : a.bone < b.bone;
    });
    for (const Part& part : parts) {
        if (part.weight > 0)
            out.push_back({part.bone, uint16_t(part.weight)});
    }
}
} // namespace

VxFaceGroupWeightSolver::VxFaceGroupWeightSolver(const VxFacetMeshData& mesh, std::vector<Bone> bones)
    : m_mesh(mesh), m_bones(std::move(bones))
{
}

VxFaceGroupWeightSolver::~VxFaceGroupWeightSolver() = default;

void VxFaceGroupWeightSolver::solve()
{
    m_start.assign(1, 0);
    m_influences.clear();
    m_joints.clear();
    const int n = m_mesh.numVertices();
    if (m_bones.empty() || n == 0)
        return;

    const VxMeshEdgeGraph graph(m_mesh);
    const std::vector<int> facetRegion = facetRegions();
    const std::vector<int> vertexRegion = vertexRegions(facetRegion, graph);
    const VxSkinRegions regions(m_mesh, facetRegion, vertexRegion, int(m_bones.size()));

    // Every vertex fully belongs to each region it is in; joints then add the bone across
    // the seam near it.
    std::vector<Contribution> contributions;
    contributions.reserve(size_t(n) + size_t(n) / 2);
    for (int b = 0; b < regions.numRegions(); ++b) {
        for (int k = regions.verticesBegin(b); k < regions.verticesEnd(b); ++k)
            contributions.push_back({regions.vertex(k), b, 1.0f});
    }

    const VxJointSeamFinder seams(
        regions, std::min(kContactTolerance * skinDiagonal(m_mesh), kContactEdgeFraction * graph.meanLength()));
    VxGeodesicDistance distances(graph);
    std::vector<int> stamp(size_t(n), -1);
    for (int child = 0; child < int(m_bones.size()); ++child) {
        const int parent = m_bones[size_t(child)].parent;
        if (parent < 0 || parent >= int(m_bones.size()) || parent == child)
            continue;
        const std::vector<VxGeodesicDistance::Seed> seam = seams.seam(parent, child);
        if (!seam.empty())
            blendJoint(child, regions, seam, distances, stamp, contributions);
    }
    gather(n, contributions);
}

std::vector<int> VxFaceGroupWeightSolver::facetRegions() const
{
    std::vector<int> groupBone(size_t(m_mesh.groupNames.size()), -1);
    for (int b = 0; b < int(m_bones.size()); ++b) {
        for (int g : m_bones[size_t(b)].faceGroups) {
            if (g >= 0 && g < int(groupBone.size()))
                groupBone[size_t(g)] = b;
        }
    }
    std::vector<int> facetRegion(size_t(m_mesh.numFacets()), -1);
    for (int f = 0; f < m_mesh.numFacets(); ++f) {
        const int g = m_mesh.facetGroup[size_t(f)];
        if (g >= 0 && g < int(groupBone.size()))
            facetRegion[size_t(f)] = groupBone[size_t(g)];
    }
    return facetRegion;
}

std::vector<int> VxFaceGroupWeightSolver::vertexRegions(const std::vector<int>& facetRegion,
                                                        const VxMeshEdgeGraph& graph)
{
    const int n = m_mesh.numVertices();
    std::vector<int> region(size_t(n), -1);
    std::vector<int> held;
    for (int f = 0; f < m_mesh.numFacets(); ++f) {
        if (facetRegion[size_t(f)] < 0)
            continue;
        for (uint32_t c = m_mesh.facetStart[size_t(f)]; c < m_mesh.facetStart[size_t(f) + 1]; ++c) {
            const int v = m_mesh.cornerVertex[c];
            if (v >= 0 && v < n && region[size_t(v)] < 0) {
                region[size_t(v)] = facetRegion[size_t(f)];
                held.push_back(v);
            }
        }
    }
    m_adopted = n - int(held.size());
    m_unreached = 0;
    if (m_adopted == 0)
        return region;
    // Vertices outside every region join the region nearest along the surface.
    VxGeodesicDistance nearest(graph);
    std::vector<int> adopted(region);
    for (const VxGeodesicDistance::Reached& r : nearest.run(held)) {
        if (region[size_t(r.vertex)] < 0)
            adopted[size_t(r.vertex)] = region[size_t(r.source)];
    }
    int root = 0;
    while (root < int(m_bones.size()) && m_bones[size_t(root)].parent >= 0)
        ++root;
    root = root < int(m_bones.size()) ? root : 0;
    for (int& r : adopted) {
        if (r < 0) {
            r = root;
            ++m_unreached;
        }
    }
    return adopted;
}

void VxFaceGroupWeightSolver::blendJoint(int child, const VxSkinRegions& regions,
                                         const std::vector<VxGeodesicDistance::Seed>& seam,
                                         VxGeodesicDistance& distances, std::vector<int>& stamp,
                                         std::vector<Contribution>& out)
{
    const int parent = m_bones[size_t(child)].parent;
    int onSeam = 0;
    const float blend = kBlendScale * seamRadius(m_mesh, seam, &onSeam);
    m_joints.push_back({parent, child, onSeam, blend});
    if (!(blend > 0.0f))
        return;

    // Stamps tell the two regions apart: 2 * child + 1 the child's only, 2 * child + 2 the
    // parent's only, both when the vertex is in both. Old stamps of other joints are below.
    const int childOnly = 2 * child + 1, parentOnly = 2 * child + 2;
    const int mark = int(m_bones.size()) * 2 + 1 + child;
    for (int k = regions.verticesBegin(child); k < regions.verticesEnd(child); ++k)
        stamp[size_t(regions.vertex(k))] = childOnly;
    for (int k = regions.verticesBegin(parent); k < regions.verticesEnd(parent); ++k) {
        int& s = stamp[size_t(regions.vertex(k))];
        s = s == childOnly ? mark : parentOnly;
    }
    auto allowed = [&](int v) {
        const int s = stamp[size_t(v)];
        return s == childOnly || s == parentOnly || s == mark;
    };
    // Twice the blend distance tells whether a side is shorter than two blends: then it
    // blends over half its depth only.
    const std::vector<VxGeodesicDistance::Reached>& reached = distances.run(seam, 2.0f * blend, allowed);
    float depth[2] = {0.0f, 0.0f}; // child's side, parent's side
    for (const VxGeodesicDistance::Reached& r : reached) {
        const int s = stamp[size_t(r.vertex)];
        if (s != mark)
            depth[s == childOnly ? 0 : 1] = std::max(depth[s == childOnly ? 0 : 1], r.distance);
    }
    const float reach[2] = {std::min(blend, 0.5f * depth[0]), std::min(blend, 0.5f * depth[1])};
    for (const VxGeodesicDistance::Reached& r : reached) {
        const int s = stamp[size_t(r.vertex)];
        if (s == mark)
            continue; // in both regions: each already holds it fully
        const int side = s == childOnly ? 0 : 1;
        const float share = reach[side] > 0.0f ? falloff(r.distance / reach[side]) : (r.distance == 0.0f ? 1.0f : 0.0f);
        if (share > 0.0f)
            out.push_back({r.vertex, side == 0 ? parent : child, share});
    }
}

void VxFaceGroupWeightSolver::gather(int vertexCount, std::vector<Contribution>& contributions)
{
    // Grouped by vertex with a counting sort; within a vertex a bone keeps its largest share.
    std::vector<uint32_t> start(size_t(vertexCount) + 1, 0);
    for (const Contribution& c : contributions)
        ++start[size_t(c.vertex) + 1];
    for (int v = 0; v < vertexCount; ++v)
        start[size_t(v) + 1] += start[size_t(v)];
    std::vector<std::pair<int, float>> sorted(contributions.size());
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    for (const Contribution& c : contributions)
        sorted[fill[size_t(c.vertex)]++] = {c.bone, c.share};
    contributions.clear();
    contributions.shrink_to_fit();

    m_start.assign(size_t(vertexCount) + 1, 0);
    m_influences.reserve(sorted.size());
    std::vector<std::pair<int, float>> shares;
    for (int v = 0; v < vertexCount; ++v) {
        shares.assign(sorted.begin() + start[size_t(v)], sorted.begin() + start[size_t(v) + 1]);
        std::sort(shares.begin(), shares.end());
        size_t kept = 0;
        for (size_t i = 0; i < shares.size(); ++i) {
            if (kept > 0 && shares[kept - 1].first == shares[i].first)
                shares[kept - 1].second = std::max(shares[kept - 1].second, shares[i].second);
            else
                shares[kept++] = shares[i];
        }
        shares.resize(kept);
        quantise(shares, m_influences);
        m_start[size_t(v) + 1] = uint32_t(m_influences.size());
    }
}
