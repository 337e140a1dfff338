#include "vxlegacyikchains.h"

#include "vxlegacyikchain.h"

VxLegacyIKChains::VxLegacyIKChains(QObject* parent) : VxDataItem(itemName(), parent) {}

VxLegacyIKChains::~VxLegacyIKChains() = default;

void VxLegacyIKChains::addChain(VxLegacyIKChain* chain)
{
    m_chains.add(chain, this);
}

bool VxLegacyIKChains::removeChain(VxLegacyIKChain* chain)
{
    return m_chains.remove(chain);
}
