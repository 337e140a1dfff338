#pragma once

#include "vxhierarchytreeitem.h"

#include "vxfshierarchy.h"

#include <QObject>
#include <QPointer>

class VxHierarchyBaseGeomItem;
class VxHierarchyBoneContainerItem;
class VxHierarchyRegionContainerItem;

// The top item of the relationships tree: the document itself (name and label in columns 0
// and 1), with the base geometry item, the "Bones" container and, except for parametric
// figures, the "Regions" container below it. It is a QObject so that the document's
// signals refresh it directly.
class VxHierarchyItem : public QObject, public VxHierarchyTreeItem
{
    Q_OBJECT
public:
    enum { Type = 4128 };
    // parent() is the tree parent; QObject::parent() stays reachable by its full name.
    using VxHierarchyTreeItem::parent;

    // Made detached; the view places it as its only top-level item.
    VxHierarchyItem();
    ~VxHierarchyItem() override;

    VxFSHierarchy* getHierarchy() const { return m_hierarchy; }
    // Builds the whole tree below this item for `hierarchy` (null leaves it empty).
    void setHierarchy(VxFSHierarchy* hierarchy);

    VxHierarchyBoneContainerItem* getBoneContainer() const { return m_boneContainer; }
    // Null for parametric figures, which have no regions.
    VxHierarchyRegionContainerItem* getRegionContainer() const { return m_regionContainer; }
    VxHierarchyBaseGeomItem* getBaseGeomItem() const { return m_baseGeomItem; }

    // Opens or closes this item, the containers, every bone item and every region item.
    void setOpen(bool open);

public slots:
    // Columns 0 and 1 from the document; with `recurse`, the base geometry text and every
    // bone item below the "Bones" container too.
    void refresh(bool recurse);
    void refresh() { refresh(false); }
    // Keeps the base geometry item the first child.
    void validateOrder();

private:
    QPointer<VxFSHierarchy> m_hierarchy;
    VxHierarchyBoneContainerItem* m_boneContainer = nullptr;
    VxHierarchyRegionContainerItem* m_regionContainer = nullptr;
    VxHierarchyBaseGeomItem* m_baseGeomItem = nullptr;
};
