#include "vxlegacyikchains.h"

#include "vxlegacyikchain.h"

VxLegacyIKChains::VxLegacyIKChains(QObject* parent) : VxDataItem(itemName(), parent) {}

VxLegacyIKChains::~VxLegacyIKChains()
{
    const QList<VxLegacyIKChain*> chains = m_chains;
    m_chains.clear();
    qDeleteAll(chains);
}

void VxLegacyIKChains::addChain(VxLegacyIKChain* chain)
{
    if (!chain || m_chains.contains(chain))
        return;
    chain->setElementParent(this);
    m_chains.append(chain);
}

bool VxLegacyIKChains::removeChain(VxLegacyIKChain* chain)
{
    if (!chain || !m_chains.removeOne(chain))
        return false;
    delete chain;
    return true;
}
