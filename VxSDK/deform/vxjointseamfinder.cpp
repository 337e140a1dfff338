#include "vxjointseamfinder.h"

#include "vxskinregions.h"

#include "vxfacetmeshdata.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {
VxVec3 position(const VxFacetMeshData& mesh, int v)
{
    const float* p = mesh.positions.data() + 3 * size_t(v);
    return {p[0], p[1], p[2]};
}

VxVec3 cross(const VxVec3& a, const VxVec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Squared distance from p to the triangle abc (closest point by the triangle's Voronoi
// regions, as in Ericson's Real-Time Collision Detection).
float distanceToTriangle2(const VxVec3& p, const VxVec3& a, const VxVec3& b, const VxVec3& c)
{
    const VxVec3 ab = b - a, ac = c - a, ap = p - a;
    const float d1 = ab.dot(ap), d2 = ac.dot(ap);
    auto dist2 = [&p](const VxVec3& q) { return (p - q).dot(p - q); };
    if (d1 <= 0.0f && d2 <= 0.0f)
        return dist2(a);
    const VxVec3 bp = p - b;
    const float d3 = ab.dot(bp), d4 = ac.dot(bp);
    if (d3 >= 0.0f && d4 <= d3)
        return dist2(b);
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0f && d1 >= 0.0f && d3 <= 0.0f)
        return dist2(a + ab * (d1 / (d1 - d3)));
    const VxVec3 cp = p - c;
    const float d5 = ab.dot(cp), d6 = ac.dot(cp);
    if (d6 >= 0.0f && d5 <= d6)
        return dist2(c);
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0f && d2 >= 0.0f && d6 <= 0.0f)
        return dist2(a + ac * (d2 / (d2 - d6)));
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0.0f && (d4 - d3) >= 0.0f && (d5 - d6) >= 0.0f)
        return dist2(b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6))));
    const VxVec3 n = cross(ab, ac);
    const float n2 = n.dot(n);
    if (n2 <= 0.0f) // a degenerate triangle: its edges were measured above
        return std::min({dist2(a), dist2(b), dist2(c)});
    const float h = n.dot(ap);
    return h * h / n2;
}

bool inside(const VxBox3& box, const VxVec3& p, float margin)
{
    for (int k = 0; k < 3; ++k) {
        if (p[k] < box.getMin()[k] - margin || p[k] > box.getMax()[k] + margin)
            return false;
    }
    return true;
}

// The facets of one region near a box, in a uniform grid, for "is this point on the
// region's surface" questions. Each facet is entered in every cell its box (grown by the
// tolerance) overlaps, so a point needs to look in its own cell only.
class FacetGrid
{
public:
    FacetGrid(const VxSkinRegions& regions, int region, const VxBox3& near, float tolerance)
        : m_mesh(regions.mesh()), m_tolerance(tolerance)
    {
        std::vector<std::pair<int, VxBox3>> facets;
        double extent = 0.0;
        float largest = 0.0f;
        for (int k = regions.facetsBegin(region); k < regions.facetsEnd(region); ++k) {
            const int f = regions.facet(k);
            VxBox3 box;
            for (uint32_t c = m_mesh.facetStart[size_t(f)]; c < m_mesh.facetStart[size_t(f) + 1]; ++c)
                box.extendBy(position(m_mesh, m_mesh.cornerVertex[c]));
            if (box.isEmpty() || !overlaps(box, near))
                continue;
            const VxVec3 size = box.getSize();
            extent += std::max({size.x, size.y, size.z});
            largest = std::max({largest, size.x, size.y, size.z});
            facets.emplace_back(f, box);
        }
        if (facets.empty())
            return;
        // Cells about the size of a facet keep both the entries per facet and the facets per
        // cell few; no facet may spread over more than 32 cells a side.
        m_cell = std::max({float(extent / double(facets.size())), 4.0f * tolerance, largest / 32.0f});
        if (!(m_cell > 0.0f))
            m_cell = 1.0f;
        for (const auto& [f, box] : facets) {
            const Key lo = key(box.getMin() - VxVec3(tolerance, tolerance, tolerance));
            const Key hi = key(box.getMax() + VxVec3(tolerance, tolerance, tolerance));
            for (long long x = lo.x; x <= hi.x; ++x)
                for (long long y = lo.y; y <= hi.y; ++y)
                    for (long long z = lo.z; z <= hi.z; ++z)
                        m_cells[hash({x, y, z})].push_back(f);
        }
    }

