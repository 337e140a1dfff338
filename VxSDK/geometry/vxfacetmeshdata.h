#pragma once

#include <QStringList>

#include <cstdint>
#include <vector>

// The raw arrays of a facet mesh, filled by importers and moved into a VxFacetMesh.
//
// Facet f has the corners facetStart[f] .. facetStart[f + 1] - 1; each corner names a
// vertex and, when the mesh has UVs at all, a UV (-1 for a corner without one).
// facetGroup and facetMaterial hold one entry per facet (-1 for none): an index into
// groupNames, and an index into the owning shape's material list.
struct VxFacetMeshData
{
    std::vector<float> positions;   // x y z per vertex
    std::vector<float> uvs;         // u v per UV
    std::vector<uint32_t> facetStart{0};
    std::vector<int32_t> cornerVertex;
    std::vector<int32_t> cornerUV;  // empty when no corner has a UV
    std::vector<int32_t> facetGroup;
    std::vector<int32_t> facetMaterial;
    QStringList groupNames;

    int numVertices() const { return int(positions.size() / 3); }
    int numUVs() const { return int(uvs.size() / 2); }
    int numFacets() const { return int(facetStart.size()) - 1; }
};
