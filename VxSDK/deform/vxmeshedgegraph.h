#pragma once

#include "vxsdkglobal.h"

#include <cstdint>
#include <vector>

struct VxFacetMeshData;

// The edges of a facet mesh as a graph over its vertices: for every vertex its neighbours
// along facet edges, each edge once per direction with its length. Rows are stored one
// after the other (compressed), so walking a vertex's neighbours touches one run of memory.
class VXSDK_EXPORT VxMeshEdgeGraph
{
public:
    explicit VxMeshEdgeGraph(const VxFacetMeshData& mesh);

    int numVertices() const { return int(m_rowStart.size()) - 1; }
    // Undirected edges: each is stored once from either end.
    int numEdges() const { return int(m_neighbour.size() / 2); }

    // Neighbours of `vertex` are neighbour(k) for k in [rowBegin, rowEnd).
    int rowBegin(int vertex) const { return int(m_rowStart[size_t(vertex)]); }
    int rowEnd(int vertex) const { return int(m_rowStart[size_t(vertex) + 1]); }
    int neighbour(int k) const { return m_neighbour[size_t(k)]; }
    float length(int k) const { return m_length[size_t(k)]; }
    // Mean length of the edges; 0 without edges.
    float meanLength() const;

private:
    std::vector<uint32_t> m_rowStart;
    std::vector<int32_t> m_neighbour;
    std::vector<float> m_length;
};
