#include "vxviewportmeshbuilder.h"

#include "vxfacetmeshdata.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Cosine of the crease angle (about 53 degrees): the sides of a box stay flat, the gentle
// folds of a body or a wavy sheet are smoothed.
constexpr float kCreaseCosine = 0.6f;

using Vec3 = std::array<float, 3>;

Vec3 normalized(const Vec3& v)
{
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(length > 0.0f))
        return {0.0f, 0.0f, 0.0f};
    return {v[0] / length, v[1] / length, v[2] / length};
}

bool isZero(const Vec3& v)
{
    return v[0] == 0.0f && v[1] == 0.0f && v[2] == 0.0f;
}

// True when every corner of the facet names an existing vertex and it is a polygon.
bool isDrawable(const VxFacetMeshData& mesh, int facet)
{
    const uint32_t begin = mesh.facetStart[size_t(facet)];
    const uint32_t end = mesh.facetStart[size_t(facet) + 1];
    if (end < begin + 3 || end > mesh.cornerVertex.size())
        return false;
    const int numVertices = mesh.numVertices();
    for (uint32_t c = begin; c < end; ++c) {
        if (mesh.cornerVertex[c] < 0 || mesh.cornerVertex[c] >= numVertices)
            return false;
    }
    return true;
}

// Newell's method: the polygon's normal scaled by twice its area, exact for planar
// polygons and well-behaved for slightly warped ones.
Vec3 facetNormal(const VxFacetMeshData& mesh, int facet)
{
    Vec3 n = {0.0f, 0.0f, 0.0f};
    const uint32_t begin = mesh.facetStart[size_t(facet)];
    const uint32_t end = mesh.facetStart[size_t(facet) + 1];
    for (uint32_t c = begin; c < end; ++c) {
        const float* a = &mesh.positions[3 * size_t(mesh.cornerVertex[c])];
        const float* b = &mesh.positions[3 * size_t(mesh.cornerVertex[c + 1 < end ? c + 1 : begin])];
        n[0] += (a[1] - b[1]) * (a[2] + b[2]);
        n[1] += (a[2] - b[2]) * (a[0] + b[0]);
        n[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    return n;
}

int facetKeyGroup(const VxFacetMeshData& mesh, int facet)
{
    return size_t(facet) < mesh.facetGroup.size() ? mesh.facetGroup[size_t(facet)] : -1;
}

int facetKeyMaterial(const VxFacetMeshData& mesh, int facet)
{
    return size_t(facet) < mesh.facetMaterial.size() ? mesh.facetMaterial[size_t(facet)] : -1;
}

// Facets in draw order: by face group, then material, keeping the file order within each.
// Meshes usually come in runs that already share both, so the runs are sorted, not facets.
std::vector<int> drawOrder(const VxFacetMeshData& mesh, const std::vector<char>& drawable)
{
    struct Run
    {
        int group, material, first, last;
    };
    std::vector<Run> runs;
    for (int f = 0; f < mesh.numFacets(); ++f) {
        if (!drawable[size_t(f)])
            continue;
        const int group = facetKeyGroup(mesh, f);
        const int material = facetKeyMaterial(mesh, f);
        if (!runs.empty() && runs.back().group == group && runs.back().material == material && runs.back().last == f - 1)
            runs.back().last = f;
        else
            runs.push_back({group, material, f, f});
    }
    std::stable_sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) {
        return a.group != b.group ? a.group < b.group : a.material < b.material;
    });
    std::vector<int> order;
    for (const Run& run : runs) {
        for (int f = run.first; f <= run.last; ++f)
            order.push_back(f);
    }
    return order;
}
} // namespace

