#pragma once

#include <QObject>
#include <QPointer>
#include <QTreeWidgetItem>

class VxFSGeomGroup;

// One face group of a geometry in the geometry list, shown by name below its geometry's
// item; face groups are dragged from here onto bones in the relationships view. It is a
// QObject so that it can follow its group: the group's geometry deletes its groups before
// it announces its own end, and the item must not use a group that is gone meanwhile.
class VxGeometryGroupListItem : public QObject, public QTreeWidgetItem
{
    Q_OBJECT
public:
    enum { Type = 4146 };
    // parent() is the tree parent; QObject::parent() stays reachable by its full name.
    using QTreeWidgetItem::parent;

    // A detached item, for a geometry item that takes all its children in one go.
    explicit VxGeometryGroupListItem(VxFSGeomGroup* group);
    VxGeometryGroupListItem(QTreeWidgetItem* parent, VxFSGeomGroup* group);

    int rtti() const { return type(); }
    // Null once the group has been deleted.
    VxFSGeomGroup* group() const;

public slots:
    // Column 0 from the group's name.
    void refresh();

private:
    QPointer<VxFSGeomGroup> m_group;
};
