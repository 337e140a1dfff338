#include "vxfshierarchyitem.h"

#include "vxfsforest.h"
#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfsuniquename.h"

#include "vxbone.h"
#include "vxlegacyfigure.h"
#include "vxskeleton.h"
#include "vxweld.h"

#include <QChildEvent>

VxFSHierarchyItem::VxFSHierarchyItem(QObject* parent)
    : QObject(parent),
      m_axis1Label(QStringLiteral("Twist")),
      m_axis2Label(QStringLiteral("Side-Side")),
      m_axis3Label(QStringLiteral("Bend"))
{
}

VxFSHierarchyItem::VxFSHierarchyItem(VxFSHierarchyItem* parent, const QString& name)
    : VxFSHierarchyItem(static_cast<QObject*>(parent))
{
    // Named before it is linked, so that the new bone never collides with itself.
    setName(name);
    m_label = m_name;
    linkUnder(parent);
}

VxFSHierarchyItem::VxFSHierarchyItem(VxFSHierarchy* document, const QString& name)
    : VxFSHierarchyItem(static_cast<QObject*>(document))
{
    setName(name);
    m_label = m_name;
    linkUnder(document);
}

VxFSHierarchyItem::~VxFSHierarchyItem()
{
    // Owners unlink a bone before deleting it; one deleted while still linked takes itself
    // out so that no list keeps a dead bone.
    VxFSForest::unlinkSelf(this);

    for (VxFSGeomItem* item : qAsConst(m_altGeometries))
        item->releaseAssignment();
    m_altGeometries.clear();
    m_weldTargets.clear();

    VxFSForest::deleteAll(m_firstChild);

    if (m_geomGroup) {
        m_geomGroup->releaseAssignment();
        m_geomGroup = nullptr;
    }
    m_parentNode = nullptr;
    emit aboutToDestroy(this);
}

void VxFSHierarchyItem::linkUnder(VxFSHierarchyItem* parent)
{
    if (parent)
        parent->addChild(this);
}

void VxFSHierarchyItem::linkUnder(VxFSHierarchy* document)
{
    if (document)
        document->addBone(this);
}

VxFSHierarchy* VxFSHierarchyItem::getHierarchy() const
{
    for (QObject* object = parent(); object; object = object->parent()) {
        if (auto* document = qobject_cast<VxFSHierarchy*>(object))
            return document;
    }
    return nullptr;
}

VxFigureSetupFigureType VxFSHierarchyItem::getFigureType() const
{
    const VxFSHierarchy* document = getHierarchy();
    return document ? document->getFigureType() : SingleSkin;
}

void VxFSHierarchyItem::setName(const QString& name)
{
    if (name == m_name)
        return;
    VxFSHierarchy* document = getHierarchy();
    // The whole document is searched, this bone under its current name included.
    if (document && document->findBone(name)) {
        m_name = VxFSUniqueName::resolveClash(
            name, [document] { return document->getBoneNames(); }, QStringLiteral("Invalid Bone Name"),
            QStringLiteral("Bone names must be unique, appending a value to make the name unique."));
    } else {
        m_name = name;
    }
    if (document)
        document->noteBoneName(m_name, this);
    if (m_labelFollowsName) {
        m_label = m_name;
        m_labelFollowsName = false;
    }
    emit nameChanged();
}

void VxFSHierarchyItem::childEvent(QChildEvent* event)
{
    if (event->added()) {
        auto* bone = qobject_cast<VxFSHierarchyItem*>(event->child());
        VxFSHierarchy* document = bone ? getHierarchy() : nullptr;
        if (document)
            document->noteBoneNames(bone);
    }
    QObject::childEvent(event);
}

void VxFSHierarchyItem::setRotationOrder(VxRotationOrder order)
{
    if (order == m_rotationOrder)
        return;
    m_rotationOrder = order;
    emit rotOrderChanged();
}

void VxFSHierarchyItem::setCurve(bool onOff)
{
    m_curve = onOff;
    emit rotOrderChanged();
}

