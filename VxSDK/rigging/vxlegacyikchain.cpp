#include "vxlegacyikchain.h"

#include "vxnode.h"

VxLegacyIKChain::VxLegacyIKChain(const QString& name, QObject* parent) : VxElement(parent)
{
    setName(name);
}

VxLegacyIKChain::~VxLegacyIKChain() = default;

void VxLegacyIKChain::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    emit chainChanged();
}

VxNode* VxLegacyIKChain::getLink(int index) const
{
    return index >= 0 && index < m_links.size() ? m_links[index].node.data() : nullptr;
}

float VxLegacyIKChain::getLinkWeight(int index) const
{
    return index >= 0 && index < m_links.size() ? m_links[index].weight : 0.0f;
}

void VxLegacyIKChain::addLink(VxNode* node, float weight, int index)
{
    const Link link{node, weight};
    if (index < 0 || index > m_links.size())
        m_links.append(link);
    else
        m_links.insert(index, link);
    emit chainChanged();
}

bool VxLegacyIKChain::removeLink(int index)
{
    if (index < 0 || index >= m_links.size())
        return false;
    m_links.removeAt(index);
    emit chainChanged();
    return true;
}

int VxLegacyIKChain::removeLinksOf(const VxNode* node)
{
    int removed = 0;
    for (int i = m_links.size() - 1; i >= 0; --i) {
        if (m_links[i].node == node) {
            m_links.removeAt(i);
            ++removed;
        }
    }
    if (removed)
        emit chainChanged();
    return removed;
}

void VxLegacyIKChain::setGoal(VxNode* goal)
{
    if (m_goal == goal)
        return;
    m_goal = goal;
    emit chainChanged();
}
