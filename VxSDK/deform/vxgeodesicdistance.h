#pragma once

#include "vxmeshedgegraph.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

// Distances along the surface: shortest paths over a mesh's edges (Dijkstra) from a set of
// source vertices. A run may be held to a part of the mesh (vertices the caller allows) and
// to a limit, so that the cost is that of the part it reaches, not of the whole mesh.
// Scratch arrays are kept between runs and reset only where a run wrote; one object per
// thread.
class VXSDK_EXPORT VxGeodesicDistance
{
public:
    struct Reached
    {
        int vertex;
        float distance;
        int source; // the source vertex the shortest path starts from
    };
    // A source and how far it already is from where the distances are measured from (a
    // point inside one of its facets, say).
    struct Seed
    {
        int vertex;
        float distance;
    };

    explicit VxGeodesicDistance(const VxMeshEdgeGraph& graph);

    // Every vertex within `limit` of the seeds, in order of distance. Only vertices for
    // which allowed(vertex) holds are entered, seeds included. The result lives until the
    // next run.
    template<typename Allowed>
    const std::vector<Reached>& run(const std::vector<Seed>& seeds, float limit, Allowed allowed);
    // The same from sources at distance 0, over the whole mesh.
    const std::vector<Reached>& run(const std::vector<int>& sources, float limit = std::numeric_limits<float>::infinity());

private:
    void reset();

    const VxMeshEdgeGraph& m_graph;
    std::vector<float> m_distance;  // infinity where no path is known yet
    std::vector<int> m_source;
    std::vector<char> m_settled;
    std::vector<int> m_touched;
    std::vector<std::pair<float, int>> m_heap;
    std::vector<Reached> m_reached;
};

template<typename Allowed>
const std::vector<VxGeodesicDistance::Reached>& VxGeodesicDistance::run(const std::vector<Seed>& seeds, float limit,
                                                                         Allowed allowed)
{
    reset();
    const auto later = std::greater<std::pair<float, int>>();
    auto reach = [&](int vertex, float distance, int source) {
        if (m_distance[size_t(vertex)] == std::numeric_limits<float>::infinity())
            m_touched.push_back(vertex);
        m_distance[size_t(vertex)] = distance;
        m_source[size_t(vertex)] = source;
        m_heap.emplace_back(distance, vertex);
        std::push_heap(m_heap.begin(), m_heap.end(), later);
    };
    for (const Seed& s : seeds) {
        if (s.vertex >= 0 && s.vertex < m_graph.numVertices() && s.distance <= limit && allowed(s.vertex)
            && s.distance < m_distance[size_t(s.vertex)])
            reach(s.vertex, s.distance, s.vertex);
    }
    while (!m_heap.empty()) {
        std::pop_heap(m_heap.begin(), m_heap.end(), later);
        const auto [distance, v] = m_heap.back();
        m_heap.pop_back();
        // A vertex is queued again each time a shorter path is found; only its first pop counts.
        if (m_settled[size_t(v)])
            continue;
        m_settled[size_t(v)] = 1;
        m_reached.push_back({v, distance, m_source[size_t(v)]});
        for (int k = m_graph.rowBegin(v); k < m_graph.rowEnd(v); ++k) {
            const int w = m_graph.neighbour(k);
            const float d = distance + m_graph.length(k);
            if (d < m_distance[size_t(w)] && d <= limit && !m_settled[size_t(w)] && allowed(w))
                reach(w, d, m_source[size_t(v)]);
        }
    }
    return m_reached;
}
