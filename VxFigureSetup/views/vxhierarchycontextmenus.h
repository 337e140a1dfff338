#pragma once

#include <QList>

class QTreeWidgetItem;
class VxFSHierarchy;
class VxPopupMenuBC;

// The relationships view's context menus, built from what is selected and where the user
// clicked; the view runs them and dispatches the chosen id. Menus are parentless and owned
// by the caller.
class VxHierarchyContextMenus
{
public:
    // Menu ids, which the view's result dispatch reads.
    enum Id {
        EditName = 1,
        EditLabel = 2,
        AddChildBone = 3,
        AddBoneSequence = 4,
        RemoveBones = 5,
        RemoveBonesAndChildren = 6,
        WeldToNone = 7,
        WeldToParent = 8,
        WeldToBone = 9,
        CreateIKChain = 10,
        ExpandBones = 11,
        CollapseBones = 12,
        RemoveGeometryReferences = 15,
        RemoveAltGeometry = 16,
        ClearAltGeometries = 17,
        AddChildRegion = 20,
        RemoveRegion = 21,
        RemoveRegionAndChildren = 22,
        FirstRotationOrder = 30, // 30 to 35: "XYZ" to "ZYX"
        LastRotationOrder = 35,
        JointParameters = 42,
        FirstWeld = 50, // 50 + n: remove the bone's weld n
    };

    // What a selected item counts as when the selection mixes kinds of item.
    enum Category { NoCategory, BoneCategory, GeometryCategory, AltGeometryCategory, RegionCategory };
    static Category categoryOf(const QTreeWidgetItem* item);

    // The menu of the document, the "Bones" container and bones for column `col` (0 name,
    // 1 label, 2 rotation order, 3 weld), or null when that column has none here.
    static VxPopupMenuBC* bones(const QList<QTreeWidgetItem*>& selection, int col, const VxFSHierarchy* document);
    static VxPopupMenuBC* geometry();
    static VxPopupMenuBC* altGeometry(const QList<QTreeWidgetItem*>& selection);
    // The menu of the "Regions" container and regions, for a click on `item`.
    static VxPopupMenuBC* regions(const QTreeWidgetItem* item, const VxFSHierarchy* document);

private:
    static VxPopupMenuBC* nameColumn(int count, bool rootSelected, bool containerSelected, bool parametric);
    static VxPopupMenuBC* rotationColumn(const QList<QTreeWidgetItem*>& selection, int count, bool parametric);
    static VxPopupMenuBC* weldColumn(const QList<QTreeWidgetItem*>& selection, int count, bool rootSelected);
};
