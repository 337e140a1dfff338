#pragma once

#include "vxsdkglobal.h"

#include <QAbstractItemModel>
#include <QList>
#include <QStringList>

class VxGeneralHierarchyItem;

// An item model over trees of VxGeneralHierarchyItems. Each index points at its item, and
// data() and setData() ask the item, so a subclass answers only what differs by column or
// role and passes the rest to these fallbacks.
class VXSDK_EXPORT VxGeneralHierarchyModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit VxGeneralHierarchyModel(QObject* parent = nullptr);
    ~VxGeneralHierarchyModel() override;

    // The item at `index`; null for the invalid index (the empty area of a view).
    VxGeneralHierarchyItem* itemForIndex(const QModelIndex& index) const;
    QModelIndex indexForItem(const VxGeneralHierarchyItem* item, int column = 0) const;

    // Appends a built tree at the top level; the model takes a reference on its root.
    void addTopLevelItem(VxGeneralHierarchyItem* item);
    int getNumTopLevelItems() const { return m_topLevel.size(); }
    // Empties the model and drops its references.
    void clearTree();

    // One label per column; the number of labels is the number of columns (at least 1).
    void setHeaderLabels(const QStringList& labels);

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Applies the edit through the item and announces it with dataChanged().
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<VxGeneralHierarchyItem*> m_topLevel;
    QStringList m_headerLabels;
};
