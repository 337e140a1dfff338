#pragma once

#include "vxbox3.h"
#include "vxsdkglobal.h"

#include <cstdint>
#include <vector>

struct VxFacetMeshData;

// A skin split into regions, one per bone: the facets of each region and its vertices.
// A vertex belongs to every region one of its facets belongs to (vertices on the line
// where two regions' facets meet belong to both) and to the region the caller names for
// it, which is how vertices outside every region's facets get one.
class VXSDK_EXPORT VxSkinRegions
{
public:
    // `facetRegion`: the region of each facet, -1 for none. `vertexRegion`: a region for
    // each vertex, -1 for none; usually its first facet's. Regions are 0 .. regionCount - 1.
    VxSkinRegions(const VxFacetMeshData& mesh, const std::vector<int>& facetRegion,
                  const std::vector<int>& vertexRegion, int regionCount);

    int numRegions() const { return int(m_vertexStart.size()) - 1; }
    const VxFacetMeshData& mesh() const { return m_mesh; }

    // Vertices of region r: vertex(k) for k in [verticesBegin(r), verticesEnd(r)), each once.
    int verticesBegin(int r) const { return int(m_vertexStart[size_t(r)]); }
    int verticesEnd(int r) const { return int(m_vertexStart[size_t(r) + 1]); }
    int vertex(int k) const { return m_vertices[size_t(k)]; }
    // Facets of region r, the same way.
    int facetsBegin(int r) const { return int(m_facetStart[size_t(r)]); }
    int facetsEnd(int r) const { return int(m_facetStart[size_t(r) + 1]); }
    int facet(int k) const { return m_facets[size_t(k)]; }
    // Box of the region's vertices; empty for a region without any.
    const VxBox3& box(int r) const { return m_boxes[size_t(r)]; }

private:
    const VxFacetMeshData& m_mesh;
    std::vector<uint32_t> m_vertexStart;
    std::vector<int32_t> m_vertices;
    std::vector<uint32_t> m_facetStart;
    std::vector<int32_t> m_facets;
    std::vector<VxBox3> m_boxes;
};
