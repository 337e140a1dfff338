#pragma once

#include "vxhierarchytreeitem.h"

#include "vxfshierarchyitem.h"

#include <QPointer>

class VxHierarchyAltGeomListItem;
class VxHierarchyGeomItem;

// The "Geometry" item of a bone of a parametric figure: the bone's face group item first,
// then its "Alternate(s)" item.
class VxHierarchyGeomContainerItem : public VxHierarchyTreeItem
{
public:
    enum { Type = 4134 };

    VxHierarchyGeomContainerItem(VxFSHierarchyItem* bone, QTreeWidgetItem* parent, QTreeWidgetItem* after);

    VxFSHierarchyItem* getBone() const { return m_bone; }
    VxHierarchyGeomItem* getGeomItem() const { return m_geomItem; }
    VxHierarchyAltGeomListItem* getAltGeomListItem() const { return m_altGeomListItem; }
    // The container's text and both children's texts.
    void refresh();

private:
    QPointer<VxFSHierarchyItem> m_bone;
    VxHierarchyGeomItem* m_geomItem = nullptr;
    VxHierarchyAltGeomListItem* m_altGeomListItem = nullptr;
};
