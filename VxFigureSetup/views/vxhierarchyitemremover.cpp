#include "vxhierarchyitemremover.h"

#include "vxhierarchyboneitem.h"
#include "vxhierarchyregionitem.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

namespace {

// Removes from `pending` every item below `dying`, which is about to be deleted with its
// subtree, so that nothing later reaches a deleted item.
void forgetDescendants(QList<QTreeWidgetItem*>& pending, const QTreeWidgetItem* dying)
{
    for (auto it = pending.begin(); it != pending.end();) {
        const QTreeWidgetItem* ancestor = (*it)->parent();
        while (ancestor && ancestor != dying)
            ancestor = ancestor->parent();
        it = ancestor ? pending.erase(it) : it + 1;
    }
}

// Takes `item` out of its parent and puts its children of type `keptType` where it was, in
// their order and open as they were; its other children are deleted.
void replaceByChildren(QTreeWidgetItem* item, int keptType)
{
    QList<QTreeWidgetItem*> open;
    for (int i = 0; i < item->childCount(); ++i)
        open += VxHierarchyTreeItem::openItems(item->child(i));
    QList<QTreeWidgetItem*> kept;
    for (QTreeWidgetItem* child : item->takeChildren()) {
        if (child->type() == keptType)
            kept.append(child);
        else
            delete child;
    }
    QTreeWidgetItem* parent = item->parent();
    if (!parent) {
        qDeleteAll(kept);
        return;
    }
    int index = parent->indexOfChild(item);
    parent->takeChild(index);
    for (QTreeWidgetItem* child : qAsConst(kept))
        parent->insertChild(index++, child);
    VxHierarchyTreeItem::reopen(open);
}

} // namespace

void VxHierarchyItemRemover::removeBones(QList<QTreeWidgetItem*> items)
{
    for (QTreeWidgetItem* item : qAsConst(items)) {
        auto* boneItem = static_cast<VxHierarchyBoneItem*>(item);
        VxFSHierarchyItem* bone = boneItem->getBone();
        if (!bone)
            return;
        QObject* owner = bone->parent();
        auto* parentBone = qobject_cast<VxFSHierarchyItem*>(owner);
        auto* document = qobject_cast<VxFSHierarchy*>(owner);
        // A bone outside the forest has no place its children could move to.
        if (!parentBone && !document)
            continue;
        // Each child gets its new QObject parent before it is linked, so the document
        // learns at once where its names are.
        while (VxFSHierarchyItem* child = bone->getFirstChild()) {
            bone->removeChild(child, false);
            if (parentBone) {
                child->setParent(parentBone);
                parentBone->addChild(child);
            } else {
                child->setParent(document);
                document->addBone(child);
            }
        }
        if (parentBone)
            parentBone->removeChild(bone, false);
        else
            document->removeBone(bone, false);
        bone->setParent(nullptr);

        // The child bone items move up; the geometry items go with the bone.
        replaceByChildren(boneItem, VxHierarchyBoneItem::Type);
        delete boneItem;
        delete bone;
    }
}

void VxHierarchyItemRemover::removeBonesAndChildren(QList<QTreeWidgetItem*> items)
{
    while (!items.isEmpty()) {
        auto* boneItem = static_cast<VxHierarchyBoneItem*>(items.takeFirst());
        VxFSHierarchyItem* bone = boneItem->getBone();
        if (!bone)
            continue;
        QObject* owner = bone->parent();
        if (auto* parentBone = qobject_cast<VxFSHierarchyItem*>(owner))
            parentBone->removeChild(bone, true);
        else if (auto* document = qobject_cast<VxFSHierarchy*>(owner))
            document->removeBone(bone, false);
        else
            continue;
        bone->setParent(nullptr);
        delete bone;
        // Selected bones below this one go with it.
        forgetDescendants(items, boneItem);
        delete boneItem;
    }
}

void VxHierarchyItemRemover::removeRegions(QList<QTreeWidgetItem*> items, bool recurse)
{
    while (!items.isEmpty()) {
        auto* regionItem = static_cast<VxHierarchyRegionItem*>(items.takeFirst());
        VxFSRegionItem* region = regionItem->getRegion();
        if (!region)
            continue;
        auto* parentRegion = qobject_cast<VxFSRegionItem*>(region->parent());
        if (!recurse) {
            if (!parentRegion)
                continue;
            parentRegion->removeChild(region, false);
            region->setParent(nullptr);
            while (VxFSRegionItem* child = region->getFirstChild()) {
                region->removeChild(child, false);
                child->setParent(parentRegion);
                parentRegion->addChild(child);
            }
            replaceByChildren(regionItem, VxHierarchyRegionItem::Type);
        } else {
            if (parentRegion)
                parentRegion->removeChild(region, false);
            else if (auto* document = qobject_cast<VxFSHierarchy*>(region->parent()))
                document->removeRegion(region, false);
            region->setParent(nullptr);
            forgetDescendants(items, regionItem);
        }
        delete regionItem;
        delete region;
    }
}
