#include "vxskinweightwriter.h"

#include "vxfacegroupweightsolver.h"

#include "vxbonebinding.h"
#include "vxweightmap.h"

#include <algorithm>

namespace {
constexpr uint32_t kFull = VxWeightMap::kMaxWeight;
} // namespace

VxSkinWeightWriter::VxSkinWeightWriter(std::vector<VxBoneBinding*> bindings, std::vector<int> parents)
    : m_bindings(std::move(bindings)), m_parents(std::move(parents))
{
    m_parents.resize(m_bindings.size(), -1);
}

VxWeightMap* VxSkinWeightWriter::channelMap(const VxBoneBinding* binding, int channel)
{
    if (!binding)
        return nullptr;
    return channel < 3 ? binding->getLocalWeights(channel) : binding->getScaleWeights();
}

bool VxSkinWeightWriter::isPainted(const VxBoneBinding* binding)
{
    for (int c = 0; c < kChannels; ++c) {
        const VxWeightMap* map = channelMap(binding, c);
        if (map && map->hasNonZeroWeights())
            return true;
    }
    return false;
}

void VxSkinWeightWriter::write(const VxFaceGroupWeightSolver& weights, bool keepPainted)
{
    std::vector<char> kept(m_bindings.size(), 0);
    m_kept = 0;
    m_short = 0;
    if (keepPainted) {
        for (size_t b = 0; b < m_bindings.size(); ++b) {
            kept[b] = isPainted(m_bindings[b]);
            m_kept += kept[b];
        }
    }
    std::vector<char> shortVertex(size_t(weights.numVertices()), 0);
    for (int c = 0; c < kChannels; ++c)
        writeChannel(weights, c, kept, shortVertex);
    m_short = int(std::count(shortVertex.begin(), shortVertex.end(), 1));
}

void VxSkinWeightWriter::writeChannel(const VxFaceGroupWeightSolver& weights, int channel,
                                      const std::vector<char>& kept, std::vector<char>& shortVertex)
{
    const int bones = int(m_bindings.size());
    std::vector<VxWeightMap*> target(size_t(bones), nullptr);
    bool anyTarget = false;
    for (int b = 0; b < bones; ++b) {
        if (kept[size_t(b)])
            continue;
        target[size_t(b)] = channelMap(m_bindings[size_t(b)], channel);
        anyTarget = anyTarget || target[size_t(b)];
    }
    if (!anyTarget)
        return;

    // What the painted maps of this channel already hold at each vertex, page by page.
    const int n = weights.numVertices();
    std::vector<uint32_t> painted(size_t(n), 0);
    for (int b = 0; b < bones; ++b) {
        const VxWeightMap* map = kept[size_t(b)] ? channelMap(m_bindings[size_t(b)], channel) : nullptr;
        for (int p = 0; map && p < map->getNumPages(); ++p) {
            const uint16_t* page = map->getPage(p);
            const int first = p * VxWeightMap::kPageSize;
            for (int i = 0; page && i < map->getPageLength(p) && first + i < n; ++i)
                painted[size_t(first + i)] += page[i];
        }
    }
    for (VxWeightMap* map : target) {
        if (map)
            map->fill(0);
    }

    struct Part
    {
        int bone;
        uint32_t weight;
        uint32_t rest;
    };
    std::vector<Part> parts;
    for (int v = 0; v < n; ++v) {
        const uint32_t free = painted[size_t(v)] >= kFull ? 0 : kFull - painted[size_t(v)];
        if (free == 0)
            continue;
        parts.clear();
        uint32_t solved = 0;
        for (auto* i = weights.influencesBegin(v); i != weights.influencesEnd(v); ++i) {
            if (i->bone >= 0 && i->bone < bones && target[size_t(i->bone)]) {
                parts.push_back({i->bone, i->weight, 0});
                solved += i->weight;
            }
        }
        if (solved == 0) {
            // The vertex's own bones are painted or lack this channel: the free part goes up
            // the tree from its main bone.
            int b = weights.influencesBegin(v) != weights.influencesEnd(v) ? weights.influencesBegin(v)->bone : -1;
            while (b >= 0 && b < bones && !target[size_t(b)])
                b = m_parents[size_t(b)];
            if (b >= 0 && b < bones)
                target[size_t(b)]->setWeight(v, uint16_t(free));
            else
                shortVertex[size_t(v)] = 1;
            continue;
        }
        // Share `free` in the solved proportions, exactly: rounded down, then the units left
        // over to the largest remainders.
        uint32_t given = 0;
        for (Part& part : parts) {
            const uint64_t exact = uint64_t(free) * part.weight;
            part.weight = uint32_t(exact / solved);
            part.rest = uint32_t(exact % solved);
            given += part.weight;
        }
        std::sort(parts.begin(), parts.end(), [](const Part& a, const Part& b) { return a.rest > b.rest; });
        for (size_t i = 0; given < free; i = (i + 1) % parts.size(), ++given)
            ++parts[i].weight;
        for (const Part& part : parts)
            target[size_t(part.bone)]->setWeight(v, uint16_t(part.weight));
    }
}
