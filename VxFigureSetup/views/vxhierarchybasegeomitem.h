#pragma once

#include "vxhierarchytreeitem.h"

#include "vxfshierarchy.h"

#include <QObject>
#include <QPointer>

#include <memory>

class VxFSGeomItem;
class VxHierarchyBaseGeomItem;

// Refreshes the base geometry item when the document's base geometry changes.
class VxHierarchyBaseGeomItemObject : public QObject
{
    Q_OBJECT
public:
    explicit VxHierarchyBaseGeomItemObject(VxHierarchyBaseGeomItem* item) : m_item(item) {}

public slots:
    void geomChanged();

private:
    VxHierarchyBaseGeomItem* m_item;
};

// The document's base geometry: "Geometry: " and its ID, or "Geometry: <none>". Geometries
// are dropped on it.
class VxHierarchyBaseGeomItem : public VxHierarchyTreeItem
{
public:
    enum { Type = 4130 };

    VxHierarchyBaseGeomItem(VxFSHierarchy* hierarchy, QTreeWidgetItem* parent, QTreeWidgetItem* after);
    ~VxHierarchyBaseGeomItem() override;

    VxFSHierarchy* getHierarchy() const { return m_hierarchy; }
    // Makes `geometry` (or none) the document's base geometry and shows it.
    void setBaseGeometry(VxFSGeomItem* geometry);
    void refresh();

private:
    QPointer<VxFSHierarchy> m_hierarchy;
    std::unique_ptr<VxHierarchyBaseGeomItemObject> m_proxy;
};
