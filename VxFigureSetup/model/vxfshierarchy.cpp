#include "vxfshierarchy.h"

#include "vxfsforest.h"
#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxapp.h"
#include "vxassetmgr.h"
#include "vxfacetshape.h"
#include "vxgeometryregion.h"

#include <QChildEvent>

#include <algorithm>

VxFSHierarchy::VxFSHierarchy(const QString& name)
    : m_name(name.isEmpty() ? QStringLiteral("Figure") : name)
{
    vxRegisterFigureSetupFigureType();
    m_label = m_name;
    const VxAssetMgr* assets = vxApp ? vxApp->getAssetMgr() : nullptr;
    if (assets)
        m_contentType = assets->getTypes().value(0);
}

VxFSHierarchy::~VxFSHierarchy()
{
    clear(true);
    // Taken out of the list first, so that no item's death walks the remaining ones.
    QList<VxFSGeomItem*> geometries;
    geometries.swap(m_geometries);
    while (!geometries.isEmpty())
        delete geometries.takeLast();
}

void VxFSHierarchy::setName(const QString& name)
{
    m_name = name;
    emit nameChanged();
}

bool VxFSHierarchy::setFigureType(VxFigureSetupFigureType type)
{
    m_figureType = type;
    validateGeometryAssignments();
    emit figureTypeChanged(type);
    return true;
}

VxFSGeomItem* VxFSHierarchy::findGeometry(const QString& path) const
{
    for (VxFSGeomItem* item : m_geometries) {
        if (item->getPath() == path)
            return item;
    }
    return nullptr;
}

VxFSGeomItem* VxFSHierarchy::findGeometryByName(const QString& shortName) const
{
    for (VxFSGeomItem* item : m_geometries) {
        if (item->getShortName() == shortName)
            return item;
    }
    return nullptr;
}

VxFSGeomItem* VxFSHierarchy::addGeometry(const QString& path, bool* alreadyLoaded, VxShape* materialSource)
{
    if (VxFSGeomItem* found = findGeometry(path)) {
        if (alreadyLoaded)
            *alreadyLoaded = true;
        if (materialSource)
            found->transferMaterials(materialSource);
        return found;
    }
    if (alreadyLoaded)
        *alreadyLoaded = false;
    auto* item = new VxFSGeomItem(path, m_geometries.size(), materialSource);
    if (!item->isLoaded()) {
        delete item;
        return nullptr;
    }
    addGeometryItem(item);
    return item;
}

bool VxFSHierarchy::addGeometryItem(VxFSGeomItem* item)
{
    if (!item || m_geometries.contains(item) || findGeometry(item->getPath()))
        return false;
    // Copying a figure moves the loaded geometry into a new document; the old one must not
    // delete it later.
    if (item->m_document)
        item->m_document->takeGeometry(item);
    item->m_document = this;
    item->setIndex(m_geometries.size());
    m_geometries.append(item);
    // An item deleted by someone else must not stay in the list.
    connect(item, &QObject::destroyed, this, &VxFSHierarchy::geometryItemDestroyed);
    return true;
}

bool VxFSHierarchy::takeGeometry(VxFSGeomItem* item)
{
    if (!item || m_geometries.removeAll(item) == 0)
        return false;
    disconnect(item, &QObject::destroyed, this, &VxFSHierarchy::geometryItemDestroyed);
    item->m_document = nullptr;
    renumberGeometries();
    return true;
}

bool VxFSHierarchy::removeGeometry(VxFSGeomItem* item)
{
    if (!item || m_geometries.removeAll(item) == 0)
        return false;
    delete item;
    renumberGeometries();
    return true;
}

void VxFSHierarchy::geometryItemDestroyed(QObject* item)
{
    if (m_geometries.removeAll(static_cast<VxFSGeomItem*>(item)) > 0)
        renumberGeometries();
}

void VxFSHierarchy::renumberGeometries()
{
    for (int i = 0; i < m_geometries.size(); ++i)
        m_geometries[i]->setIndex(i);
}

void VxFSHierarchy::setBaseGeometry(VxFSGeomItem* item)
{
    if (item == m_baseGeometry)
        return;
    if (m_baseGeometry) {
        m_baseGeometry->releaseAssignment();
        disconnect(m_baseGeometry, &VxFSGeomItem::aboutToDelete, this, &VxFSHierarchy::geomDestroyed);
    }
    m_baseGeometry = item;
    if (item) {
        item->addAssignment();
        connect(item, &VxFSGeomItem::aboutToDelete, this, &VxFSHierarchy::geomDestroyed);
    }
    validateGeometryAssignments();
    emit geometryChanged();
}

