#include "vxhierarchycontextmenus.h"

#include "vxhierarchyaltgeomitem.h"
#include "vxhierarchyaltgeomlistitem.h"
#include "vxhierarchybasegeomitem.h"
#include "vxhierarchyboneitem.h"
#include "vxhierarchybonecontaineritem.h"
#include "vxhierarchygeomitem.h"
#include "vxhierarchyitem.h"
#include "vxhierarchyregioncontaineritem.h"
#include "vxhierarchyregionitem.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxpopupmenubc.h"

VxHierarchyContextMenus::Category VxHierarchyContextMenus::categoryOf(const QTreeWidgetItem* item)
{
    switch (item ? item->type() : 0) {
    case VxHierarchyItem::Type:
    case VxHierarchyBoneItem::Type:
    case VxHierarchyBoneContainerItem::Type:
        return BoneCategory;
    case VxHierarchyBaseGeomItem::Type:
    case VxHierarchyGeomItem::Type:
        return GeometryCategory;
    case VxHierarchyAltGeomListItem::Type:
    case VxHierarchyAltGeomItem::Type:
        return AltGeometryCategory;
    case VxHierarchyRegionContainerItem::Type:
    case VxHierarchyRegionItem::Type:
        return RegionCategory;
    default:
        return NoCategory;
    }
}

VxPopupMenuBC* VxHierarchyContextMenus::bones(const QList<QTreeWidgetItem*>& selection, int col,
                                              const VxFSHierarchy* document)
{
    int count = 0;
    bool rootSelected = false;
    bool containerSelected = false;
    for (const QTreeWidgetItem* item : selection) {
        if (categoryOf(item) != BoneCategory)
            continue;
        ++count;
        rootSelected = rootSelected || item->type() == VxHierarchyItem::Type;
        containerSelected = containerSelected || item->type() == VxHierarchyBoneContainerItem::Type;
    }
    const bool parametric = document && document->getFigureType() == Poser;

    switch (col) {
    case 0:
        return nameColumn(count, rootSelected, containerSelected, parametric);
    case 1: {
        auto* menu = new VxPopupMenuBC();
        menu->insertItem(QStringLiteral("Edit Label"), EditLabel);
        menu->setItemEnabled(EditLabel, count < 2 && !containerSelected);
        return menu;
    }
    case 2:
    case 3:
        // Neither the container nor the document alone has an order or a weld.
        if (containerSelected || (count == 1 && rootSelected))
            return nullptr;
        return col == 2 ? rotationColumn(selection, count, parametric) : weldColumn(selection, count, rootSelected);
    default:
        return nullptr;
    }
}

VxPopupMenuBC* VxHierarchyContextMenus::nameColumn(int count, bool rootSelected, bool containerSelected,
                                                   bool parametric)
{
    auto* menu = new VxPopupMenuBC();
    menu->insertItem(QStringLiteral("Edit Name"), EditName);
    menu->setItemEnabled(EditName, !containerSelected && count <= 1);
    menu->insertSeparator();
    menu->insertItem(QStringLiteral("Add Child Bone..."), AddChildBone);
    menu->setItemEnabled(AddChildBone, !rootSelected && count <= 1);
    menu->insertItem(QStringLiteral("Add Bone Sequence..."), AddBoneSequence);
    menu->setItemEnabled(AddBoneSequence, !rootSelected && count <= 1);
    menu->insertSeparator();
    menu->insertItem(QStringLiteral("Remove Bone(s)"), RemoveBones);
    menu->setItemEnabled(RemoveBones, !rootSelected && !containerSelected);
    menu->insertItem(QStringLiteral("Remove Bones(s) and Children"), RemoveBonesAndChildren);
    menu->setItemEnabled(RemoveBonesAndChildren, !rootSelected && !containerSelected);
    menu->insertSeparator();
    menu->insertItem(QStringLiteral("Create IK Chain..."), CreateIKChain);
    menu->setItemEnabled(CreateIKChain, !rootSelected && !containerSelected && parametric);
    menu->insertSeparator();
    menu->insertItem(QStringLiteral("Expand Selected Bone(s) and Children"), ExpandBones);
    menu->insertItem(QStringLiteral("Collapse Selected Bone(s) and Children"), CollapseBones);
    return menu;
}

