#include "vxhierarchydrophandler.h"

#include "vxfsitemdrag.h"
#include "vxgeometrygrouplistitem.h"
#include "vxgeometrylistitem.h"
#include "vxhierarchyaltgeomitem.h"
#include "vxhierarchyaltgeomlistitem.h"
#include "vxhierarchybasegeomitem.h"
#include "vxhierarchyboneitem.h"
#include "vxhierarchybonecontaineritem.h"
#include "vxhierarchyeditorview.h"
#include "vxhierarchygeomcontaineritem.h"
#include "vxhierarchygeomitem.h"
#include "vxhierarchyitem.h"
#include "vxhierarchyregionitem.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxfacetshape.h"

#include <QMimeData>

namespace {

const QString kFigure = QStringLiteral("Figure");

bool provides(const QMimeData* source, const char* type)
{
    return source && source->hasFormat(QString::fromLatin1(type));
}

// Whether `item` is `ancestor` or lies below it.
bool isWithin(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor)
{
    for (; item; item = item->parent()) {
        if (item == ancestor)
            return true;
    }
    return false;
}

// The bone item a geometry drop on `item` is meant for: the item itself, or the bone item
// above a geometry item, "Geometry" container, "Alternate(s)" item or alternate item.
VxHierarchyBoneItem* boneItemFor(QTreeWidgetItem* item)
{
    while (item && item->type() != VxHierarchyBoneItem::Type) {
        switch (item->type()) {
        case VxHierarchyGeomItem::Type:
        case VxHierarchyGeomContainerItem::Type:
        case VxHierarchyAltGeomListItem::Type:
        case VxHierarchyAltGeomItem::Type:
            item = item->parent();
            break;
        default:
            return nullptr;
        }
    }
    return static_cast<VxHierarchyBoneItem*>(item);
}

// Moves `item` to the end of `target`'s children, open as it was.
void moveItemUnder(QTreeWidgetItem* item, QTreeWidgetItem* target)
{
    const QList<QTreeWidgetItem*> open = VxHierarchyTreeItem::openItems(item);
    if (QTreeWidgetItem* parent = item->parent())
        parent->takeChild(parent->indexOfChild(item));
    target->addChild(item);
    VxHierarchyTreeItem::reopen(open);
}

} // namespace

bool VxHierarchyDropHandler::providesAnyFormat(const QMimeData* source)
{
    return provides(source, VxHierarchyBoneDrag::kMimeType) || provides(source, VxGeometryGroupItemDrag::kMimeType)
           || provides(source, VxGeometryItemDrag::kMimeType) || provides(source, VxHierarchyRegionDrag::kMimeType);
}

bool VxHierarchyDropHandler::acceptsDrop(QTreeWidgetItem* item, const QMimeData* source)
{
    if (!item)
        return false;
    if (provides(source, VxHierarchyBoneDrag::kMimeType))
        return acceptsBone(item, source);
    if (provides(source, VxGeometryGroupItemDrag::kMimeType))
        return acceptsGeometryGroup(item, source);
    if (provides(source, VxGeometryItemDrag::kMimeType))
        return acceptsGeometry(item, source);
    if (provides(source, VxHierarchyRegionDrag::kMimeType))
        return acceptsRegion(item, source);
    return false;
}

bool VxHierarchyDropHandler::acceptsBone(QTreeWidgetItem* item, const QMimeData* source)
{
    VxHierarchyBoneItem* dragged = VxHierarchyBoneDrag::decodeHierarchyBoneItem(source);
    m_view->makeCurrent(item);
    if (item->type() != VxHierarchyBoneItem::Type && item->type() != VxHierarchyBoneContainerItem::Type)
        return false;
    // A bone cannot become a child of itself or of anything below it.
    return dragged && !isWithin(item, dragged);
}

bool VxHierarchyDropHandler::acceptsGeometryGroup(QTreeWidgetItem* item, const QMimeData* source)
{
    const VxGeometryGroupListItem* dragged = VxGeometryGroupItemDrag::decodeGeometryGroupItem(source);
    const VxFSGeomGroup* group = dragged ? dragged->group() : nullptr;
    if (!group)
        return false;
    const VxFSHierarchy* document = m_view->getHierarchy();
    if (document && document->getBaseGeometry() && group->getGeomItem() != document->getBaseGeometry())
        return false;
    m_view->makeCurrent(item);
    const int type = item->type();
    return type == VxHierarchyBoneItem::Type || type == VxHierarchyGeomItem::Type
           || type == VxHierarchyGeomContainerItem::Type;
}

bool VxHierarchyDropHandler::acceptsGeometry(QTreeWidgetItem* item, const QMimeData* source)
{
    const VxGeometryListItem* dragged = VxGeometryItemDrag::decodeGeometryItem(source);
    m_view->makeCurrent(item);
    if (!dragged || !dragged->geometry())
        return false;
    const int type = item->type();
    if (type == VxHierarchyBaseGeomItem::Type || type == VxHierarchyItem::Type)
        return true;
    // Only parametric figures have alternate geometries.
    const VxFSHierarchy* document = m_view->getHierarchy();
    if (!document || document->getFigureType() != Poser)
        return false;
    return type == VxHierarchyBoneItem::Type || type == VxHierarchyGeomContainerItem::Type
           || type == VxHierarchyAltGeomListItem::Type || type == VxHierarchyAltGeomItem::Type;
}

bool VxHierarchyDropHandler::acceptsRegion(QTreeWidgetItem* item, const QMimeData* source)
{
    VxHierarchyRegionItem* dragged = VxHierarchyRegionDrag::decodeHierarchyRegionItem(source);
    m_view->makeCurrent(item);
    return dragged && item->type() == VxHierarchyRegionItem::Type && !isWithin(item, dragged);
}

