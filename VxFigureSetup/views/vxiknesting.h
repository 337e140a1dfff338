#pragma once

class QTreeWidgetItem;
class VxFSHierarchyItem;
class VxIKLinkItem;

// Changes to a chain's links made on the model and on the chain's item nesting together,
// so that the nesting always lists the links in the chain's order.
class VxIKNesting
{
public:
    // A new link of weight 1.0 for `bone`, first in the chain when `target` is the chain
    // item, else directly after `target`'s link. Returns the new item, or null when nothing
    // could be added.
    static VxIKLinkItem* insertBone(VxFSHierarchyItem* bone, QTreeWidgetItem* target);
    // Moves `link` to the front of its chain (`target` is its chain item) or directly after
    // `target`'s link. False when nothing moved.
    static bool moveLink(VxIKLinkItem* link, QTreeWidgetItem* target);

private:
    // Puts `item` between `parent` and the link item that followed `parent`.
    static void insertAfter(QTreeWidgetItem* parent, VxIKLinkItem* item);
};