void VxFSHierarchy::geomDestroyed()
{
    // clear() lets go of the base geometry without disconnecting it, so a former base
    // geometry may still call in: only the current one's death empties the slot.
    if (!m_baseGeometry || (sender() && sender() != m_baseGeometry))
        return;
    m_baseGeometry->releaseAssignment();
    disconnect(m_baseGeometry, &VxFSGeomItem::aboutToDelete, this, &VxFSHierarchy::geomDestroyed);
    m_baseGeometry = nullptr;
    validateGeometryAssignments();
    emit geometryChanged();
}

void VxFSHierarchy::addBone(VxFSHierarchyItem* bone)
{
    if (!bone)
        return;
    VxFSForest::unlinkSelf(bone);
    VxFSForest::append(m_firstBone, bone);
    // A bone made outside the document brings names the name table has not seen.
    noteLinkedBones(bone);
}

VxFSHierarchyItem* VxFSHierarchy::findBone(const QString& name) const
{
    // A bone that joined unnamed (read from an element) may still be nameless.
    if (!m_foreignBonesLinked && !name.isEmpty()) {
        const auto known = m_knownBones.constFind(name);
        if (known == m_knownBones.constEnd())
            return nullptr;
        // The table answers only when exactly one bone holds the name and it is provably
        // linked in; two holders (one unlinked, renamed, linked back) or one whose QObject
        // parents do not lead through its list leave the order to the forest.
        VxFSHierarchyItem* linked = nullptr;
        int holders = 0;
        for (const QPointer<VxFSHierarchyItem>& bone : known.value()) {
            if (!bone || bone->getName() != name)
                continue;
            ++holders;
            if (VxFSForest::linkedUnder<VxFSHierarchyItem>(bone, &m_firstBone))
                linked = bone;
        }
        if (holders == 0)
            return nullptr;
        if (holders == 1 && linked)
            return linked;
    }
    return VxFSForest::find(m_firstBone, [&name](const VxFSHierarchyItem* bone) { return bone->getName() == name; });
}

QSet<QString> VxFSHierarchy::getBoneNames() const
{
    QSet<QString> names;
    VxFSForest::collectNames(m_firstBone, names);
    return names;
}

void VxFSHierarchy::noteBoneName(const QString& name, VxFSHierarchyItem* bone)
{
    // Entries of bones that died or took another name since are dropped here, so that a
    // name's list holds no more than the bones that may still have it.
    QVector<QPointer<VxFSHierarchyItem>>& holders = m_knownBones[name];
    holders.erase(std::remove_if(holders.begin(), holders.end(),
                                 [&name, bone](const QPointer<VxFSHierarchyItem>& known) {
                                     return !known || known == bone || known->getName() != name;
                                 }),
                  holders.end());
    holders.append(bone);
}

void VxFSHierarchy::noteBoneNames(VxFSHierarchyItem* subtree)
{
    if (!subtree)
        return;
    noteBoneName(subtree->getName(), subtree);
    for (VxFSHierarchyItem* child = subtree->getFirstChild(); child; child = child->getNextSibling())
        noteBoneNames(child);
}

void VxFSHierarchy::noteLinkedBones(VxFSHierarchyItem* subtree)
{
    if (!subtree)
        return;
    if (subtree->getHierarchy() != this)
        m_foreignBonesLinked = true;
    noteBoneNames(subtree);
}

void VxFSHierarchy::childEvent(QChildEvent* event)
{
    // A bone under construction is not one yet: it notes its name when it gets it.
    if (event->added()) {
        if (auto* bone = qobject_cast<VxFSHierarchyItem*>(event->child()))
            noteBoneNames(bone);
    }
    QObject::childEvent(event);
}

int VxFSHierarchy::getNumBones(bool recursive) const
{
    return VxFSForest::count(m_firstBone, recursive);
}

QList<VxFSHierarchyItem*> VxFSHierarchy::getAllBones() const
{
    QList<VxFSHierarchyItem*> bones;
    VxFSForest::collect(m_firstBone, bones);
    return bones;
}

bool VxFSHierarchy::removeBone(VxFSHierarchyItem* bone, bool recursive)
{
    return VxFSForest::unlink(m_firstBone, bone, recursive);
}

VxFSHierarchyIKChain* VxFSHierarchy::createIKChain(const QString& name)
{
    auto* chain = new VxFSHierarchyIKChain(name);
    adoptIKChain(chain);
    return chain;
}