bool VxHierarchyDropHandler::drop(QTreeWidgetItem* item, const QMimeData* source)
{
    // The drop is checked again: nothing guarantees it comes after an accepted move.
    if (!m_view->acceptsDrop(item, source))
        return false;
    if (provides(source, VxHierarchyBoneDrag::kMimeType))
        return dropBone(item, source);
    if (provides(source, VxGeometryGroupItemDrag::kMimeType))
        return dropGeometryGroup(item, source);
    if (provides(source, VxGeometryItemDrag::kMimeType))
        return dropGeometry(item, source);
    if (provides(source, VxHierarchyRegionDrag::kMimeType))
        return dropRegion(item, source);
    return false;
}

bool VxHierarchyDropHandler::dropBone(QTreeWidgetItem* item, const QMimeData* source)
{
    VxHierarchyBoneItem* dragged = VxHierarchyBoneDrag::decodeHierarchyBoneItem(source);
    VxFSHierarchyItem* bone = dragged ? dragged->getBone() : nullptr;
    VxFSHierarchy* document = m_view->getHierarchy();
    auto* targetItem = vxHierarchyItemCast<VxHierarchyBoneItem>(item);
    VxFSHierarchyItem* targetBone = targetItem ? targetItem->getBone() : nullptr;
    if (!bone || !document || (targetItem && !targetBone))
        return false;
    dragged->setSelected(false);

    QObject* owner = bone->parent();
    auto* formerParent = qobject_cast<VxFSHierarchyItem*>(owner);
    if (formerParent || owner == document) {
        if (formerParent)
            formerParent->removeChild(bone, false);
        else
            document->removeBone(bone, false);
        bone->setParent(nullptr);
        // The new QObject parent comes before the link, so the document knows at once where
        // the bone's names are.
        if (targetBone) {
            bone->setParent(targetBone);
            targetBone->addChild(bone);
        } else {
            bone->setParent(document);
            document->addBone(bone);
        }
        moveItemUnder(dragged, item);
        item->setExpanded(true);
    }
    // Only the moved bone's items can show anything new.
    if (VxHierarchyItem* root = m_view->getRootItem())
        root->refresh(false);
    dragged->refresh(false);
    dragged->setSelected(true);
    return true;
}

bool VxHierarchyDropHandler::dropGeometryGroup(QTreeWidgetItem* item, const QMimeData* source)
{
    VxGeometryGroupListItem* dragged = VxGeometryGroupItemDrag::decodeGeometryGroupItem(source);
    VxFSGeomGroup* group = dragged ? dragged->group() : nullptr;
    VxHierarchyBoneItem* boneItem = boneItemFor(item);
    if (!group || !boneItem || !boneItem->getBone())
        return false;
    item->setSelected(false);
    dragged->setSelected(false);
    boneItem->getBone()->setGeomGroup(group);
    boneItem->refresh(true);
    return true;
}

bool VxHierarchyDropHandler::dropGeometry(QTreeWidgetItem* item, const QMimeData* source)
{
    VxGeometryListItem* dragged = VxGeometryItemDrag::decodeGeometryItem(source);
    VxFSGeomItem* geometry = dragged ? dragged->geometry() : nullptr;
    VxFSHierarchy* document = m_view->getHierarchy();
    if (!geometry || !document)
        return false;
    if (item->type() == VxHierarchyItem::Type || item->type() == VxHierarchyBaseGeomItem::Type)
        return dropGeometryOnDocument(document, geometry);

    VxHierarchyBoneItem* boneItem = boneItemFor(item);
    if (!boneItem || !boneItem->getBone())
        return false;
    dragged->setSelected(false);
    // A geometry already among the bone's alternates stays there once.
    boneItem->getBone()->addAltGeometry(geometry);
    boneItem->refresh(true);
    return true;
}

bool VxHierarchyDropHandler::dropGeometryOnDocument(VxFSHierarchy* document, VxFSGeomItem* geometry)
{
    if (document->getNumBones(false) == 0) {
        // An empty document starts over from the geometry: one root bone per face group.
        document->fromGeometry(geometry);
        m_view->fromHierarchy(document);
        return true;
    }
    document->setBaseGeometry(geometry);
    const QString shapeName = geometry->getShape() ? geometry->getShape()->getName() : QString();
    if (document->getName() == kFigure)
        document->setName(shapeName);
    if (document->getLabel() == kFigure)
        document->setLabel(shapeName);
    // Bones keep their groups by name in the new geometry.
    for (int i = 0; i < geometry->getNumGroups(); ++i) {
        VxFSGeomGroup* group = geometry->getGroup(i);
        if (VxFSHierarchyItem* bone = document->findBone(group->getName()))
            bone->setGeomGroup(group);
    }
    document->validateGeometryAssignments();
    if (VxHierarchyItem* root = m_view->getRootItem())
        root->refresh(true);
    return true;
}

bool VxHierarchyDropHandler::dropRegion(QTreeWidgetItem* item, const QMimeData* source)
{
    VxHierarchyRegionItem* dragged = VxHierarchyRegionDrag::decodeHierarchyRegionItem(source);
    auto* target = vxHierarchyItemCast<VxHierarchyRegionItem>(item);
    VxFSRegionItem* region = dragged ? dragged->getRegion() : nullptr;
    if (!region || !target || !target->getRegion())
        return false;
    dragged->setSelected(false);
    // The root region has no parent region; it holds every other region and stays put.
    if (auto* formerParent = qobject_cast<VxFSRegionItem*>(region->parent())) {
        formerParent->removeChild(region, false);
        region->setParent(target->getRegion());
        target->getRegion()->addChild(region);
        moveItemUnder(dragged, item);
        item->setExpanded(true);
    }
    dragged->refresh();
    dragged->setSelected(true);
    return true;
}
