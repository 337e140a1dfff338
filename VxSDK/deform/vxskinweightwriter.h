#pragma once

#include "vxsdkglobal.h"

#include <vector>

class VxBoneBinding;
class VxFaceGroupWeightSolver;
class VxWeightMap;

// Writes solved weights into a figure's weight maps. A bone's weights go into each of its
// maps (local X, Y, Z and scale), each map kind a channel of its own: per vertex and
// channel, the maps of all bones add up to 65535.
//
// Painted weights: a bone counts as painted when any of its local or scale maps holds a
// weight above zero (a new figure's maps are all zero). Unless told to replace them, a
// painted bone's maps stay exactly as they are, and the other bones share what the painted
// weights leave free at each vertex, in the solved proportions; where none of them has a
// solved weight there, it goes to the nearest unpainted ancestor (with a map of that
// channel) of the vertex's main bone. Vertices where neither exists keep a sum below 65535
// and are counted.
class VXSDK_EXPORT VxSkinWeightWriter
{
public:
    static constexpr int kChannels = 4; // local X, Y, Z, scale

    // bindings[i] receives the weights of the solver's bone i, whose parent is parents[i].
    VxSkinWeightWriter(std::vector<VxBoneBinding*> bindings, std::vector<int> parents);

    static bool isPainted(const VxBoneBinding* binding);
    // The map of `channel` (0 .. 2 local axes, 3 scale), or null.
    static VxWeightMap* channelMap(const VxBoneBinding* binding, int channel);

    void write(const VxFaceGroupWeightSolver& weights, bool keepPainted);

    int numKeptBones() const { return m_kept; }
    int numShortVertices() const { return m_short; }

private:
    void writeChannel(const VxFaceGroupWeightSolver& weights, int channel, const std::vector<char>& kept,
                      std::vector<char>& shortVertex);

    std::vector<VxBoneBinding*> m_bindings;
    std::vector<int> m_parents;
    int m_kept = 0;
    int m_short = 0;
};
