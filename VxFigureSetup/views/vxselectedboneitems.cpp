#include "vxselectedboneitems.h"

#include "vxhierarchyboneitem.h"

#include <QTreeWidgetItemIterator>

QList<VxHierarchyBoneItem*> VxSelectedBoneItems::items(QTreeWidget* view)
{
    QList<VxHierarchyBoneItem*> found;
    if (!view)
        return found;
    for (QTreeWidgetItemIterator it(view, QTreeWidgetItemIterator::Selected); *it; ++it) {
        if ((*it)->type() == VxHierarchyBoneItem::Type)
            found.append(static_cast<VxHierarchyBoneItem*>(*it));
    }
    return found;
}

QList<VxFSHierarchyItem*> VxSelectedBoneItems::bones(QTreeWidget* view)
{
    QList<VxFSHierarchyItem*> found;
    for (VxHierarchyBoneItem* item : items(view)) {
        if (VxFSHierarchyItem* bone = item->getBone())
            found.append(bone);
    }
    return found;
}
