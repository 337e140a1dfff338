#include "vxiknesting.h"

#include "vxikchainitem.h"
#include "vxiklinkitem.h"

#include "vxfshierarchyikchain.h"

#include <QHash>

namespace {
VxIKChainItem* chainItemOf(QTreeWidgetItem* item)
{
    if (!item)
        return nullptr;
    if (item->type() == VxIKChainItem::Type)
        return static_cast<VxIKChainItem*>(item);
    return item->type() == VxIKLinkItem::Type ? static_cast<VxIKLinkItem*>(item)->chainItem() : nullptr;
}

// Items leave the tree for a moment while the nesting changes, and a view forgets whether
// an item it no longer holds was open; these keep what the user had opened.
QHash<QTreeWidgetItem*, bool> openStates(VxIKChainItem* chainItem)
{
    QHash<QTreeWidgetItem*, bool> states;
    for (QTreeWidgetItem* item = chainItem; item; item = item->child(0))
        states.insert(item, item->isExpanded());
    return states;
}

void restoreOpenStates(VxIKChainItem* chainItem, const QHash<QTreeWidgetItem*, bool>& states)
{
    bool open = chainItem->isExpanded();
    for (QTreeWidgetItem* item = chainItem; item; item = item->child(0)) {
        // A new item opens like the one above it, so the links after it stay in sight.
        open = states.value(item, open);
        item->setExpanded(open);
    }
}
} // namespace

VxIKLinkItem* VxIKNesting::insertBone(VxFSHierarchyItem* bone, QTreeWidgetItem* target)
{
    VxIKChainItem* chainItem = chainItemOf(target);
    VxFSHierarchyIKChain* chain = chainItem ? chainItem->chain() : nullptr;
    if (!bone || !chain)
        return nullptr;
    const int index = target == chainItem ? 0 : static_cast<VxIKLinkItem*>(target)->linkDepth();
    if (!chain->insertLink(bone, 1.0f, index))
        return nullptr;
    const QHash<QTreeWidgetItem*, bool> states = openStates(chainItem);
    // The item is made detached and then put in place, so that it does not take the
    // target's child as a sibling first.
    auto* item = new VxIKLinkItem(chain->getLink(index), nullptr);
    insertAfter(target, item);
    restoreOpenStates(chainItem, states);
    chainItem->refresh();
    return item;
}

bool VxIKNesting::moveLink(VxIKLinkItem* link, QTreeWidgetItem* target)
{
    VxIKChainItem* chainItem = link ? link->chainItem() : nullptr;
    VxFSHierarchyIKChain* chain = chainItem ? chainItem->chain() : nullptr;
    if (!chain || !link->link() || !target || target == link->parent() || chainItemOf(target) != chainItem)
        return false;
    if (target == chainItem) {
        chain->moveLinkToFront(link->link());
    } else {
        auto* anchor = static_cast<VxIKLinkItem*>(target);
        chain->moveLinkAfter(link->link(), anchor->link());
    }
    const QHash<QTreeWidgetItem*, bool> states = openStates(chainItem);
    // Take the link out of its place, closing the gap with its follower, then put it after
    // the target.
    link->setSelected(false);
    QTreeWidgetItem* oldParent = link->parent();
    QTreeWidgetItem* follower = link->childCount() > 0 ? link->takeChild(0) : nullptr;
    oldParent->removeChild(link);
    if (follower)
        oldParent->addChild(follower);
    insertAfter(target, link);
    restoreOpenStates(chainItem, states);
    chainItem->refresh();
    return true;
}

void VxIKNesting::insertAfter(QTreeWidgetItem* parent, VxIKLinkItem* item)
{
    QTreeWidgetItem* follower = parent->childCount() > 0 ? parent->takeChild(0) : nullptr;
    parent->addChild(item);
    if (follower)
        item->addChild(follower);
}
