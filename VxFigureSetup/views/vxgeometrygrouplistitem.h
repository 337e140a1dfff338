#pragma once

#include "vxfsgeomgroup.h"

#include <QObject>
#include <QPointer>
#include <QTreeWidgetItem>

// One face group of a geometry in the geometry list, below its geometry's item. Face groups
// are dragged from here onto bones in the relationships view.
class VxGeometryGroupListItem : public QObject, public QTreeWidgetItem
{
    Q_OBJECT
public:
    enum { Type = 4146 };
    // parent() is the tree parent; QObject::parent() stays reachable by its full name.
    using QTreeWidgetItem::parent;

    VxGeometryGroupListItem(QTreeWidgetItem* parent, VxFSGeomGroup* group);

    int rtti() const { return type(); }
    VxFSGeomGroup* group() const { return m_group; }

public slots:
    // Column 0 from the group's name.
    void refresh();

private:
    QPointer<VxFSGeomGroup> m_group;
};
