#pragma once

#include "vxgeneralhierarchymodel.h"

#include <QList>

class VxGeometryRegion;

// The region editor's item model: column 0 "Region" (label and an icon telling whether the
// region owns facets), column 1 "Card" (whether the region displays cards). Renames, card
// switches and drops are applied to the host's regions at once; structural changes come
// back through the host's signals, which make the dialog rebuild the tree.
//
// Drops work in one of two modes. Reparent (the default) makes the dragged regions children
// of the region dropped on; reorder moves them beside it, each to the position the target
// had in its parent.
class VxFSGeometryRegionModel : public VxGeneralHierarchyModel
{
    Q_OBJECT
public:
    explicit VxFSGeometryRegionModel(QObject* parent = nullptr);
    ~VxFSGeometryRegionModel() override;

    bool isReorder() const { return m_reorder; }
    void setReorder(bool reorder) { m_reorder = reorder; }

    // The region of the row at `index`; null for the empty area or a region that is gone.
    VxGeometryRegion* regionForIndex(const QModelIndex& index) const;

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // The dragged regions that this model shows; an address from elsewhere (a stale or
    // forged payload) is dropped without being dereferenced.
    QList<VxGeometryRegion*> shownRegions(const QList<VxGeometryRegion*>& addresses) const;
    bool rename(VxGeometryRegion* region, const QString& label);
    static void moveInto(VxGeometryRegion* target, const QList<VxGeometryRegion*>& regions);
    static void moveBeside(VxGeometryRegion* target, const QList<VxGeometryRegion*>& regions);

    bool m_reorder = false;
};
