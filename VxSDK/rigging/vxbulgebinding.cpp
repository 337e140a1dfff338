#include "vxbulgebinding.h"

#include "vxweightmap.h"

VxBulgeBinding::VxBulgeBinding(QObject* parent) : VxElement(parent) {}

VxBulgeBinding::~VxBulgeBinding()
{
    vxReplaceRef<VxWeightMap>(m_right, nullptr);
    vxReplaceRef<VxWeightMap>(m_left, nullptr);
}

void VxBulgeBinding::setRightWeights(VxWeightMap* map)
{
    vxReplaceRef<VxWeightMap>(m_right, map);
}

void VxBulgeBinding::setLeftWeights(VxWeightMap* map)
{
    vxReplaceRef<VxWeightMap>(m_left, map);
}
