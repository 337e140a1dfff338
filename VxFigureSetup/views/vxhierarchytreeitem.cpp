#include "vxhierarchytreeitem.h"

#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QPair>
#include <QStyle>

QTreeWidgetItem* VxHierarchyTreeItem::lastChild(const QTreeWidgetItem* parent)
{
    const int count = parent ? parent->childCount() : 0;
    return count > 0 ? parent->child(count - 1) : nullptr;
}

void VxHierarchyTreeItem::place(QTreeWidgetItem* item, QTreeWidgetItem* parent, QTreeWidgetItem* after)
{
    if (!item || !parent)
        return;
    // The common case, "after the last child", needs no search through the children.
    if (after && after == lastChild(parent)) {
        parent->addChild(item);
        return;
    }
    const int afterIndex = after ? parent->indexOfChild(after) : -1;
    parent->insertChild(afterIndex + 1, item);
}

QList<QTreeWidgetItem*> VxHierarchyTreeItem::openItems(QTreeWidgetItem* item)
{
    QList<QTreeWidgetItem*> open;
    if (!item || !item->isExpanded())
        return open;
    open.append(item);
    for (int i = 0; i < item->childCount(); ++i)
        open += openItems(item->child(i));
    return open;
}

void VxHierarchyTreeItem::reopen(const QList<QTreeWidgetItem*>& items)
{
    for (QTreeWidgetItem* item : items)
        item->setExpanded(true);
}

QIcon VxHierarchyTreeItem::styleIcon(uint offset)
{
    // A tree of thousands of bones asks for the same few pixmaps; the style draws each once.
    static QHash<QPair<const QStyle*, uint>, QIcon> cache;
    const QStyle* style = QApplication::style();
    const auto key = qMakePair(style, offset);
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return found.value();
    const auto pixmap = QStyle::StandardPixmap(QStyle::SP_CustomBase + offset);
    const QIcon icon(style ? style->standardPixmap(pixmap) : QPixmap());
    cache.insert(key, icon);
    return icon;
}

void VxHierarchyTreeItem::setStylePixmap(uint offset)
{
    setIcon(0, styleIcon(offset));
}
