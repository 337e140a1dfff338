// Turning facet meshes into the viewport's triangles: crease-aware normals, draw ranges
// and facets that cannot be drawn.
#include "vxviewportmeshbuilder.h"

#include "vxfacetmeshdata.h"
#include "vxmeshgen.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
// A unit cube: 8 vertices, 6 quads, one face group and material per face pair.
VxFacetMeshData cube()
{
    VxFacetMeshData data;
    for (int corner = 0; corner < 8; ++corner)
        data.positions.insert(data.positions.end(), {float(corner >> 2 & 1), float(corner >> 1 & 1), float(corner & 1)});
    const int quads[6][4] = {{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}};
    for (int f = 0; f < 6; ++f) {
        data.cornerVertex.insert(data.cornerVertex.end(), std::begin(quads[f]), std::end(quads[f]));
        data.facetStart.push_back(uint32_t(data.cornerVertex.size()));
        // Out of order on purpose: groups 1, 0, 1, 0, ...
        data.facetGroup.push_back(1 - f % 2);
        data.facetMaterial.push_back(f / 4);
    }
    data.groupNames = QStringList{"a", "b"};
    return data;
}

std::array<float, 3> normalOf(const VxViewportVertex& vertex)
{
    std::array<float, 3> n;
    VxViewportMeshBuilder::unpackNormal(vertex.normal, n.data());
    return n;
}
} // namespace

TEST(VxViewportMeshBuilder, BoxesKeepCrispEdgesAndRangesFollowGroupThenMaterial)
{
    const VxViewportMeshGeometry geometry = VxViewportMeshBuilder::build(cube());
    // Three faces meet at 90 degrees at each corner: a vertex per face.
    ASSERT_EQ(geometry.vertices.size(), 24u);
    ASSERT_EQ(geometry.indices.size(), 36u);
    for (const VxViewportVertex& vertex : geometry.vertices) {
        const auto n = normalOf(vertex);
        EXPECT_NEAR(std::abs(n[0]) + std::abs(n[1]) + std::abs(n[2]), 1.0f, 0.01f);
        EXPECT_NEAR(std::max({std::abs(n[0]), std::abs(n[1]), std::abs(n[2])}), 1.0f, 0.01f);
    }
    // Every triangle's normals agree with its winding (so the face's own normal).
    for (size_t t = 0; t < geometry.indices.size(); t += 3) {
        const float* a = geometry.vertices[geometry.indices[t]].position;
        const float* b = geometry.vertices[geometry.indices[t + 1]].position;
        const float* c = geometry.vertices[geometry.indices[t + 2]].position;
        const float e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const float e2[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const float cross[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
        const auto n = normalOf(geometry.vertices[geometry.indices[t]]);
        EXPECT_GT(cross[0] * n[0] + cross[1] * n[1] + cross[2] * n[2], 0.0f) << "triangle " << t / 3;
    }
    // Groups 0 then 1, each split by material; together they cover every index once.
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    ASSERT_EQ(geometry.ranges.size(), expected.size());
    uint32_t next = 0;
    for (size_t r = 0; r < expected.size(); ++r) {
        EXPECT_EQ(std::make_pair(geometry.ranges[r].group, geometry.ranges[r].material), expected[r]);
        EXPECT_EQ(geometry.ranges[r].firstIndex, next);
        next += geometry.ranges[r].indexCount;
    }
    EXPECT_EQ(next, geometry.indices.size());
}

TEST(VxViewportMeshBuilder, GentleSurfacesShareOneVertexPerPosition)
{
    const VxFacetMeshData sheet = VxMeshGen::grid(800, 4, 2);
    const VxViewportMeshGeometry geometry = VxViewportMeshBuilder::build(sheet);
    EXPECT_EQ(int(geometry.vertices.size()), sheet.numVertices());
    EXPECT_EQ(int(geometry.indices.size()), 3 * sheet.numFacets());
    EXPECT_EQ(geometry.ranges.size(), 4u);
    // The wavy sheet faces +Z everywhere.
    for (const VxViewportVertex& vertex : geometry.vertices)
        EXPECT_GT(normalOf(vertex)[2], 0.9f);
}

TEST(VxViewportMeshBuilder, FacetsThatCannotBeDrawnAreLeftOut)
{
    VxFacetMeshData data = cube();
    // A corner naming a vertex that does not exist, and a facet of two corners.
    data.cornerVertex.insert(data.cornerVertex.end(), {0, 1, 99});
    data.facetStart.push_back(uint32_t(data.cornerVertex.size()));
    data.cornerVertex.insert(data.cornerVertex.end(), {0, 1});
    data.facetStart.push_back(uint32_t(data.cornerVertex.size()));
    data.facetGroup.insert(data.facetGroup.end(), {0, 0});
    data.facetMaterial.insert(data.facetMaterial.end(), {0, 0});
    const VxViewportMeshGeometry geometry = VxViewportMeshBuilder::build(data);
    EXPECT_EQ(geometry.indices.size(), 36u);
    EXPECT_TRUE(VxViewportMeshBuilder::build(VxFacetMeshData()).indices.empty());
}

TEST(VxViewportMeshBuilder, MovedVerticesAreRemadeAsAFreshBuildWouldMakeThem)
{
    // The humanoid (crisp box edges) and the wavy sheet (smoothed), turned as a whole and
    // shifted: the same facets meet at the same angles, so a fresh build clusters them as
    // before, and remaking the kept vertices must give exactly its vertices.
    for (VxFacetMeshData mesh : {VxMeshGen::humanoid(), VxMeshGen::grid(800, 4, 2), cube()}) {
        const VxViewportMeshGeometry rest = VxViewportMeshBuilder::build(mesh);
        const float c = std::cos(0.7f), s = std::sin(0.7f);
        for (size_t v = 0; v < mesh.positions.size(); v += 3) {
            const float x = mesh.positions[v], z = mesh.positions[v + 2];
            mesh.positions[v] = c * x + s * z + 0.5f;
            mesh.positions[v + 1] -= 2.0f;
            mesh.positions[v + 2] = -s * x + c * z;
        }
        ASSERT_TRUE(rest.sources.fits(mesh));
        std::vector<VxViewportVertex> remade(rest.vertices.size());
        VxViewportMeshBuilder::rebuildVertices(mesh, rest.sources, remade.data());
        const VxViewportMeshGeometry fresh = VxViewportMeshBuilder::build(mesh);
        ASSERT_EQ(fresh.vertices.size(), remade.size());
        EXPECT_EQ(fresh.indices, rest.indices);
        for (size_t v = 0; v < remade.size(); ++v) {
            for (int axis = 0; axis < 3; ++axis)
                ASSERT_EQ(remade[v].position[axis], fresh.vertices[v].position[axis]) << "vertex " << v;
            ASSERT_EQ(remade[v].normal, fresh.vertices[v].normal) << "vertex " << v;
        }
        // A rebuilt mesh with other counts no longer fits.
        mesh.positions.resize(mesh.positions.size() - 3);
        EXPECT_FALSE(rest.sources.fits(mesh));
    }
}