void VxFSHierarchyItem::addChild(VxFSHierarchyItem* child)
{
    // A bone lives in one list at a time, and never below itself: either would make the
    // forest cyclic.
    if (!child || VxFSForest::holds(child, this))
        return;
    VxFSForest::unlinkSelf(child);
    VxFSForest::append(m_firstChild, child);
    if (VxFSHierarchy* document = getHierarchy())
        document->noteLinkedBones(child);
}

bool VxFSHierarchyItem::removeChild(VxFSHierarchyItem* child, bool recursive)
{
    return VxFSForest::unlink(m_firstChild, child, recursive);
}

VxFSHierarchyItem* VxFSHierarchyItem::findChild(const QString& name) const
{
    return VxFSForest::find(m_firstChild, [&name](const VxFSHierarchyItem* bone) { return bone->m_name == name; });
}

VxFSHierarchyItem* VxFSHierarchyItem::findBySourceBoneName(const QString& name)
{
    if (m_sourceBoneName == name)
        return this;
    return VxFSForest::find(m_firstChild,
                            [&name](const VxFSHierarchyItem* bone) { return bone->m_sourceBoneName == name; });
}

int VxFSHierarchyItem::getNumChildren(bool recursive) const
{
    return VxFSForest::count(m_firstChild, recursive);
}

QList<VxFSHierarchyItem*> VxFSHierarchyItem::getAllDescendants() const
{
    QList<VxFSHierarchyItem*> result;
    VxFSForest::collect(m_firstChild, result);
    return result;
}

VxNode* VxFSHierarchyItem::getParentNode() const
{
    return m_parentNode;
}

VxBone* VxFSHierarchyItem::getMappedBone() const
{
    return m_mappedBone;
}

void VxFSHierarchyItem::setParentNode(VxNode* node)
{
    m_parentNode = node;
}

void VxFSHierarchyItem::mapToSkeleton(VxSkeleton* skeleton)
{
    if (!skeleton)
        return;
    m_mappedBone = skeleton->findBone(m_sourceBoneName);
    // A bone the figure no longer has keeps the parent node it was last mapped with.
    if (m_mappedBone)
        m_parentNode = m_mappedBone->getNodeParent();
    for (VxFSHierarchyItem* child = m_firstChild; child; child = child->m_nextSibling)
        child->mapToSkeleton(skeleton);
}

void VxFSHierarchyItem::clearParentNodeReferences(VxNode* node)
{
    for (VxFSHierarchyItem* child = m_firstChild; child; child = child->m_nextSibling) {
        if (child->m_parentNode == node) {
            child->m_parentNode = nullptr;
            child->clearParentNodeReferences(node);
        }
    }
}

void VxFSHierarchyItem::applyWelds(VxLegacyFigure* figure) const
{
    if (!figure)
        return;
    for (const VxFSHierarchyItem* target : m_weldTargets) {
        if (!target)
            continue;
        VxBone* targetBone = figure->findBone(target->getName());
        VxBone* weldBone = figure->findBone(m_name);
        if (targetBone && weldBone)
            figure->addWeld(new VxWeld(weldBone, targetBone));
    }
    for (const VxFSHierarchyItem* child = m_firstChild; child; child = child->m_nextSibling)
        child->applyWelds(figure);
}

void VxFSHierarchyItem::setGeomGroup(VxFSGeomGroup* group)
{
    if (group == m_geomGroup)
        return;
    if (group) {
        VxFSHierarchy* document = getHierarchy();
        // A single skin is cut from one mesh: only groups of the base geometry are taken,
        // and the first group assigned on a document without one chooses it.
        if (document && document->getFigureType() != Poser) {
            if (!document->getBaseGeometry())
                document->setBaseGeometry(group->getGeomItem());
            else if (group->getGeomItem() != document->getBaseGeometry())
                return;
        }
    }
    if (m_geomGroup) {
        disconnect(m_geomGroup, &QObject::destroyed, this, &VxFSHierarchyItem::geomGroupDestroyed);
        m_geomGroup->releaseAssignment();
    }
    m_geomGroup = group;
    if (group) {
        group->addAssignment();
        connect(group, &QObject::destroyed, this, &VxFSHierarchyItem::geomGroupDestroyed);
    }
    emit geometryChanged();
}

