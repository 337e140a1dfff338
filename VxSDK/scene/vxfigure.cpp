#include "vxfigure.h"

#include "vxbonebinding.h"
#include "vxskinbinding.h"

VxFigure::VxFigure(QObject* parent) : VxSkeleton(parent), m_skinBinding(std::make_unique<VxSkinBinding>())
{
    m_skinBinding->setElementParent(this);
}

VxFigure::~VxFigure() = default;

void VxFigure::forgetBone(VxNode* bone)
{
    VxSkeleton::forgetBone(bone);
    while (VxBoneBinding* binding = m_skinBinding->findBoneBinding(bone))
        m_skinBinding->removeBoneBinding(binding);
}
