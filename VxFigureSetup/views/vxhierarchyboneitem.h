#pragma once

#include "vxhierarchytreeitem.h"

#include "vxfshierarchyitem.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

// One bone in the relationships tree: name, label, rotation order and weld in columns 0 to
// 3; below it the bone's geometry item (or, for parametric figures, its "Geometry"
// container) and its child bone items. It is a QObject so that the bone's signals refresh
// it directly: a change to one bone touches only that bone's items.
class VxHierarchyBoneItem : public QObject, public VxHierarchyTreeItem
{
    Q_OBJECT
public:
    enum { Type = 4129 };
    // parent() is the tree parent; QObject::parent() stays reachable by its full name.
    using VxHierarchyTreeItem::parent;

    // Placed under `parent` after `after`, or at the head of its children without one.
    // The item shows nothing until setBone() attaches the bone.
    VxHierarchyBoneItem(VxFSHierarchyItem* bone, QTreeWidgetItem* parent, QTreeWidgetItem* after = nullptr);
    ~VxHierarchyBoneItem() override;

    VxFSHierarchyItem* getBone() const { return m_bone; }
    // Attaches `bone`: listens to it, makes an item for each child bone (recursively) and
    // the geometry item, and shows the bone's columns.
    void setBone(VxFSHierarchyItem* bone);

    // The "Geometry" container (parametric figures) or the geometry item (other types).
    QTreeWidgetItem* getGeometryItem() const { return m_geometryItem; }

    // Opens or closes this item and its child bone items, recursively.
    void setOpen(bool open);

public slots:
    // Columns 0 to 3 from the bone; with `recurse`, the child bone items and the geometry
    // items too.
    void refresh(bool recurse);
    void refresh() { refresh(false); }

private:
    void listenToWeldTargets();
    QString weldText() const;

    QPointer<VxFSHierarchyItem> m_bone;
    QTreeWidgetItem* m_geometryItem = nullptr;
    // The weld column shows the welded-to bone's name, so its renames refresh this item.
    QList<QMetaObject::Connection> m_weldTargetConnections;
};
