#pragma once

#include "vxfsgeomitem.h"

#include <QPointer>
#include <QTreeWidgetItem>

class QTreeWidget;

// One loaded geometry in the geometry list: its short name and its ID. Geometries are
// dragged from here onto the relationships view.
class VxGeometryListItem : public QTreeWidgetItem
{
public:
    enum { Type = 4145 };

    VxGeometryListItem(QTreeWidget* view, VxFSGeomItem* geometry);

    int rtti() const { return type(); }
    VxFSGeomItem* geometry() const { return m_geometry; }

private:
    QPointer<VxFSGeomItem> m_geometry;
};
