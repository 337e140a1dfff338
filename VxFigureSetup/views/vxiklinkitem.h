#pragma once

#include <QPointer>
#include <QTreeWidgetItem>

class VxFSHierarchyIKLink;
class VxFSHierarchyItem;
class VxIKChainItem;
class VxIKLink;

// One link of an IK chain: the bone's name and, under "Weight", the link's weight, or
// "<Goal>" for the chain's last link. It is the child of the item before it in the chain
// (see VxIKChainItem). Its VxIKLink proxy follows the link's signals.
class VxIKLinkItem : public QTreeWidgetItem
{
public:
    static constexpr int Type = 4144;

    // Appended under `parent`: the chain item for the first link, else the previous link.
    VxIKLinkItem(VxFSHierarchyIKLink* link, QTreeWidgetItem* parent);
    ~VxIKLinkItem() override;

    int rtti() const { return type(); }
    // Null once the link has been deleted.
    VxFSHierarchyIKLink* link() const;
    // The next link's item, or null for the goal.
    VxIKLinkItem* nextLinkItem() const;
    // The chain item above, and the number of steps up to it (the first link has depth 1).
    VxIKChainItem* chainItem() const;
    int linkDepth() const;

    // The texts of this item and of every link item after it.
    void refresh();
    void setOpenDown(bool open);

private:
    friend class VxIKLink;
    void refreshOwnTexts();

    QPointer<VxFSHierarchyIKLink> m_link;
    // Kept apart from the link: when a bone dies its links go while it is half destroyed,
    // and the texts must not ask it for its name then.
    QPointer<VxFSHierarchyItem> m_bone;
    VxIKLink* m_proxy;
};
