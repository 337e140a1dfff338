#pragma once

#include <QObject>

class VxFSHierarchyIKLink;
class VxIKLinkItem;

// Follows one IK link for its item in the IK chain view: a rename of the link's bone or a
// new weight refreshes the item's texts, and the link's end takes the item out of the
// chain's nesting (the next link moves up into its place).
class VxIKLink : public QObject
{
    Q_OBJECT
public:
    VxIKLink(VxIKLinkItem* item, VxFSHierarchyIKLink* link);
    ~VxIKLink() override;

    bool isLinkDestroyed() const { return m_destroyed; }

public slots:
    void linkDestroyed();
    void nameChanged();

private:
    VxIKLinkItem* m_item;
    bool m_destroyed = false;
    // After linkDestroyed the proxy owns its detached item and deletes it with itself, later:
    // the slot runs inside the item's own proxy and must not free either of them.
    bool m_ownsItem = false;
};
