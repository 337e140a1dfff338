#include "vxweldcloser.h"

#include "vxfacetmesh.h"
#include "vxlegacyfigure.h"
#include "vxselectionmap.h"
#include "vxweld.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
using Triangle = std::array<int, 3>;

// Closest point of triangle abc to p as barycentric weights (Ericson, Real-Time Collision
// Detection, 5.1.5); returns the squared distance.
float closestOnTriangle(const VxVec3& p, const VxVec3& a, const VxVec3& b, const VxVec3& c, float w[3])
{
    const VxVec3 ab = b - a, ac = c - a, ap = p - a;
    const float d1 = ab.dot(ap), d2 = ac.dot(ap);
    auto result = [&](float u, float v, float t) {
        w[0] = u;
        w[1] = v;
        w[2] = t;
        const VxVec3 q = a * u + b * v + c * t;
        return (p - q).dot(p - q);
    };
    if (d1 <= 0.0f && d2 <= 0.0f)
        return result(1.0f, 0.0f, 0.0f);
    const VxVec3 bp = p - b;
    const float d3 = ab.dot(bp), d4 = ac.dot(bp);
    if (d3 >= 0.0f && d4 <= d3)
        return result(0.0f, 1.0f, 0.0f);
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0f && d1 >= 0.0f && d3 <= 0.0f) {
        const float v = d1 / (d1 - d3);
        return result(1.0f - v, v, 0.0f);
    }
    const VxVec3 cp = p - c;
    const float d5 = ab.dot(cp), d6 = ac.dot(cp);
    if (d6 >= 0.0f && d5 <= d6)
        return result(0.0f, 0.0f, 1.0f);
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0f && d2 >= 0.0f && d6 <= 0.0f) {
        const float t = d2 / (d2 - d6);
        return result(1.0f - t, 0.0f, t);
    }
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0.0f && (d4 - d3) >= 0.0f && (d5 - d6) >= 0.0f) {
        const float t = (d4 - d3) / ((d4 - d3) + (d5 - d6));
        return result(0.0f, 1.0f - t, t);
    }
    const float denom = 1.0f / (va + vb + vc);
    const float v = vb * denom, t = vc * denom;
    return result(1.0f - v - t, v, t);
}

// The triangles (facets fanned from their first corner) of every facet whose face group
// the selection map pairs with `bone`.
std::vector<Triangle> trianglesOf(const VxLegacyFigure* figure, const VxNode* bone, const VxFacetMesh* mesh)
{
    std::vector<Triangle> triangles;
    const VxSelectionMap* map = figure->getSelectionMap();
    if (!map)
        return triangles;
    std::vector<char> owned(size_t(mesh->getNumFaceGroups()), 0);
    for (const QString& group : map->getGroupsOfNode(bone)) {
        const int index = mesh->findFaceGroup(group);
        if (index >= 0)
            owned[size_t(index)] = 1;
    }
    for (int f = 0; f < mesh->getNumFacets(); ++f) {
        const int group = mesh->getFacetFaceGroup(f);
        if (group < 0 || !owned[size_t(group)])
            continue;
        for (int c = 2; c < mesh->getFacetNumVertices(f); ++c)
            triangles.push_back({mesh->getFacetVertex(f, 0), mesh->getFacetVertex(f, c - 1), mesh->getFacetVertex(f, c)});
    }
    return triangles;
}

// Buckets triangles by the grid cells their boxes touch, so each seam candidate tests only
// the triangles near it. Triangles spanning too many cells are tested for every point.
class TriangleGrid
{
public:
    TriangleGrid(const std::vector<Triangle>& triangles, const VxFacetMesh* mesh, float margin)
    {
        float extent = 0.0f;
        for (const Triangle& t : triangles)
            extent += box(t, mesh, 0.0f).getSize().length();
        m_cell = std::max(extent / float(std::max<size_t>(1, triangles.size())), margin * 4.0f);
        for (int i = 0; i < int(triangles.size()); ++i) {
            const VxBox3 b = box(triangles[size_t(i)], mesh, margin);
            const Key lo = key(b.getMin()), hi = key(b.getMax());
            const qint64 cells = qint64(hi[0] - lo[0] + 1) * (hi[1] - lo[1] + 1) * (hi[2] - lo[2] + 1);
            if (cells > 64) {
                m_large.push_back(i);
                continue;
            }
            for (int x = lo[0]; x <= hi[0]; ++x)
                for (int y = lo[1]; y <= hi[1]; ++y)
                    for (int z = lo[2]; z <= hi[2]; ++z)
                        m_cells[hash({x, y, z})].push_back(i);
        }
    }

