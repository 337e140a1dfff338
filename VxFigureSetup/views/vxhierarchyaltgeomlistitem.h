#pragma once

#include "vxhierarchytreeitem.h"

#include "vxfshierarchyitem.h"

#include <QObject>
#include <QPointer>

#include <memory>

class VxFSGeomItem;
class VxHierarchyAltGeomListItem;

// Rebuilds an "Alternate(s)" item's children when its bone's alternates change.
class VxHierarchyAltGeomItemObject : public QObject
{
    Q_OBJECT
public:
    explicit VxHierarchyAltGeomItemObject(VxHierarchyAltGeomListItem* item) : m_item(item) {}

public slots:
    void geomChanged();

private:
    VxHierarchyAltGeomListItem* m_item;
};

// The "Alternate(s)" item of a bone of a parametric figure: one child per alternate
// geometry of the bone, in the bone's order. Geometries are dropped on it.
class VxHierarchyAltGeomListItem : public VxHierarchyTreeItem
{
public:
    enum { Type = 4132 };

    VxHierarchyAltGeomListItem(VxFSHierarchyItem* bone, QTreeWidgetItem* parent, QTreeWidgetItem* after);
    ~VxHierarchyAltGeomListItem() override;

    VxFSHierarchyItem* getBone() const { return m_bone; }
    // Take alternates from the bone, then show what is left.
    void removeAltGeometry(VxFSGeomItem* geometry);
    void clearAltGeometries();
    // One child per alternate geometry, made again from the bone.
    void rebuild();
    // The item's and its children's texts.
    void refreshTexts();

private:
    QPointer<VxFSHierarchyItem> m_bone;
    std::unique_ptr<VxHierarchyAltGeomItemObject> m_proxy;
};
