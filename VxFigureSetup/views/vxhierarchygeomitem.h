#pragma once

#include "vxhierarchytreeitem.h"

#include "vxfshierarchyitem.h"

#include <QObject>
#include <QPointer>

#include <memory>

class VxFSGeomGroup;
class VxHierarchyGeomItem;

// Refreshes a geometry item when its bone's face group changes (the item is no QObject).
class VxHierarchyGeomItemObject : public QObject
{
    Q_OBJECT
public:
    explicit VxHierarchyGeomItemObject(VxHierarchyGeomItem* item) : m_item(item) {}

public slots:
    void geomChanged();

private:
    VxHierarchyGeomItem* m_item;
};

// The face group a bone owns: "Base: " (parametric figures) or "Selection Group: " (other
// types), then the geometry's ID and the group's name ("Base: 2: lHand"), or "<none>".
// Face groups are dropped on it.
class VxHierarchyGeomItem : public VxHierarchyTreeItem
{
public:
    enum { Type = 4131 };

    VxHierarchyGeomItem(VxFSHierarchyItem* bone, QTreeWidgetItem* parent, QTreeWidgetItem* after);
    ~VxHierarchyGeomItem() override;

    VxFSHierarchyItem* getBone() const { return m_bone; }
    // Assigns `group` to the bone (the bone's rules apply) and shows the result.
    void setGeomGroup(VxFSGeomGroup* group);
    void refresh();

private:
    QPointer<VxFSHierarchyItem> m_bone;
    std::unique_ptr<VxHierarchyGeomItemObject> m_proxy;
};