void VxFSHierarchy::adoptIKChain(VxFSHierarchyIKChain* chain)
{
    if (!chain || m_ikChains.contains(chain))
        return;
    m_ikChains.append(chain);
    connect(chain, &QObject::destroyed, this, &VxFSHierarchy::ikChainDestroyed);
}

void VxFSHierarchy::ikChainDestroyed(QObject* chain)
{
    m_ikChains.removeAll(static_cast<VxFSHierarchyIKChain*>(chain));
}

void VxFSHierarchy::removeIKChain(VxFSHierarchyIKChain* chain)
{
    m_ikChains.removeAll(chain);
    delete chain;
}

void VxFSHierarchy::moveIKChainToEnd(VxFSHierarchyIKChain* chain)
{
    if (!chain || !m_ikChains.contains(chain))
        return;
    m_ikChains.removeAll(chain);
    m_ikChains.append(chain);
}

void VxFSHierarchy::moveIKChainAfter(VxFSHierarchyIKChain* chain, VxFSHierarchyIKChain* anchor)
{
    // Only chains of this document move. A chain moved after itself is no longer in the
    // list once taken out, so it goes first like one moved after a stranger.
    if (!chain || !m_ikChains.contains(chain))
        return;
    m_ikChains.removeAll(chain);
    const int anchorIndex = anchor ? m_ikChains.indexOf(anchor) : -1;
    m_ikChains.insert(anchorIndex + 1, chain);
}

void VxFSHierarchy::addRegion(VxFSRegionItem* region)
{
    if (!region)
        return;
    VxFSForest::unlinkSelf(region);
    VxFSForest::append(m_firstRegion, region);
}

VxFSRegionItem* VxFSHierarchy::findRegion(const QString& name) const
{
    return VxFSForest::find(m_firstRegion, [&name](const VxFSRegionItem* region) { return region->getName() == name; });
}

QSet<QString> VxFSHierarchy::getRegionNames() const
{
    QSet<QString> names;
    VxFSForest::collectNames(m_firstRegion, names);
    return names;
}

bool VxFSHierarchy::removeRegion(VxFSRegionItem* region, bool recursive)
{
    return VxFSForest::unlink(m_firstRegion, region, recursive);
}

void VxFSHierarchy::buildRegions(const VxGeometryRegion* region, VxFSRegionItem* parent)
{
    if (!region)
        return;
    QListIterator<VxGeometryRegion*> children = region->geometryRegionChildItr();
    while (children.hasNext()) {
        const VxGeometryRegion* child = children.next();
        auto* item = parent ? new VxFSRegionItem(parent, child->getName())
                            : new VxFSRegionItem(this, child->getName());
        buildRegions(child, item);
    }
}

void VxFSHierarchy::clear(bool includeRegions)
{
    // No signal and no disconnect here: a later aboutToDelete from the item finds the slot
    // empty and does nothing.
    if (m_baseGeometry) {
        m_baseGeometry->releaseAssignment();
        m_baseGeometry = nullptr;
    }
    QList<VxFSHierarchyIKChain*> chains;
    chains.swap(m_ikChains);
    while (!chains.isEmpty())
        delete chains.takeLast();

    VxFSForest::deleteAll(m_firstBone);
    if (includeRegions)
        VxFSForest::deleteAll(m_firstRegion);
    // Forget the names of the bones gone; a bone kept out of the forest still counts.
    m_knownBones.clear();
    m_foreignBonesLinked = false;
    for (VxFSHierarchyItem* bone : findChildren<VxFSHierarchyItem*>())
        noteBoneName(bone->getName(), bone);

    m_name = QStringLiteral("Figure");
    m_label = m_name;
    m_sourceFigureName.clear();
    emit nameChanged();
}

void VxFSHierarchy::fromGeometry(VxFSGeomItem* item)
{
    if (!item)
        return;
    clear(false);
    const QString shapeName = item->getShape() ? item->getShape()->getName() : QString();
    setName(shapeName);
    m_label = shapeName;
    setBaseGeometry(item);
    for (int i = 0; i < item->getNumGroups(); ++i) {
        VxFSGeomGroup* group = item->getGroup(i);
        auto* bone = new VxFSHierarchyItem(this, group->getName());
        bone->setGeomGroup(group);
    }
}

void VxFSHierarchy::validateGeometryAssignments()
{
    for (VxFSHierarchyItem* bone : getAllBones()) {
        const VxFSGeomGroup* group = bone->getGeomGroup();
        if (group && group->getGeomItem() != m_baseGeometry)
            bone->setGeomGroup(nullptr);
    }
}
