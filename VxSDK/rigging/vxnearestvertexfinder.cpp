#include "vxnearestvertexfinder.h"

#include "vxfacetmesh.h"

#include <nanoflann.hpp>

namespace {
// The adaptor nanoflann reads points through: the mesh's packed xyz floats.
struct MeshPoints
{
    const float* xyz;
    size_t count;
    size_t kdtree_get_point_count() const { return count; }
    float kdtree_get_pt(size_t index, size_t dim) const { return xyz[3 * index + dim]; }
    template<class Box>
    bool kdtree_get_bbox(Box&) const { return false; }
};

using Tree = nanoflann::KDTreeSingleIndexAdaptor<nanoflann::L2_Simple_Adaptor<float, MeshPoints>,
                                                  MeshPoints, 3, uint32_t>;
} // namespace

struct VxNearestVertexFinder::Index
{
    MeshPoints points;
    std::unique_ptr<Tree> tree;
};

VxNearestVertexFinder::VxNearestVertexFinder(const VxFacetMesh* mesh) : m_index(std::make_unique<Index>())
{
    m_index->points = {mesh ? mesh->getVertexData() : nullptr, mesh ? size_t(mesh->getNumVertices()) : 0};
    if (m_index->points.count == 0)
        return;
    m_index->tree = std::make_unique<Tree>(3, m_index->points, nanoflann::KDTreeSingleIndexAdaptorParams(16));
    m_index->tree->buildIndex();
}

VxNearestVertexFinder::~VxNearestVertexFinder() = default;

bool VxNearestVertexFinder::isEmpty() const
{
    return !m_index->tree;
}

int VxNearestVertexFinder::findNearest(const VxVec3& point) const
{
    if (!m_index->tree)
        return -1;
    const float query[3] = {point.x, point.y, point.z};
    uint32_t index = 0;
    float distance = 0.0f;
    nanoflann::KNNResultSet<float, uint32_t> result(1);
    result.init(&index, &distance);
    m_index->tree->findNeighbors(result, query, nanoflann::SearchParams());
    return int(index);
}
