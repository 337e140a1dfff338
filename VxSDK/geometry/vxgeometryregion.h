#pragma once

#include "vxelement.h"

#include <QList>
#include <QListIterator>

#include <vector>

class VxFacetMesh;
class VxShape;

// A named region of a shape's surface: a set of facet indices and child regions, forming a
// tree whose root hangs on the shape. A region owns its children. Every structural change
// (a child added, removed or moved, anywhere in the tree) is announced by the root's
// heirarchyChanged().
class VXSDK_EXPORT VxGeometryRegion : public VxElement
{
    Q_OBJECT
public:
    explicit VxGeometryRegion(const QString& name = QString(), QObject* parent = nullptr);
    ~VxGeometryRegion() override;

    VxGeometryRegion* getGeometryRegionParent() const { return m_parent; }
    VxGeometryRegion* getRootRegion() const;
    // The shape the tree hangs on, or null.
    VxShape* getShape() const;

    int numGeometryRegionChildren() const { return m_children.size(); }
    VxGeometryRegion* getGeometryRegionChild(int index) const { return m_children.value(index); }
    QListIterator<VxGeometryRegion*> geometryRegionChildItr() const
    {
        return QListIterator<VxGeometryRegion*>(m_children);
    }
    // Appends `child`, taking it from its current parent. Refuses null, itself and its own
    // ancestors.
    bool addChildRegion(VxGeometryRegion* child);
    // Detaches `child` without deleting it; the caller owns it then.
    bool removeChildRegion(VxGeometryRegion* child);
    int getChildIndex(const VxGeometryRegion* child) const { return m_children.indexOf(const_cast<VxGeometryRegion*>(child)); }
    // Moves a child to `index` (clamped to the child range).
    bool changeChildIndex(VxGeometryRegion* child, int index);
    bool isAncestorOf(const VxGeometryRegion* region) const;

    // Search this region and its subtree, this region first, children in order.
    VxGeometryRegion* findRegion(const QString& name) const;
    // With `recursive` false only this region's direct children are searched.
    VxGeometryRegion* findRegionByLabel(const QString& label, bool recursive) const;

    int getNumRegionFacetIndices() const { return int(m_facets.size()); }
    const std::vector<int>& getRegionFacetIndices() const { return m_facets; }
    void setRegionFacetIndices(std::vector<int> facets);
    // Keeps the facet indices that are valid in `newMesh` after its facets replaced those of
    // `oldMesh` one for one; indices past the new facet count are dropped. Recurses.
    void moveRegionIndexes(const VxFacetMesh* oldMesh, const VxFacetMesh* newMesh);

    bool getDisplaysCards() const { return m_displayCards; }
    void setDisplayCards(bool onOff);

signals:
    void heirarchyChanged();
    void regionChanged();

private:
    void notifyHierarchyChanged();

    VxGeometryRegion* m_parent = nullptr;
    QList<VxGeometryRegion*> m_children;
    std::vector<int> m_facets;
    bool m_displayCards = true;
};
