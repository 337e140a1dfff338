#pragma once

#include <QObject>

class VxFSHierarchyItem;

// One link of an IK chain: a bone and its weight. The link dies with its bone (and then
// leaves its chain); a chain that dies leaves its links to their bones.
class VxFSHierarchyIKLink : public QObject
{
    Q_OBJECT
public:
    VxFSHierarchyIKLink(VxFSHierarchyItem* bone, float weight);
    ~VxFSHierarchyIKLink() override;

    VxFSHierarchyItem* getBone() const { return m_bone; }
    float getWeight() const { return m_weight; }
    void setWeight(float weight);

signals:
    void weightChanged();
    // Relayed from the bone, so that a chain's listeners see its bones' renames.
    void nameChanged();
    void aboutToDelete(VxFSHierarchyIKLink* link);

public slots:
    // The bone is going: the link goes with it.
    void linkDestroyed();

private:
    VxFSHierarchyItem* m_bone;
    float m_weight;
};
