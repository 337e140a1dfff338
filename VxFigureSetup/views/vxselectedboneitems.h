#pragma once

#include <QList>

class QTreeWidget;
class VxFSHierarchyItem;
class VxHierarchyBoneItem;

// The bone items selected in the relationships view, in tree order, and their bones: what
// the bone dialogs act on.
class VxSelectedBoneItems
{
public:
    static QList<VxHierarchyBoneItem*> items(QTreeWidget* view);
    // The bones of those items; items without a bone are left out.
    static QList<VxFSHierarchyItem*> bones(QTreeWidget* view);
};