VxPopupMenuBC* VxHierarchyContextMenus::rotationColumn(const QList<QTreeWidgetItem*>& selection, int count,
                                                       bool parametric)
{
    auto* menu = new VxPopupMenuBC();
    for (int order = VxRotationOrder::XYZ; order <= VxRotationOrder::ZYX; ++order)
        menu->insertItem(VxRotationOrder(order).toString(), FirstRotationOrder + order);
    menu->insertSeparator();
    menu->insertItem(parametric ? QStringLiteral("Select Joint Parameters...") : QStringLiteral("Select Weight Maps..."),
                     JointParameters);
    if (count != 1)
        return menu;
    for (QTreeWidgetItem* item : selection) {
        auto* boneItem = vxHierarchyItemCast<VxHierarchyBoneItem>(item);
        if (!boneItem)
            continue;
        if (const VxFSHierarchyItem* bone = boneItem->getBone())
            menu->setItemChecked(FirstRotationOrder + bone->getRotationOrder().getOrder(), true);
        break;
    }
    return menu;
}

VxPopupMenuBC* VxHierarchyContextMenus::weldColumn(const QList<QTreeWidgetItem*>& selection, int count,
                                                   bool rootSelected)
{
    auto* menu = new VxPopupMenuBC();
    menu->insertItem(QStringLiteral("Weld to None"), WeldToNone);
    VxHierarchyBoneItem* first = nullptr;
    for (QTreeWidgetItem* item : selection) {
        if ((first = vxHierarchyItemCast<VxHierarchyBoneItem>(item)))
            break;
    }
    if (count != 1) {
        menu->insertItem(QStringLiteral("Weld to Parent(s)"), WeldToParent);
        menu->setItemEnabled(WeldToParent, !rootSelected);
    } else if (first) {
        const auto* parent = vxHierarchyItemCast<VxHierarchyBoneItem>(first->parent());
        if (parent && parent->getBone()) {
            menu->insertItem(QStringLiteral("Weld to Parent: ") + parent->getBone()->getName(), WeldToParent);
        } else {
            menu->insertItem(QStringLiteral("Weld to Parent(s)"), WeldToParent);
            menu->setItemEnabled(WeldToParent, false);
        }
    }
    menu->insertSeparator();
    menu->insertItem(QStringLiteral("Select Bone(s)..."), WeldToBone);

    const VxFSHierarchyItem* bone = first ? first->getBone() : nullptr;
    if (count != 1 || !bone)
        return menu;
    menu->insertSeparator();
    for (int i = 0; i < bone->getNumWeldTargets(); ++i) {
        const VxFSHierarchyItem* target = bone->getWeldTarget(i);
        menu->insertItem(target ? target->getName() : QString(), FirstWeld + i);
        menu->setItemChecked(FirstWeld + i, true);
    }
    return menu;
}

VxPopupMenuBC* VxHierarchyContextMenus::geometry()
{
    auto* menu = new VxPopupMenuBC();
    menu->insertItem(QStringLiteral("Remove Geometry Reference(s)"), RemoveGeometryReferences);
    return menu;
}

VxPopupMenuBC* VxHierarchyContextMenus::altGeometry(const QList<QTreeWidgetItem*>& selection)
{
    bool listSelected = false;
    for (const QTreeWidgetItem* item : selection)
        listSelected = listSelected || item->type() == VxHierarchyAltGeomListItem::Type;
    auto* menu = new VxPopupMenuBC();
    menu->insertItem(QStringLiteral("Remove Alternate Geometry"), RemoveAltGeometry);
    // "Alternate(s)" stands for all of a bone's alternates, which only "Clear" removes.
    menu->setItemEnabled(RemoveAltGeometry, !listSelected);
    menu->insertItem(QStringLiteral("Clear Alternate Geometries"), ClearAltGeometries);
    return menu;
}

VxPopupMenuBC* VxHierarchyContextMenus::regions(const QTreeWidgetItem* item, const VxFSHierarchy* document)
{
    auto* menu = new VxPopupMenuBC();
    menu->insertItem(QStringLiteral("Add Child Region"), AddChildRegion);
    menu->insertItem(QStringLiteral("Remove Region"), RemoveRegion);
    menu->insertItem(QStringLiteral("Remove Region and Children"), RemoveRegionAndChildren);
    const VxFSRegionItem* rootRegion = document ? document->getFirstRegion() : nullptr;
    if (const auto* regionItem = vxHierarchyItemCast<VxHierarchyRegionItem>(item)) {
        // The root region holds every other region; only "Remove Region and Children" may
        // take it away.
        if (rootRegion && regionItem->getRegion() == rootRegion)
            menu->setItemEnabled(RemoveRegion, false);
    } else if (item && item->type() == VxHierarchyRegionContainerItem::Type) {
        menu->setItemEnabled(RemoveRegion, false);
        menu->setItemEnabled(RemoveRegionAndChildren, false);
        menu->setItemEnabled(AddChildRegion, !rootRegion);
    }
    return menu;
}
