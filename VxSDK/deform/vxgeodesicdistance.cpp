#include "vxgeodesicdistance.h"

VxGeodesicDistance::VxGeodesicDistance(const VxMeshEdgeGraph& graph)
    : m_graph(graph),
      m_distance(size_t(graph.numVertices()), std::numeric_limits<float>::infinity()),
      m_source(size_t(graph.numVertices()), -1),
      m_settled(size_t(graph.numVertices()), 0)
{
}

void VxGeodesicDistance::reset()
{
    for (int v : m_touched) {
        m_distance[size_t(v)] = std::numeric_limits<float>::infinity();
        m_settled[size_t(v)] = 0;
    }
    m_touched.clear();
    m_heap.clear();
    m_reached.clear();
}

const std::vector<VxGeodesicDistance::Reached>& VxGeodesicDistance::run(const std::vector<int>& sources, float limit)
{
    std::vector<Seed> seeds;
    seeds.reserve(sources.size());
    for (int s : sources)
        seeds.push_back({s, 0.0f});
    return run(seeds, limit, [](int) { return true; });
}
