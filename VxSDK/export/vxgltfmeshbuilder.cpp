#include "vxgltfmeshbuilder.h"

#include "vxfacetmesh.h"

#include <QHash>

#include <cmath>

VxGltfMeshBuilder::VxGltfMeshBuilder(const VxFacetMesh& mesh)
{
    computeVertexNormals(mesh);
    m_firstCopy.assign(size_t(mesh.getNumVertices()), -1);
    const bool withUVs = mesh.getNumUVs() > 0;
    QHash<quint64, int> primitiveOf;
    for (int f = 0; f < mesh.getNumFacets(); ++f) {
        const int corners = mesh.getFacetNumVertices(f);
        if (corners < 3)
            continue;
        const quint64 key = (quint64(quint32(mesh.getFacetFaceGroup(f))) << 32) | quint32(mesh.getFacetMaterial(f));
        auto found = primitiveOf.constFind(key);
        if (found == primitiveOf.constEnd()) {
            found = primitiveOf.insert(key, int(m_primitives.size()));
            Primitive primitive;
            primitive.faceGroup = mesh.getFacetFaceGroup(f);
            primitive.material = mesh.getFacetMaterial(f);
            m_primitives.push_back(primitive);
        }
        std::vector<uint32_t>& indices = m_primitives[size_t(*found)].indices;
        uint32_t corner[3];
        corner[0] = vertexFor(mesh, mesh.getFacetVertex(f, 0), withUVs ? mesh.getFacetUV(f, 0) : -1);
        corner[2] = vertexFor(mesh, mesh.getFacetVertex(f, 1), withUVs ? mesh.getFacetUV(f, 1) : -1);
        for (int c = 2; c < corners; ++c) {
            corner[1] = corner[2];
            corner[2] = vertexFor(mesh, mesh.getFacetVertex(f, c), withUVs ? mesh.getFacetUV(f, c) : -1);
            indices.insert(indices.end(), corner, corner + 3);
        }
    }
    if (!withUVs)
        m_uvs.clear();
    // Only needed while building.
    m_vertexNormals = {};
    m_firstCopy = {};
    m_nextCopy = {};
    m_copyUV = {};
}

void VxGltfMeshBuilder::computeVertexNormals(const VxFacetMesh& mesh)
{
    m_vertexNormals.assign(size_t(mesh.getNumVertices()) * 3, 0.0f);
    for (int f = 0; f < mesh.getNumFacets(); ++f) {
        const int corners = mesh.getFacetNumVertices(f);
        // Newell's method: the normal of any planar or near-planar polygon, its length
        // twice the area, so that larger facets count for more.
        double n[3] = {0.0, 0.0, 0.0};
        for (int c = 0; c < corners; ++c) {
            const VxVec3 a = mesh.getVertex(mesh.getFacetVertex(f, c));
            const VxVec3 b = mesh.getVertex(mesh.getFacetVertex(f, (c + 1) % corners));
            n[0] += (double(a.y) - b.y) * (double(a.z) + b.z);
            n[1] += (double(a.z) - b.z) * (double(a.x) + b.x);
            n[2] += (double(a.x) - b.x) * (double(a.y) + b.y);
        }
        for (int c = 0; c < corners; ++c) {
            float* out = &m_vertexNormals[size_t(mesh.getFacetVertex(f, c)) * 3];
            out[0] += float(n[0]);
            out[1] += float(n[1]);
            out[2] += float(n[2]);
        }
    }
    for (size_t v = 0; v < m_vertexNormals.size(); v += 3) {
        float* n = &m_vertexNormals[v];
        const double length = std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]);
        // A vertex whose facets cancel out (or have no area) still needs a unit normal.
        if (!(length > 1e-30) || !std::isfinite(length)) {
            n[0] = 0.0f;
            n[1] = 1.0f;
            n[2] = 0.0f;
            continue;
        }
        for (int k = 0; k < 3; ++k)
            n[k] = float(n[k] / length);
    }
}

uint32_t VxGltfMeshBuilder::vertexFor(const VxFacetMesh& mesh, int vertex, int uv)
{
    for (int copy = m_firstCopy[size_t(vertex)]; copy >= 0; copy = m_nextCopy[size_t(copy)]) {
        if (m_copyUV[size_t(copy)] == uv)
            return uint32_t(copy);
    }
    const int copy = int(m_sourceVertex.size());
    m_nextCopy.push_back(m_firstCopy[size_t(vertex)]);
    m_firstCopy[size_t(vertex)] = copy;
    m_copyUV.push_back(uv);
    m_sourceVertex.push_back(vertex);
    const float* p = mesh.getVertexData() + size_t(vertex) * 3;
    m_positions.insert(m_positions.end(), p, p + 3);
    const float* n = &m_vertexNormals[size_t(vertex) * 3];
    m_normals.insert(m_normals.end(), n, n + 3);
    const float* t = uv >= 0 ? mesh.getData().uvs.data() + size_t(uv) * 2 : nullptr;
    m_uvs.push_back(t ? t[0] : 0.0f);
    m_uvs.push_back(t ? 1.0f - t[1] : 0.0f);
    return uint32_t(copy);
}
