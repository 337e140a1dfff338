#pragma once

#include <QList>
#include <QObject>
#include <QString>

class VxFSHierarchyIKLink;
class VxFSHierarchyItem;

// A named, ordered list of IK links, first link to last. The document owns the chain; the
// links belong to their bones (a link dies with its bone, and the chain then drops it).
class VxFSHierarchyIKChain : public QObject
{
    Q_OBJECT
public:
    explicit VxFSHierarchyIKChain(const QString& name);
    ~VxFSHierarchyIKChain() override;

    QString getName() const { return m_name; }
    void setName(const QString& name);
    bool isActive() const { return m_active; }
    void setActive(bool onOff) { m_active = onOff; }

    int getNumLinks() const { return m_links.size(); }
    VxFSHierarchyIKLink* getLink(int index) const { return m_links[index]; }
    int indexOfLink(const VxFSHierarchyIKLink* link) const;
    // Both return the new link, or null for a null bone. No signal.
    VxFSHierarchyIKLink* addLink(VxFSHierarchyItem* bone, float weight);
    VxFSHierarchyIKLink* insertLink(VxFSHierarchyItem* bone, float weight, int index);
    // Re-inserts the link directly after `anchor`, or first when the anchor is null or not
    // in this chain. A link of another chain is left alone.
    void moveLinkAfter(VxFSHierarchyIKLink* link, VxFSHierarchyIKLink* anchor);
    void moveLinkToFront(VxFSHierarchyIKLink* link);
    // Weights step evenly from 1/n up to about 1, summed in single precision.
    void distributeWeights();

signals:
    void nameChanged();
    void linksChanged();

public slots:
    void linkDestroyed(VxFSHierarchyIKLink* link);

private:
    VxFSHierarchyIKLink* createLink(VxFSHierarchyItem* bone, float weight);

    QString m_name;
    bool m_active = true;
    QList<VxFSHierarchyIKLink*> m_links;
};
