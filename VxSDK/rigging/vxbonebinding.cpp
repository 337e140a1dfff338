#include "vxbonebinding.h"

#include "vxbulgebinding.h"
#include "vxnode.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

namespace {
bool validAxis(int axis)
{
    return axis >= 0 && axis < 3;
}
} // namespace

VxBoneBinding::VxBoneBinding(QObject* parent) : VxElement(parent) {}

VxBoneBinding::~VxBoneBinding()
{
    for (int axis = 0; axis < 3; ++axis) {
        vxReplaceRef<VxWeightMap>(m_local[axis], nullptr);
        delete m_bulge[axis];
    }
    vxReplaceRef<VxWeightMap>(m_scale, nullptr);
}

VxSkinBinding* VxBoneBinding::getSkinBinding() const
{
    return qobject_cast<VxSkinBinding*>(getElementParent());
}

VxWeightMap* VxBoneBinding::getLocalWeights(int axis) const
{
    return validAxis(axis) ? m_local[axis] : nullptr;
}

void VxBoneBinding::setLocalWeights(int axis, VxWeightMap* map)
{
    if (validAxis(axis))
        vxReplaceRef<VxWeightMap>(m_local[axis], map);
}

void VxBoneBinding::setScaleWeights(VxWeightMap* map)
{
    vxReplaceRef<VxWeightMap>(m_scale, map);
}

VxBulgeBinding* VxBoneBinding::getBulgeBinding(int axis) const
{
    return validAxis(axis) ? m_bulge[axis] : nullptr;
}

void VxBoneBinding::setBulgeBinding(int axis, VxBulgeBinding* binding)
{
    if (!validAxis(axis) || m_bulge[axis] == binding)
        return;
    // A binding moved from another axis of this bone leaves that axis, not deleted twice.
    for (VxBulgeBinding*& other : m_bulge) {
        if (binding && other == binding)
            other = nullptr;
    }
    delete m_bulge[axis];
    m_bulge[axis] = binding;
    if (binding)
        binding->setElementParent(this);
}
