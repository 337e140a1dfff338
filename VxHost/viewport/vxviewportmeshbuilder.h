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

// What the viewport uploads for one mesh: triangles ordered by face group, then material.
struct VxViewportMeshGeometry
{
    std::vector<VxViewportVertex> vertices;
    std::vector<uint32_t> indices;
    std::vector<VxViewportMeshRange> ranges;
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

    static uint32_t packNormal(float x, float y, float z);
    static void unpackNormal(uint32_t packed, float* xyz);
};