    template<typename Visit>
    void near(const VxVec3& p, Visit visit) const
    {
        const auto it = m_cells.constFind(hash(key(p)));
        if (it != m_cells.constEnd()) {
            for (int i : it.value())
                visit(i);
        }
        for (int i : m_large)
            visit(i);
    }

private:
    using Key = std::array<int, 3>;
    static VxBox3 box(const Triangle& t, const VxFacetMesh* mesh, float margin)
    {
        VxBox3 b;
        for (int v : t)
            b.extendBy(mesh->getVertex(v));
        return VxBox3(b.getMin() - VxVec3(margin, margin, margin), b.getMax() + VxVec3(margin, margin, margin));
    }
    Key key(const VxVec3& p) const
    {
        return {int(std::floor(p.x / m_cell)), int(std::floor(p.y / m_cell)), int(std::floor(p.z / m_cell))};
    }
    static quint64 hash(const Key& k)
    {
        return (quint64(quint32(k[0])) * 73856093ULL) ^ (quint64(quint32(k[1])) * 19349663ULL << 21)
            ^ (quint64(quint32(k[2])) * 83492791ULL << 42);
    }

    float m_cell = 1.0f;
    QHash<quint64, std::vector<int>> m_cells;
    std::vector<int> m_large;
};
} // namespace

VxWeldCloser::VxWeldCloser(const VxLegacyFigure* figure, const VxFacetMesh* rest)
{
    if (!figure || !rest || figure->getNumWelds() == 0)
        return;
    const VxBox3 bounds = rest->getBoundingBox();
    const float tolerance = std::max(bounds.getSize().length() * 1e-6f, 1e-9f);
    for (int w = 0; w < figure->getNumWelds(); ++w) {
        const VxWeld* weld = figure->getWeld(w);
        const VxNode* welded = weld->getWeldBone();
        const VxNode* target = weld->getTargetBone();
        if (!welded || !target || welded == target)
            continue;
        const std::vector<Triangle> triangles = trianglesOf(figure, target, rest);
        if (triangles.empty())
            continue;
        const std::vector<int>& targetVertices = figure->getVertexMap(target);
        const TriangleGrid grid(triangles, rest, tolerance);
        for (int vertex : figure->getVertexMap(welded)) {
            if (vertex < 0 || vertex >= rest->getNumVertices()
                || std::binary_search(targetVertices.begin(), targetVertices.end(), vertex))
                continue;
            const VxVec3 p = rest->getVertex(vertex);
            Tie tie{vertex, {}, {}};
            float best = tolerance * tolerance;
            bool found = false;
            grid.near(p, [&](int i) {
                const Triangle& t = triangles[size_t(i)];
                float weights[3];
                const float d = closestOnTriangle(p, rest->getVertex(t[0]), rest->getVertex(t[1]),
                                                  rest->getVertex(t[2]), weights);
                if (d <= best) {
                    best = d;
                    found = true;
                    std::copy(t.begin(), t.end(), tie.corners);
                    std::copy(weights, weights + 3, tie.weights);
                }
            });
            if (found)
                m_ties.push_back(tie);
        }
    }
}

void VxWeldCloser::close(const float* rest, float* positions, int vertexCount) const
{
    for (const Tie& tie : m_ties) {
        if (tie.vertex >= vertexCount)
            continue;
        float p[3];
        std::copy(rest + 3 * size_t(tie.vertex), rest + 3 * size_t(tie.vertex) + 3, p);
        for (int c = 0; c < 3; ++c) {
            const size_t corner = 3 * size_t(tie.corners[c]);
            for (int k = 0; k < 3; ++k)
                p[k] += tie.weights[c] * (positions[corner + size_t(k)] - rest[corner + size_t(k)]);
        }
        std::copy(p, p + 3, positions + 3 * size_t(tie.vertex));
    }
}
