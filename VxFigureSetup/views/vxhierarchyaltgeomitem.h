#pragma once

#include "vxhierarchytreeitem.h"

#include "vxfsgeomitem.h"

#include <QPointer>

// One alternate geometry of a bone: "Alt Geom: " and the geometry's ID.
class VxHierarchyAltGeomItem : public VxHierarchyTreeItem
{
public:
    enum { Type = 4133 };

    VxHierarchyAltGeomItem(VxFSGeomItem* geometry, QTreeWidgetItem* parent, QTreeWidgetItem* after);

    VxFSGeomItem* getGeometry() const { return m_geometry; }
    void refresh();

private:
    QPointer<VxFSGeomItem> m_geometry;
};
