#pragma once

#include "vxsdkglobal.h"

#include <cstdint>
#include <vector>

class VxFacetMesh;

// Lays out a facet mesh as glTF wants it: one vertex per distinct (position, UV) pair of
// the facets' corners, since glTF has one index per corner for all attributes, and
// triangles (polygons fanned from their first corner) gathered into one primitive per
// face group and material, in order of first use.
//
// Normals are smooth: each mesh vertex gets the area-weighted mean of its facets' normals,
// shared by all its glTF vertices, so UV seams do not show in the shading. UVs are flipped
// vertically (glTF puts v = 0 at the top of an image, OBJ at the bottom); a corner without
// a UV in a mesh that has UVs gets (0, 0). Mesh vertices no facet uses are left out.
class VXSDK_EXPORT VxGltfMeshBuilder
{
public:
    struct Primitive
    {
        int faceGroup = -1; // index into the mesh's face groups, -1 for none
        int material = -1;  // index into the shape's materials, -1 for none
        std::vector<uint32_t> indices;
    };

    explicit VxGltfMeshBuilder(const VxFacetMesh& mesh);

    int vertexCount() const { return int(m_sourceVertex.size()); }
    bool hasUVs() const { return !m_uvs.empty(); }
    const std::vector<float>& positions() const { return m_positions; }
    const std::vector<float>& normals() const { return m_normals; }
    const std::vector<float>& uvs() const { return m_uvs; }
    // The mesh vertex each glTF vertex was made from.
    const std::vector<int>& sourceVertices() const { return m_sourceVertex; }
    const std::vector<Primitive>& primitives() const { return m_primitives; }

private:
    void computeVertexNormals(const VxFacetMesh& mesh);
    uint32_t vertexFor(const VxFacetMesh& mesh, int vertex, int uv);

    std::vector<float> m_vertexNormals; // per mesh vertex
    std::vector<int> m_firstCopy;       // per mesh vertex: its first glTF vertex, or -1
    std::vector<int> m_nextCopy;        // per glTF vertex: the next one of the same mesh vertex
    std::vector<int> m_copyUV;          // per glTF vertex: the mesh UV it carries
    std::vector<float> m_positions, m_normals, m_uvs;
    std::vector<int> m_sourceVertex;
    std::vector<Primitive> m_primitives;
};