    // Calls visit(facet) for every facet within the tolerance of p.
    template<typename Visit>
    void touching(const VxVec3& p, Visit visit) const
    {
        const auto found = m_cells.find(hash(key(p)));
        if (found == m_cells.end())
            return;
        const float limit = m_tolerance * m_tolerance;
        for (int f : found->second) {
            const uint32_t begin = m_mesh.facetStart[size_t(f)];
            const uint32_t end = m_mesh.facetStart[size_t(f) + 1];
            const VxVec3 a = position(m_mesh, m_mesh.cornerVertex[begin]);
            for (uint32_t c = begin + 1; c + 1 < end; ++c) {
                const VxVec3 b = position(m_mesh, m_mesh.cornerVertex[c]);
                const VxVec3 d = position(m_mesh, m_mesh.cornerVertex[c + 1]);
                if (distanceToTriangle2(p, a, b, d) <= limit) {
                    visit(f);
                    break;
                }
            }
        }
    }

private:
    struct Key
    {
        long long x, y, z;
    };
    static bool overlaps(const VxBox3& a, const VxBox3& b)
    {
        for (int k = 0; k < 3; ++k) {
            if (a.getMax()[k] < b.getMin()[k] || b.getMax()[k] < a.getMin()[k])
                return false;
        }
        return true;
    }
    Key key(const VxVec3& p) const
    {
        return {(long long)std::floor(p.x / m_cell), (long long)std::floor(p.y / m_cell),
                (long long)std::floor(p.z / m_cell)};
    }
    // Cells are few; a collision only puts two cells' facets in one list.
    static long long hash(const Key& k) { return (k.x * 73856093LL) ^ (k.y * 19349663LL) ^ (k.z * 83492791LL); }

    const VxFacetMeshData& m_mesh;
    float m_tolerance;
    float m_cell = 1.0f;
    std::unordered_map<long long, std::vector<int>> m_cells;
};
} // namespace

VxJointSeamFinder::VxJointSeamFinder(const VxSkinRegions& regions, float tolerance)
    : m_regions(regions), m_tolerance(std::max(0.0f, tolerance)), m_stamp(size_t(regions.mesh().numVertices()), 0)
{
}

std::vector<VxJointSeamFinder::Seed> VxJointSeamFinder::seam(int a, int b) const
{
    std::vector<Seed> out;
    const int regions = m_regions.numRegions();
    if (a < 0 || b < 0 || a >= regions || b >= regions || a == b)
        return out;
    collect(a, b, out);
    collect(b, a, out);
    // Each vertex once, at its smallest distance.
    std::sort(out.begin(), out.end(), [](const Seed& x, const Seed& y) {
        return x.vertex != y.vertex ? x.vertex < y.vertex : x.distance < y.distance;
    });
    out.erase(std::unique(out.begin(), out.end(), [](const Seed& x, const Seed& y) { return x.vertex == y.vertex; }),
              out.end());
    return out;
}

void VxJointSeamFinder::collect(int from, int to, std::vector<Seed>& out) const
{
    const VxBox3& toBox = m_regions.box(to);
    const VxBox3& fromBox = m_regions.box(from);
    if (toBox.isEmpty() || fromBox.isEmpty())
        return;
    const VxFacetMeshData& mesh = m_regions.mesh();
    std::vector<int> candidates;
    for (int k = m_regions.verticesBegin(from); k < m_regions.verticesEnd(from); ++k) {
        const int v = m_regions.vertex(k);
        if (inside(toBox, position(mesh, v), m_tolerance))
            candidates.push_back(v);
    }
    if (candidates.empty())
        return;
    // Vertices of `to` near `from` carry this call's stamp.
    const int stamp = ++m_stampValue;
    for (int k = m_regions.verticesBegin(to); k < m_regions.verticesEnd(to); ++k) {
        const int v = m_regions.vertex(k);
        if (inside(fromBox, position(mesh, v), m_tolerance))
            m_stamp[size_t(v)] = stamp;
    }
    VxBox3 near;
    for (int v : candidates)
        near.extendBy(position(mesh, v));
    const VxVec3 margin(m_tolerance, m_tolerance, m_tolerance);
    near = VxBox3(near.getMin() - margin, near.getMax() + margin);
    const FacetGrid grid(m_regions, to, near, m_tolerance);
    for (int v : candidates) {
        // A shared vertex is on the seam already; its facets' corners are one edge away,
        // which the distances along the surface find by themselves.
        if (m_stamp[size_t(v)] == stamp) {
            out.push_back({v, 0.0f});
            continue;
        }
        const VxVec3 p = position(mesh, v);
        bool touched = false;
        grid.touching(p, [&](int f) {
            touched = true;
            for (uint32_t c = mesh.facetStart[size_t(f)]; c < mesh.facetStart[size_t(f) + 1]; ++c) {
                const int corner = mesh.cornerVertex[c];
                out.push_back({corner, (position(mesh, corner) - p).length()});
            }
        });
        if (touched)
            out.push_back({v, 0.0f});
    }
}
