#include "vxselectionmap.h"

#include "vxnode.h"

#include <QStringList>

VxSelectionMap::VxSelectionMap(QObject* parent) : VxElement(parent) {}

VxSelectionMap::~VxSelectionMap() = default;

QString VxSelectionMap::getPairGroup(int index) const
{
    return index >= 0 && index < m_pairs.size() ? m_pairs[index].group : QString();
}

VxNode* VxSelectionMap::getPairNode(int index) const
{
    return index >= 0 && index < m_pairs.size() ? m_pairs[index].node.data() : nullptr;
}

int VxSelectionMap::addPair(const QString& group, VxNode* node, bool replaceGroup)
{
    if (group.isEmpty() || !node)
        return -1;
    if (replaceGroup) {
        const int existing = findGroupPair(group);
        if (existing >= 0) {
            if (m_pairs[existing].node != node) {
                m_pairs[existing].node = node;
                emit pairsChanged();
            }
            return existing;
        }
    }
    m_pairs.append({group, node});
    emit pairsChanged();
    return m_pairs.size() - 1;
}

int VxSelectionMap::findPair(const VxNode* node) const
{
    if (!node)
        return -1;
    for (int i = 0; i < m_pairs.size(); ++i) {
        if (m_pairs[i].node == node)
            return i;
    }
    return -1;
}

int VxSelectionMap::findGroupPair(const QString& group) const
{
    for (int i = 0; i < m_pairs.size(); ++i) {
        if (m_pairs[i].group == group)
            return i;
    }
    return -1;
}

bool VxSelectionMap::removePair(int index)
{
    if (index < 0 || index >= m_pairs.size())
        return false;
    m_pairs.removeAt(index);
    emit pairsChanged();
    return true;
}

int VxSelectionMap::removePairsOfNode(const VxNode* node)
{
    int removed = 0;
    for (int i = m_pairs.size() - 1; i >= 0; --i) {
        if (m_pairs[i].node == node || m_pairs[i].node.isNull()) {
            m_pairs.removeAt(i);
            ++removed;
        }
    }
    if (removed)
        emit pairsChanged();
    return removed;
}

QStringList VxSelectionMap::getGroupsOfNode(const VxNode* node) const
{
    QStringList groups;
    for (const Pair& pair : m_pairs) {
        if (node && pair.node == node)
            groups.append(pair.group);
    }
    return groups;
}
