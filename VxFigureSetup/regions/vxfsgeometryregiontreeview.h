#pragma once

#include "vxgeneralhierarchyitem.h"
#include "vxgeneralhierarchytreeview.h"

#include <QList>
#include <QPointer>

class VxFSGeometryRegionModel;
class VxGeometryRegion;
class VxShape;

// The region editor's tree of a shape's regions, with the "Card" check boxes in front. Its
// context menu creates regions, groups the selected ones under a new region, moves them up
// to the root and deletes empty ones; the changes go straight to the host's regions.
class VxFSGeometryRegionTreeView : public VxGeneralHierarchyTreeView
{
    Q_OBJECT
public:
    VxFSGeometryRegionTreeView(QWidget* parent, VxShape* shape);
    ~VxFSGeometryRegionTreeView() override;

    VxFSGeometryRegionModel* getRegionModel() const { return m_model; }
    VxShape* getShape() const;

public slots:
    // Shows `region` and its subtree as a new top-level row, expanded.
    void addRegion(VxGeometryRegion* region);
    void clearGroups();
    VxGeometryRegion* getRegionForIndex(const QModelIndex& index) const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The regions of the selected rows, each once, in the order they were selected.
    QList<VxGeometryRegion*> getSelectedRegions() const;
    void createRegion();
    void groupRegions(const QList<VxGeometryRegion*>& regions);
    static void unparentRegions(const QList<VxGeometryRegion*>& regions);
    static void deleteRegions(const QList<VxGeometryRegion*>& regions);

    VxFSGeometryRegionModel* m_model;
    QPointer<VxShape> m_shape;
    // The rows this view added; the view keeps them alive besides the model.
    QList<VxGeneralHierarchyItemRef> m_topLevelItems;
};
