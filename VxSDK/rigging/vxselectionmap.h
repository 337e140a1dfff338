#pragma once

#include "vxelement.h"
#include "vxnode.h"

#include <QList>
#include <QPointer>


// Pairs the face groups of a figure's skin with the nodes (bones) that own them: picking a
// facet of a group selects its node, and a bone's extent is that of its groups' facets.
class VXSDK_EXPORT VxSelectionMap : public VxElement
{
    Q_OBJECT
public:
    explicit VxSelectionMap(QObject* parent = nullptr);
    ~VxSelectionMap() override;

    int getNumPairs() const { return m_pairs.size(); }
    QString getPairGroup(int index) const;
    VxNode* getPairNode(int index) const;
    // Adds the pair group -> node and returns its index. With `replaceGroup` a group already
    // paired is re-pointed at `node` (a group belongs to one node); without, a second pair
    // for the same group is added. Refuses an empty group or a null node (-1).
    int addPair(const QString& group, VxNode* node, bool replaceGroup);
    // Index of the first pair of `node`, or -1.
    int findPair(const VxNode* node) const;
    // Index of the first pair of `group`, or -1.
    int findGroupPair(const QString& group) const;
    bool removePair(int index);
    // Removes every pair of `node`; returns how many went.
    int removePairsOfNode(const VxNode* node);
    QStringList getGroupsOfNode(const VxNode* node) const;

signals:
    void pairsChanged();

private:
    struct Pair
    {
        QString group;
        QPointer<VxNode> node;
    };
    QList<Pair> m_pairs;
};
