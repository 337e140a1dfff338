#include "vxmeshedgegraph.h"

#include "vxfacetmeshdata.h"

#include <algorithm>
#include <cmath>

namespace {
// Calls edge(a, b) for every side of every facet, skipping corners that name no vertex of
// the mesh (a mesh edited in memory is not checked the way the importer checks files).
template<typename Edge>
void forEachFacetSide(const VxFacetMeshData& mesh, int vertexCount, Edge edge)
{
    for (int f = 0; f < mesh.numFacets(); ++f) {
        const uint32_t begin = mesh.facetStart[size_t(f)];
        const uint32_t end = mesh.facetStart[size_t(f) + 1];
        for (uint32_t c = begin; c < end; ++c) {
            const int a = mesh.cornerVertex[c];
            const int b = mesh.cornerVertex[c + 1 < end ? c + 1 : begin];
            if (a != b && a >= 0 && b >= 0 && a < vertexCount && b < vertexCount)
                edge(a, b);
        }
    }
}
} // namespace

VxMeshEdgeGraph::VxMeshEdgeGraph(const VxFacetMeshData& mesh)
{
    const int n = mesh.numVertices();
    // Every side is entered from both ends; a side two facets share arrives twice and is
    // merged below. Counting first lets the rows be filled in place.
    std::vector<uint32_t> start(size_t(n) + 1, 0);
    forEachFacetSide(mesh, n, [&](int a, int b) {
        ++start[size_t(a) + 1];
        ++start[size_t(b) + 1];
    });
    for (int v = 0; v < n; ++v)
        start[size_t(v) + 1] += start[size_t(v)];
    std::vector<int32_t> raw(start[size_t(n)]);
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    forEachFacetSide(mesh, n, [&](int a, int b) {
        raw[fill[size_t(a)]++] = b;
        raw[fill[size_t(b)]++] = a;
    });

    m_rowStart.assign(size_t(n) + 1, 0);
    m_neighbour.reserve(raw.size() / 2 + 16);
    m_length.reserve(raw.size() / 2 + 16);
    const float* p = mesh.positions.data();
    for (int v = 0; v < n; ++v) {
        auto first = raw.begin() + start[size_t(v)];
        auto last = raw.begin() + start[size_t(v) + 1];
        std::sort(first, last);
        last = std::unique(first, last);
        for (auto it = first; it != last; ++it) {
            const float* a = p + 3 * size_t(v);
            const float* b = p + 3 * size_t(*it);
            const float dx = a[0] - b[0], dy = a[1] - b[1], dz = a[2] - b[2];
            m_neighbour.push_back(*it);
            m_length.push_back(std::sqrt(dx * dx + dy * dy + dz * dz));
        }
        m_rowStart[size_t(v) + 1] = uint32_t(m_neighbour.size());
    }
}

float VxMeshEdgeGraph::meanLength() const
{
    if (m_length.empty())
        return 0.0f;
    double sum = 0.0;
    for (float l : m_length)
        sum += l;
    return float(sum / double(m_length.size()));
}
