#include "vxfsregionitem.h"

#include "vxfsforest.h"
#include "vxfshierarchy.h"
#include "vxfsuniquename.h"

VxFSRegionItem::VxFSRegionItem(VxFSHierarchy* document, const QString& name) : QObject(document)
{
    // Named before it is linked, so that the new region never collides with itself.
    setName(name);
    if (document)
        document->addRegion(this);
}

VxFSRegionItem::VxFSRegionItem(VxFSRegionItem* parent, const QString& name) : QObject(parent)
{
    setName(name);
    if (parent)
        parent->addChild(this);
}

VxFSRegionItem::~VxFSRegionItem()
{
    VxFSForest::unlinkSelf(this);
    VxFSForest::deleteAll(m_firstChild);
}

VxFSHierarchy* VxFSRegionItem::getHierarchy() const
{
    for (QObject* object = parent(); object; object = object->parent()) {
        if (auto* document = qobject_cast<VxFSHierarchy*>(object))
            return document;
    }
    return nullptr;
}

void VxFSRegionItem::setName(const QString& name)
{
    if (name == m_name)
        return;
    const VxFSHierarchy* document = getHierarchy();
    if (document && document->findRegion(name)) {
        m_name = VxFSUniqueName::resolveClash(
            name, [document] { return document->getRegionNames(); }, QStringLiteral("Invalid Region Name"),
            QStringLiteral("Region names must be unique, appending a value to make the name unique."));
    } else {
        m_name = name;
    }
    emit nameChanged();
}

void VxFSRegionItem::addChild(VxFSRegionItem* child)
{
    if (!child || VxFSForest::holds(child, this))
        return;
    VxFSForest::unlinkSelf(child);
    VxFSForest::append(m_firstChild, child);
}

bool VxFSRegionItem::removeChild(VxFSRegionItem* child, bool recursive)
{
    return VxFSForest::unlink(m_firstChild, child, recursive);
}

VxFSRegionItem* VxFSRegionItem::findChild(const QString& name) const
{
    return VxFSForest::find(m_firstChild, [&name](const VxFSRegionItem* region) { return region->m_name == name; });
}

int VxFSRegionItem::getNumChildren(bool recursive) const
{
    return VxFSForest::count(m_firstChild, recursive);
}
