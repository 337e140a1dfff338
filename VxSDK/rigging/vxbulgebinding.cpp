#include "vxbulgebinding.h"

#include "vxweightmap.h"

namespace {
void replaceMap(VxWeightMap*& slot, VxWeightMap* map)
{
    if (slot == map)
        return;
    if (map)
        map->ref();
    if (slot)
        slot->unref();
    slot = map;
}
} // namespace

VxBulgeBinding::VxBulgeBinding(QObject* parent) : VxElement(parent) {}

VxBulgeBinding::~VxBulgeBinding()
{
    replaceMap(m_right, nullptr);
    replaceMap(m_left, nullptr);
}

void VxBulgeBinding::setRightWeights(VxWeightMap* map)
{
    replaceMap(m_right, map);
}

void VxBulgeBinding::setLeftWeights(VxWeightMap* map)
{
    replaceMap(m_left, map);
}
