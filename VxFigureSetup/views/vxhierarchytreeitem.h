#pragma once

#include <QList>
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
    // The items at or below `item` that are open. A view forgets this for items taken out
    // of it, so whoever moves items opens them again with reopen().
    static QList<QTreeWidgetItem*> openItems(QTreeWidgetItem* item);
    static void reopen(const QList<QTreeWidgetItem*>& items);
    // The host style's custom pixmap SP_CustomBase + `offset`, fetched once per style.
    static QIcon styleIcon(uint offset);

protected:
    // Made detached: each item places itself once it has its texts, flags and pixmap, since
    // an item in a view reports every change as an edit.
    explicit VxHierarchyTreeItem(int type) : QTreeWidgetItem(type) {}
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
