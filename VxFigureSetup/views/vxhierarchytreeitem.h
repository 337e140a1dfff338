#pragma once

#include <QTreeWidgetItem>

class QIcon;

// An item of the relationships tree. Its QTreeWidgetItem type is the item's type code
// (rtti()), by which the view, its menus, its drops and the bone dialogs tell items apart.
//
// Placement follows the older list view the tree was designed for: an item made without a
// predecessor goes to the head of its parent's children, one with a predecessor directly
// after it. A bone's child bones therefore show last-made first, and the geometry item made
// after them leads.
class VxHierarchyTreeItem : public QTreeWidgetItem
{
public:
    int rtti() const { return type(); }

    // The last child of `parent`, or null: "after the last child" appends.
    static QTreeWidgetItem* lastChild(const QTreeWidgetItem* parent);
    // Puts `item` under `parent` after `after`, or at the head when `after` is null (or is
    // not a child of `parent`).
    static void place(QTreeWidgetItem* item, QTreeWidgetItem* parent, QTreeWidgetItem* after);
    // The host style's custom pixmap SP_CustomBase + `offset`, fetched once per style.
    static QIcon styleIcon(uint offset);

protected:
    // `parent` may be null: the item stays detached until someone places it.
    VxHierarchyTreeItem(int type, QTreeWidgetItem* parent, QTreeWidgetItem* after);
    void setStylePixmap(uint offset);
};

// The item as a `T` when its type code is T's, else null.
template<class T>
T* vxHierarchyItemCast(QTreeWidgetItem* item)
{
    return item && item->type() == T::Type ? static_cast<T*>(item) : nullptr;
}
template<class T>
const T* vxHierarchyItemCast(const QTreeWidgetItem* item)
{
    return item && item->type() == T::Type ? static_cast<const T*>(item) : nullptr;
}
