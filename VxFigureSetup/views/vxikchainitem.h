#pragma once

#include <QPointer>
#include <QTreeWidgetItem>

class VxFSHierarchyIKChain;
class VxIKLinkItem;

// One IK chain in the IK chain view: its name, and a check box that is the chain's active
// flag. The chain's links hang below it as a nesting, not as siblings: the first link item
// is this item's child and every further link item is the child of the one before, so the
// last link item (the goal) has no child.
class VxIKChainItem : public QTreeWidgetItem
{
public:
    static constexpr int Type = 4137;

    // Builds the link items of every link of the chain.
    explicit VxIKChainItem(VxFSHierarchyIKChain* chain);

    int rtti() const { return type(); }
    // Null once the chain has been deleted.
    VxFSHierarchyIKChain* chain() const;
    VxIKLinkItem* firstLinkItem() const;

    // Column 0 is renamed only after "Rename Chain" asked for it, and only once.
    bool isRenameEnabled() const { return m_renameEnabled; }
    void setRenameEnabled(bool onOff) { m_renameEnabled = onOff; }

    // Name, check box and every link item from the model.
    void refresh();
    // Opens or closes this item and every link item below it.
    void setOpenDown(bool open);

private:
    QPointer<VxFSHierarchyIKChain> m_chain;
    bool m_renameEnabled = false;
};
