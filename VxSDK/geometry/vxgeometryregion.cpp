#include "vxgeometryregion.h"

#include "vxfacetmesh.h"
#include "vxshape.h"

#include <algorithm>

VxGeometryRegion::VxGeometryRegion(const QString& name, QObject* parent) : VxElement(parent)
{
    setName(name);
}

VxGeometryRegion::~VxGeometryRegion()
{
    const QList<VxGeometryRegion*> children = m_children;
    m_children.clear();
    for (VxGeometryRegion* child : children) {
        child->m_parent = nullptr;
        delete child;
    }
    if (m_parent) {
        m_parent->m_children.removeOne(this);
        m_parent->notifyHierarchyChanged();
    }
}

VxGeometryRegion* VxGeometryRegion::getRootRegion() const
{
    const VxGeometryRegion* r = this;
    while (r->m_parent)
        r = r->m_parent;
    return const_cast<VxGeometryRegion*>(r);
}

VxShape* VxGeometryRegion::getShape() const
{
    return qobject_cast<VxShape*>(getRootRegion()->getElementParent());
}

bool VxGeometryRegion::isAncestorOf(const VxGeometryRegion* region) const
{
    for (const VxGeometryRegion* p = region ? region->m_parent : nullptr; p; p = p->m_parent) {
        if (p == this)
            return true;
    }
    return false;
}

bool VxGeometryRegion::addChildRegion(VxGeometryRegion* child)
{
    if (!child || child == this || child->isAncestorOf(this))
        return false;
    if (child->m_parent == this)
        return true;
    if (VxShape* shape = qobject_cast<VxShape*>(child->getElementParent())) {
        // A root taken from a shape leaves that shape without regions.
        if (shape->getGeometryRegion() == child) {
            child->setElementParent(nullptr);
            shape->setGeometryRegion(nullptr);
        }
    }
    if (child->m_parent)
        child->m_parent->removeChildRegion(child);
    child->m_parent = this;
    child->setElementParent(this);
    m_children.append(child);
    notifyHierarchyChanged();
    return true;
}

bool VxGeometryRegion::removeChildRegion(VxGeometryRegion* child)
{
    if (!child || child->m_parent != this)
        return false;
    m_children.removeOne(child);
    child->m_parent = nullptr;
    child->setElementParent(nullptr);
    notifyHierarchyChanged();
    return true;
}

bool VxGeometryRegion::changeChildIndex(VxGeometryRegion* child, int index)
{
    const int from = m_children.indexOf(child);
    if (from < 0)
        return false;
    const int to = qBound(0, index, m_children.size() - 1);
    if (to == from)
        return true;
    m_children.move(from, to);
    notifyHierarchyChanged();
    return true;
}

VxGeometryRegion* VxGeometryRegion::findRegion(const QString& name) const
{
    if (getName() == name)
        return const_cast<VxGeometryRegion*>(this);
    for (VxGeometryRegion* child : m_children) {
        if (VxGeometryRegion* found = child->findRegion(name))
            return found;
    }
    return nullptr;
}

VxGeometryRegion* VxGeometryRegion::findRegionByLabel(const QString& label, bool recursive) const
{
    if (recursive && getLabel() == label)
        return const_cast<VxGeometryRegion*>(this);
    for (VxGeometryRegion* child : m_children) {
        if (recursive) {
            if (VxGeometryRegion* found = child->findRegionByLabel(label, true))
                return found;
        } else if (child->getLabel() == label) {
            return child;
        }
    }
    return nullptr;
}

void VxGeometryRegion::setRegionFacetIndices(std::vector<int> facets)
{
    m_facets = std::move(facets);
    emit regionChanged();
}

void VxGeometryRegion::moveRegionIndexes(const VxFacetMesh* oldMesh, const VxFacetMesh* newMesh)
{
    Q_UNUSED(oldMesh);
    const int facetCount = newMesh ? newMesh->getNumFacets() : 0;
    const size_t before = m_facets.size();
    m_facets.erase(std::remove_if(m_facets.begin(), m_facets.end(),
                                  [facetCount](int f) { return f < 0 || f >= facetCount; }),
                   m_facets.end());
    if (m_facets.size() != before)
        emit regionChanged();
    for (VxGeometryRegion* child : m_children)
        child->moveRegionIndexes(oldMesh, newMesh);
}

void VxGeometryRegion::setDisplayCards(bool onOff)
{
    if (m_displayCards == onOff)
        return;
    m_displayCards = onOff;
    emit regionChanged();
}

void VxGeometryRegion::notifyHierarchyChanged()
{
    emit getRootRegion()->heirarchyChanged();
}
