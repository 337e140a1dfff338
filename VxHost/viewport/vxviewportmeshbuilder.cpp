#include "vxviewportmeshbuilder.h"

#include "vxfacetmeshdata.h"

#include <QtConcurrent>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace {
// Cosine of the crease angle (about 53 degrees): the sides of a box stay flat, the gentle
// folds of a body or a wavy sheet are smoothed.
constexpr float kCreaseCosine = 0.6f;
// Work items of the vertex remake: big enough that handing them to threads costs little,
// small enough that two to sixteen cores share a large mesh evenly.
constexpr size_t kChunk = 16384;

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

// Runs `work(begin, end)` over 0 .. count in chunks, on the thread pool when there is more
// than one chunk.
template <typename Work>
void forChunks(size_t count, const Work& work)
{
    const size_t chunks = (count + kChunk - 1) / kChunk;
    if (chunks <= 1) {
        work(size_t(0), count);
        return;
    }
    std::vector<size_t> starts(chunks);
    std::iota(starts.begin(), starts.end(), size_t(0));
    QtConcurrent::blockingMap(starts, [&](size_t chunk) {
        work(chunk * kChunk, std::min(count, (chunk + 1) * kChunk));
    });
}

// Newell normals of the facets drawn; the others stay zero and are never read.
std::vector<Vec3> facetNormals(const VxFacetMeshData& mesh, const std::vector<uint32_t>& drawn)
{
    std::vector<Vec3> normals(size_t(mesh.numFacets()), Vec3{0.0f, 0.0f, 0.0f});
    forChunks(drawn.size(), [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i)
            normals[drawn[i]] = facetNormal(mesh, int(drawn[i]));
    });
    return normals;
}

// Each output vertex at its mesh vertex, with the normalized sum of its facets' normals.
// Where they cancel out, the first facet with a direction gives it, else +Z.
void fillVertices(const VxFacetMeshData& mesh, const VxViewportVertexSources& sources, const std::vector<Vec3>& normals,
                  VxViewportVertex* out)
{
    forChunks(sources.sourceVertex.size(), [&](size_t begin, size_t end) {
        for (size_t o = begin; o < end; ++o) {
            Vec3 sum = {0.0f, 0.0f, 0.0f};
            Vec3 first = {0.0f, 0.0f, 0.0f};
            for (uint32_t s = sources.facetStart[o]; s < sources.facetStart[o + 1]; ++s) {
                const Vec3& n = normals[sources.facets[s]];
                for (int axis = 0; axis < 3; ++axis)
                    sum[axis] += n[axis];
                if (isZero(first))
                    first = normalized(n);
            }
            Vec3 unit = normalized(sum);
            if (isZero(unit))
                unit = isZero(first) ? Vec3{0.0f, 0.0f, 1.0f} : first;
            const float* p = &mesh.positions[3 * size_t(sources.sourceVertex[o])];
            out[o] = {{p[0], p[1], p[2]}, VxViewportMeshBuilder::packNormal(unit[0], unit[1], unit[2])};
        }
    });
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

    VxViewportVertexSources& sources = result.sources;
    sources.numVertices = numVertices;
    sources.numFacets = numFacets;
    std::vector<char> drawable(static_cast<size_t>(numFacets));
    for (int f = 0; f < numFacets; ++f) {
        drawable[size_t(f)] = isDrawable(mesh, f);
        if (drawable[size_t(f)])
            sources.drawnFacets.push_back(uint32_t(f));
    }
    const std::vector<Vec3> normals = facetNormals(mesh, sources.drawnFacets);

    // The facets around each vertex (compressed rows), and for each corner its slot there.
    std::vector<uint32_t> slotStart(static_cast<size_t>(numVertices) + 1, 0);
    for (uint32_t f : sources.drawnFacets) {
        for (uint32_t c = mesh.facetStart[f]; c < mesh.facetStart[f + 1]; ++c)
            ++slotStart[size_t(mesh.cornerVertex[c]) + 1];
    }
    for (size_t v = 0; v < size_t(numVertices); ++v)
        slotStart[v + 1] += slotStart[v];
    std::vector<uint32_t> slotFacet(slotStart.back());
    std::vector<uint32_t> cornerSlot(mesh.cornerVertex.size());
    {
        std::vector<uint32_t> fill(slotStart.begin(), slotStart.end() - 1);
        for (uint32_t f : sources.drawnFacets) {
            for (uint32_t c = mesh.facetStart[f]; c < mesh.facetStart[f + 1]; ++c) {
                const uint32_t slot = fill[size_t(mesh.cornerVertex[c])]++;
                slotFacet[slot] = f;
                cornerSlot[c] = slot;
            }
        }
    }

    // Per vertex, the facets around it fall into clusters of similar direction; each
    // cluster becomes one output vertex with the clusters' summed (area-weighted) normal.
    std::vector<uint32_t> slotVertex(slotFacet.size());
    sources.sourceVertex.reserve(size_t(numVertices));
    sources.facetStart.reserve(size_t(numVertices) + 1);
    sources.facets.reserve(slotFacet.size());
    std::vector<Vec3> seeds;
    for (int v = 0; v < numVertices; ++v) {
        seeds.clear();
        const uint32_t first = slotStart[size_t(v)];
        const uint32_t last = slotStart[size_t(v) + 1];
        const uint32_t outFirst = uint32_t(sources.sourceVertex.size());
        for (uint32_t s = first; s < last; ++s) {
            const Vec3 unit = normalized(normals[slotFacet[s]]);
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
            if (cluster == seeds.size())
                seeds.push_back(unit);
            slotVertex[s] = outFirst + uint32_t(cluster);
        }
        for (size_t cluster = 0; cluster < seeds.size(); ++cluster) {
            sources.sourceVertex.push_back(uint32_t(v));
            for (uint32_t s = first; s < last; ++s) {
                if (slotVertex[s] == outFirst + cluster)
                    sources.facets.push_back(slotFacet[s]);
            }
            sources.facetStart.push_back(uint32_t(sources.facets.size()));
        }
    }
    result.vertices.resize(sources.sourceVertex.size());
    fillVertices(mesh, sources, normals, result.vertices.data());

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

bool VxViewportVertexSources::fits(const VxFacetMeshData& mesh) const
{
    return mesh.numVertices() == numVertices && mesh.numFacets() == numFacets;
}

void VxViewportMeshBuilder::rebuildVertices(const VxFacetMeshData& mesh, const VxViewportVertexSources& sources,
                                            VxViewportVertex* out)
{
    if (!out || !sources.fits(mesh))
        return;
    fillVertices(mesh, sources, facetNormals(mesh, sources.drawnFacets), out);
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
