#include "vxweld.h"

#include "vxnode.h"

VxWeld::VxWeld(VxNode* weldBone, VxNode* targetBone, QObject* parent)
    : VxElement(parent), m_weldBone(weldBone), m_targetBone(targetBone)
{
}

VxWeld::~VxWeld() = default;
