#include "vxgeneralhierarchytreeview.h"

#include "vxgeneralhierarchyitem.h"
#include "vxgeneralhierarchymodel.h"

VxGeneralHierarchyTreeView::VxGeneralHierarchyTreeView(QWidget* parent) : QTreeView(parent) {}

VxGeneralHierarchyTreeView::~VxGeneralHierarchyTreeView() = default;

VxGeneralHierarchyModel* VxGeneralHierarchyTreeView::getHierarchyModel() const
{
    return qobject_cast<VxGeneralHierarchyModel*>(model());
}

VxGeneralHierarchyItem* VxGeneralHierarchyTreeView::itemForIndex(const QModelIndex& index) const
{
    const VxGeneralHierarchyModel* hierarchy = getHierarchyModel();
    return hierarchy ? hierarchy->itemForIndex(index) : nullptr;
}

QList<VxGeneralHierarchyItem*> VxGeneralHierarchyTreeView::getSelectedItems() const
{
    QList<VxGeneralHierarchyItem*> items;
    if (!selectionModel())
        return items;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        VxGeneralHierarchyItem* item = itemForIndex(index);
        if (item && !items.contains(item))
            items.append(item);
    }
    return items;
}
