#include "vxfshierarchyikchain.h"

#include "vxfshierarchyiklink.h"

VxFSHierarchyIKChain::VxFSHierarchyIKChain(const QString& name) : m_name(name) {}

// The links stay with their bones; their connections to this chain end with it.
VxFSHierarchyIKChain::~VxFSHierarchyIKChain() = default;

void VxFSHierarchyIKChain::setName(const QString& name)
{
    if (name == m_name)
        return;
    m_name = name;
    emit nameChanged();
}

int VxFSHierarchyIKChain::indexOfLink(const VxFSHierarchyIKLink* link) const
{
    return m_links.indexOf(const_cast<VxFSHierarchyIKLink*>(link));
}

VxFSHierarchyIKLink* VxFSHierarchyIKChain::createLink(VxFSHierarchyItem* bone, float weight)
{
    if (!bone)
        return nullptr;
    auto* link = new VxFSHierarchyIKLink(bone, weight);
    connect(link, &VxFSHierarchyIKLink::aboutToDelete, this, &VxFSHierarchyIKChain::linkDestroyed);
    return link;
}

VxFSHierarchyIKLink* VxFSHierarchyIKChain::addLink(VxFSHierarchyItem* bone, float weight)
{
    VxFSHierarchyIKLink* link = createLink(bone, weight);
    if (link)
        m_links.append(link);
    return link;
}

VxFSHierarchyIKLink* VxFSHierarchyIKChain::insertLink(VxFSHierarchyItem* bone, float weight, int index)
{
    VxFSHierarchyIKLink* link = createLink(bone, weight);
    if (link)
        m_links.insert(qBound(0, index, m_links.size()), link);
    return link;
}

void VxFSHierarchyIKChain::moveLinkAfter(VxFSHierarchyIKLink* link, VxFSHierarchyIKLink* anchor)
{
    // A link moved after itself is no longer in the chain once taken out: it goes first.
    if (!link || !m_links.contains(link))
        return;
    m_links.removeAll(link);
    const int anchorIndex = anchor ? m_links.indexOf(anchor) : -1;
    m_links.insert(anchorIndex + 1, link);
}

void VxFSHierarchyIKChain::moveLinkToFront(VxFSHierarchyIKLink* link)
{
    if (!link || !m_links.contains(link))
        return;
    m_links.removeAll(link);
    m_links.prepend(link);
}

void VxFSHierarchyIKChain::distributeWeights()
{
    if (m_links.isEmpty())
        return;
    // Single precision on purpose: saved chains carry exactly these float sums.
    const float step = 1.0f / float(m_links.size());
    float weight = step;
    for (VxFSHierarchyIKLink* link : qAsConst(m_links)) {
        link->setWeight(weight);
        weight += step;
    }
}

void VxFSHierarchyIKChain::linkDestroyed(VxFSHierarchyIKLink* link)
{
    m_links.removeAll(link);
    emit linksChanged();
}
