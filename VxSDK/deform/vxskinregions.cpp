#include "vxskinregions.h"

#include "vxfacetmeshdata.h"

#include <algorithm>

VxSkinRegions::VxSkinRegions(const VxFacetMeshData& mesh, const std::vector<int>& facetRegion,
                             const std::vector<int>& vertexRegion, int regionCount)
    : m_mesh(mesh), m_boxes(size_t(std::max(0, regionCount)))
{
    const int regions = std::max(0, regionCount);
    const int n = mesh.numVertices();
    auto valid = [regions](int r) { return r >= 0 && r < regions; };

    // Facets by region, counting first.
    m_facetStart.assign(size_t(regions) + 1, 0);
    for (int f = 0; f < mesh.numFacets(); ++f) {
        if (valid(facetRegion[size_t(f)]))
            ++m_facetStart[size_t(facetRegion[size_t(f)]) + 1];
    }
    for (int r = 0; r < regions; ++r)
        m_facetStart[size_t(r) + 1] += m_facetStart[size_t(r)];
    m_facets.resize(m_facetStart[size_t(regions)]);
    std::vector<uint32_t> fill(m_facetStart.begin(), m_facetStart.end() - 1);
    for (int f = 0; f < mesh.numFacets(); ++f) {
        if (valid(facetRegion[size_t(f)]))
            m_facets[fill[size_t(facetRegion[size_t(f)])]++] = f;
    }

    // Vertices by region: those of its facets, then those named for it, each once (the
    // stamp remembers the last region a vertex was listed for).
    std::vector<std::vector<int32_t>> named;
    named.resize(size_t(regions));
    for (int v = 0; v < n && v < int(vertexRegion.size()); ++v) {
        if (valid(vertexRegion[size_t(v)]))
            named[size_t(vertexRegion[size_t(v)])].push_back(v);
    }
    std::vector<int> stamp(size_t(n), -1);
    m_vertexStart.assign(size_t(regions) + 1, 0);
    for (int r = 0; r < regions; ++r) {
        auto add = [&](int v) {
            if (v < 0 || v >= n || stamp[size_t(v)] == r)
                return;
            stamp[size_t(v)] = r;
            m_vertices.push_back(v);
            const float* p = mesh.positions.data() + 3 * size_t(v);
            m_boxes[size_t(r)].extendBy(VxVec3(p[0], p[1], p[2]));
        };
        for (int k = facetsBegin(r); k < facetsEnd(r); ++k) {
            const int f = m_facets[size_t(k)];
            for (uint32_t c = mesh.facetStart[size_t(f)]; c < mesh.facetStart[size_t(f) + 1]; ++c)
                add(mesh.cornerVertex[c]);
        }
        for (int v : named[size_t(r)])
            add(v);
        m_vertexStart[size_t(r) + 1] = uint32_t(m_vertices.size());
    }
}