VxViewportMeshGeometry VxViewportMeshBuilder::build(const VxFacetMeshData& mesh)
{
    VxViewportMeshGeometry result;
    const int numFacets = mesh.numFacets();
    const int numVertices = mesh.numVertices();
    if (numFacets <= 0 || numVertices <= 0)
        return result;

    std::vector<char> drawable(static_cast<size_t>(numFacets));
    std::vector<Vec3> normals(static_cast<size_t>(numFacets));
    for (int f = 0; f < numFacets; ++f) {
        drawable[size_t(f)] = isDrawable(mesh, f);
        if (drawable[size_t(f)])
            normals[size_t(f)] = facetNormal(mesh, f);
    }

    // The facets around each vertex (compressed rows), and for each corner its slot there.
    std::vector<uint32_t> slotStart(static_cast<size_t>(numVertices) + 1, 0);
    for (int f = 0; f < numFacets; ++f) {
        if (!drawable[size_t(f)])
            continue;
        for (uint32_t c = mesh.facetStart[size_t(f)]; c < mesh.facetStart[size_t(f) + 1]; ++c)
            ++slotStart[size_t(mesh.cornerVertex[c]) + 1];
    }
    for (size_t v = 0; v < size_t(numVertices); ++v)
        slotStart[v + 1] += slotStart[v];
    std::vector<uint32_t> slotFacet(slotStart.back());
    std::vector<uint32_t> cornerSlot(mesh.cornerVertex.size());
    {
        std::vector<uint32_t> fill(slotStart.begin(), slotStart.end() - 1);
        for (int f = 0; f < numFacets; ++f) {
            if (!drawable[size_t(f)])
                continue;
            for (uint32_t c = mesh.facetStart[size_t(f)]; c < mesh.facetStart[size_t(f) + 1]; ++c) {
                const uint32_t slot = fill[size_t(mesh.cornerVertex[c])]++;
                slotFacet[slot] = uint32_t(f);
                cornerSlot[c] = slot;
            }
        }
    }

    // Per vertex, the facets around it fall into clusters of similar direction; each
    // cluster becomes one output vertex with the clusters' summed (area-weighted) normal.
    std::vector<uint32_t> slotVertex(slotFacet.size());
    result.vertices.reserve(size_t(numVertices));
    std::vector<Vec3> seeds, sums;
    for (int v = 0; v < numVertices; ++v) {
        seeds.clear();
        sums.clear();
        const uint32_t first = slotStart[size_t(v)];
        const uint32_t outFirst = uint32_t(result.vertices.size());
        for (uint32_t s = first; s < slotStart[size_t(v) + 1]; ++s) {
            const Vec3& n = normals[slotFacet[s]];
            const Vec3 unit = normalized(n);
            size_t cluster = 0;
            for (; cluster < seeds.size(); ++cluster) {
                Vec3& seed = seeds[cluster];
                // Degenerate facets (no area, no direction) join whatever is there.
                if (isZero(unit) || isZero(seed)) {
                    if (isZero(seed))
                        seed = unit;
                    break;
                }
                if (seed[0] * unit[0] + seed[1] * unit[1] + seed[2] * unit[2] >= kCreaseCosine)
                    break;
            }
            if (cluster == seeds.size()) {
                seeds.push_back(unit);
                sums.push_back({0.0f, 0.0f, 0.0f});
            }
            for (int axis = 0; axis < 3; ++axis)
                sums[cluster][axis] += n[axis];
            slotVertex[s] = outFirst + uint32_t(cluster);
        }
        const float* p = &mesh.positions[3 * size_t(v)];
        for (size_t cluster = 0; cluster < sums.size(); ++cluster) {
            Vec3 n = normalized(sums[cluster]);
            if (isZero(n))
                n = isZero(seeds[cluster]) ? Vec3{0.0f, 0.0f, 1.0f} : seeds[cluster];
            result.vertices.push_back({{p[0], p[1], p[2]}, packNormal(n[0], n[1], n[2])});
        }
    }

    // Triangles in draw order, fanned out from each polygon's first corner.
    const std::vector<int> order = drawOrder(mesh, drawable);
    size_t numIndices = 0;
    for (int f : order)
        numIndices += 3 * (mesh.facetStart[size_t(f) + 1] - mesh.facetStart[size_t(f)] - 2);
    result.indices.reserve(numIndices);
    for (int f : order) {
        const uint32_t begin = mesh.facetStart[size_t(f)];
        const uint32_t end = mesh.facetStart[size_t(f) + 1];
        const int group = facetKeyGroup(mesh, f);
        const int material = facetKeyMaterial(mesh, f);
        if (result.ranges.empty() || result.ranges.back().group != group || result.ranges.back().material != material)
            result.ranges.push_back({group, material, uint32_t(result.indices.size()), 0});
        for (uint32_t c = begin + 1; c + 1 < end; ++c) {
            result.indices.push_back(slotVertex[cornerSlot[begin]]);
            result.indices.push_back(slotVertex[cornerSlot[c]]);
            result.indices.push_back(slotVertex[cornerSlot[c + 1]]);
        }
        result.ranges.back().indexCount = uint32_t(result.indices.size()) - result.ranges.back().firstIndex;
    }
    return result;
}

uint32_t VxViewportMeshBuilder::packNormal(float x, float y, float z)
{
    const auto pack = [](float value) {
        const int scaled = int(std::lround(std::clamp(value, -1.0f, 1.0f) * 127.0f));
        return uint32_t(uint8_t(int8_t(scaled)));
    };
    return pack(x) | (pack(y) << 8) | (pack(z) << 16);
}

void VxViewportMeshBuilder::unpackNormal(uint32_t packed, float* xyz)
{
    for (int axis = 0; axis < 3; ++axis)
        xyz[axis] = std::max(float(int8_t(uint8_t(packed >> (8 * axis)))) / 127.0f, -1.0f);
}
