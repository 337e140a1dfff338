#pragma once

#include <QList>

class QTreeWidgetItem;

// Removes bones and regions from the document together with their items in the
// relationships tree, keeping model and tree in step: either the children move up to the
// removed item's parent (in the tree they take its place, in the model they go to the end
// of the parent's children), or they go with it.
class VxHierarchyItemRemover
{
public:
    // `items` are bone items in tree order. Stops at an item that holds no bone.
    static void removeBones(QList<QTreeWidgetItem*> items);
    static void removeBonesAndChildren(QList<QTreeWidgetItem*> items);
    // `items` are region items in tree order. Without `recurse` a top-level region, which
    // holds the whole region tree, is kept.
    static void removeRegions(QList<QTreeWidgetItem*> items, bool recurse);
};
