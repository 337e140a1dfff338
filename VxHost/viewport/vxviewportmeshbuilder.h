#pragma once

#include <cstdint>
#include <vector>

struct VxFacetMeshData;

// One vertex as the viewport's vertex buffer holds it: the position and the normal as three
// signed normalized bytes and a spare one, 16 bytes in all.
struct VxViewportVertex
{
    float position[3];
    uint32_t normal;
};

// A run of the index buffer whose triangles share a face group and a material (-1 for
// none), so that one draw call with one colour covers it.
struct VxViewportMeshRange
{
    int group = -1;
    int material = -1;
    uint32_t firstIndex = 0;
    uint32_t indexCount = 0;
};

// Where each output vertex comes from: the mesh vertex it sits on and the facets around it
// whose normals it sums (compressed rows, facetStart[v] .. facetStart[v + 1] - 1 of
// facets). Kept beside a mesh's buffers, so that a mesh whose vertices only moved (a
// posed skin) gets its vertices anew without its triangles being worked out again.
struct VxViewportVertexSources
{
    std::vector<uint32_t> sourceVertex;
    std::vector<uint32_t> facetStart{0};
    std::vector<uint32_t> facets;
    // Every facet drawn, and the mesh's counts when they were taken.
    std::vector<uint32_t> drawnFacets;
    int numVertices = 0;
    int numFacets = 0;

    // Whether the mesh still has the counts these were taken from.
    bool fits(const VxFacetMeshData& mesh) const;
};

// What the viewport uploads for one mesh: triangles ordered by face group, then material.
struct VxViewportMeshGeometry
{
    std::vector<VxViewportVertex> vertices;
    std::vector<uint32_t> indices;
    std::vector<VxViewportMeshRange> ranges;
    VxViewportVertexSources sources;
};

// Turns a facet mesh into triangles the viewport can draw. Polygons are split into fans.
// Normals are computed, since meshes keep none: facets that meet at a vertex at less than
// the crease angle share a smoothed normal there (area-weighted), sharper edges keep a
// vertex per side, so organic surfaces look smooth and box-built figures keep crisp edges.
// Facets naming a vertex that does not exist are left out rather than read past the array.
class VxViewportMeshBuilder
{
public:
    static VxViewportMeshGeometry build(const VxFacetMeshData& mesh);
    // Writes the vertices of `sources` (from build()) for the mesh's current positions into
    // `out` (room for sources.sourceVertex.size()), normals recomputed over the same facets:
    // for a mesh whose vertices moved while its facets stayed. The sources must fit it.
    static void rebuildVertices(const VxFacetMeshData& mesh, const VxViewportVertexSources& sources,
                                VxViewportVertex* out);

    static uint32_t packNormal(float x, float y, float z);
    static void unpackNormal(uint32_t packed, float* xyz);
};