void VxFSHierarchyItem::geomGroupDestroyed()
{
    // Called by the dying group or directly: either way the group goes without a release,
    // since a dying group gives back its own count on its geometry item.
    if (m_geomGroup)
        disconnect(m_geomGroup, &QObject::destroyed, this, &VxFSHierarchyItem::geomGroupDestroyed);
    m_geomGroup = nullptr;
    emit geometryChanged();
}

bool VxFSHierarchyItem::addAltGeometry(VxFSGeomItem* item)
{
    if (!item || m_altGeometries.contains(item))
        return false;
    item->addAssignment();
    connect(item, &VxFSGeomItem::aboutToDelete, this, &VxFSHierarchyItem::altGeomDestroyed);
    m_altGeometries.append(item);
    emit altGeometryChanged();
    return true;
}

void VxFSHierarchyItem::removeAltGeometry(VxFSGeomItem* item)
{
    if (!item)
        return;
    disconnect(item, &VxFSGeomItem::aboutToDelete, this, &VxFSHierarchyItem::altGeomDestroyed);
    // Only an item this bone holds gives back an assignment: the count is shared with the
    // base-geometry slot and other bones.
    if (m_altGeometries.removeAll(item) > 0)
        item->releaseAssignment();
    emit altGeometryChanged();
}

void VxFSHierarchyItem::clearAltGeometries()
{
    for (VxFSGeomItem* item : qAsConst(m_altGeometries)) {
        item->releaseAssignment();
        disconnect(item, &VxFSGeomItem::aboutToDelete, this, &VxFSHierarchyItem::altGeomDestroyed);
    }
    m_altGeometries.clear();
    emit altGeometryChanged();
}

void VxFSHierarchyItem::altGeomDestroyed(VxFSGeomItem* geom)
{
    disconnect(geom, &VxFSGeomItem::aboutToDelete, this, &VxFSHierarchyItem::altGeomDestroyed);
    m_altGeometries.removeAll(geom);
    emit altGeometryChanged();
}

void VxFSHierarchyItem::connectWeldTarget(VxFSHierarchyItem* target)
{
    connect(target, &VxFSHierarchyItem::aboutToDestroy, this, &VxFSHierarchyItem::weldDestroyed);
}

void VxFSHierarchyItem::disconnectWeldTarget(VxFSHierarchyItem* target)
{
    disconnect(target, &VxFSHierarchyItem::aboutToDestroy, this, &VxFSHierarchyItem::weldDestroyed);
}

void VxFSHierarchyItem::setWeldTarget(VxFSHierarchyItem* target)
{
    for (VxFSHierarchyItem* current : qAsConst(m_weldTargets))
        disconnectWeldTarget(current);
    m_weldTargets.clear();
    if (target) {
        m_weldTargets.append(target);
        connectWeldTarget(target);
    }
    emit weldItemChanged();
}

void VxFSHierarchyItem::addWeldTarget(VxFSHierarchyItem* target)
{
    if (target && m_weldTargets.contains(target))
        return;
    if (target) {
        m_weldTargets.append(target);
        connectWeldTarget(target);
    }
    emit weldItemChanged();
}

void VxFSHierarchyItem::removeWeldTarget(VxFSHierarchyItem* target)
{
    if (!target)
        return;
    disconnectWeldTarget(target);
    m_weldTargets.removeAll(target);
    emit weldItemChanged();
}

void VxFSHierarchyItem::weldDestroyed(VxFSHierarchyItem* weld)
{
    m_weldTargets.removeAll(weld);
    emit weldItemChanged();
}
