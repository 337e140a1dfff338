#include "vxskinbinding.h"

#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxfigure.h"
#include "vxweightmap.h"

#include <algorithm>
#include <vector>

namespace {
constexpr uint32_t kFull = VxWeightMap::kMaxWeight;

// Rescales the weights w (one per map holding weight at this vertex) to sum to kFull.
void shareProportionally(std::vector<uint32_t>& w, uint32_t sum)
{
    const size_t largest = size_t(std::max_element(w.begin(), w.end()) - w.begin());
    uint32_t given = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        w[i] = uint32_t(uint64_t(w[i]) * kFull / sum);
        given += w[i];
    }
    w[largest] += kFull - given; // rounding remainder to the strongest influence
}

void shareByOrder(std::vector<uint32_t>& w, uint32_t sum)
{
    uint32_t remaining = kFull;
    size_t lastWeighted = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        if (w[i] > 0)
            lastWeighted = i;
        w[i] = std::min(w[i], remaining);
        remaining -= w[i];
    }
    if (sum < kFull)
        w[lastWeighted] += remaining;
}

// Normalises one channel across `maps`, page by page, touching only allocated pages.
int normalizeMaps(const std::vector<VxWeightMap*>& maps, int priority, bool onlyOverweight)
{
    int changed = 0;
    int pages = 0;
    for (VxWeightMap* map : maps)
        pages = std::max(pages, map->getNumPages());
    std::vector<VxWeightMap*> live;
    std::vector<const uint16_t*> data;
    std::vector<uint32_t> w;
    for (int p = 0; p < pages; ++p) {
        live.clear();
        data.clear();
        int length = VxWeightMap::kPageSize;
        for (VxWeightMap* map : maps) {
            if (p < map->getNumPages() && map->getPage(p)) {
                live.push_back(map);
                data.push_back(map->getPage(p));
                length = std::min(length, map->getPageLength(p));
            }
        }
        if (live.empty())
            continue;
        w.resize(live.size());
        for (int v = 0; v < length; ++v) {
            uint32_t sum = 0;
            for (size_t m = 0; m < live.size(); ++m)
                sum += (w[m] = data[m][v]);
            if (sum == 0 || sum == kFull || (onlyOverweight && sum < kFull))
                continue;
            if (priority == VxSkinBinding::BindingOrderPriority)
                shareByOrder(w, sum);
            else
                shareProportionally(w, sum);
            for (size_t m = 0; m < live.size(); ++m) {
                if (w[m] != data[m][v]) {
                    live[m]->getWritablePage(p)[v] = uint16_t(w[m]);
                    ++changed;
                }
            }
        }
    }
    return changed;
}
} // namespace

VxSkinBinding::VxSkinBinding(QObject* parent) : VxElement(parent) {}

VxSkinBinding::~VxSkinBinding() = default;

VxFigure* VxSkinBinding::getFigure() const
{
    return qobject_cast<VxFigure*>(getElementParent());
}

void VxSkinBinding::addBoneBinding(VxBoneBinding* binding)
{
    if (m_bindings.add(binding, this))
        emit bindingsChanged();
}

bool VxSkinBinding::removeBoneBinding(VxBoneBinding* binding)
{
    if (!m_bindings.remove(binding))
        return false;
    emit bindingsChanged();
    return true;
}

VxBoneBinding* VxSkinBinding::findBoneBinding(const VxNode* bone) const
{
    if (!bone)
        return nullptr;
    for (VxBoneBinding* binding : m_bindings) {
        if (binding->getBone() == bone)
            return binding;
    }
    return nullptr;
}

int VxSkinBinding::normalize(int priorityType, int normalizeType, bool onlyOverweight)
{
    int changed = 0;
    for (int channel = 0; channel < 4; ++channel) {
        if (!(normalizeType & (1 << channel)))
            continue;
        std::vector<VxWeightMap*> maps;
        for (VxBoneBinding* binding : m_bindings) {
            VxWeightMap* map = channel < 3 ? binding->getLocalWeights(channel) : binding->getScaleWeights();
            if (map && std::find(maps.begin(), maps.end(), map) == maps.end())
                maps.push_back(map);
        }
        changed += normalizeMaps(maps, priorityType, onlyOverweight);
    }
    if (normalizeType & NormalizeBulge) {
        for (VxBoneBinding* binding : m_bindings) {
            for (int axis = 0; axis < 3; ++axis) {
                VxBulgeBinding* bulge = binding->getBulgeBinding(axis);
                if (!bulge || !bulge->getRightWeights() || !bulge->getLeftWeights())
                    continue;
                changed += normalizeMaps({bulge->getRightWeights(), bulge->getLeftWeights()},
                                         ProportionalPriority, true);
            }
        }
    }
    return changed;
}
