#pragma once

#include "vxsdkglobal.h"

#include <QList>
#include <QTreeView>

class VxGeneralHierarchyItem;
class VxGeneralHierarchyModel;

// A tree view over a VxGeneralHierarchyModel that answers in items rather than indexes.
class VXSDK_EXPORT VxGeneralHierarchyTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit VxGeneralHierarchyTreeView(QWidget* parent = nullptr);
    ~VxGeneralHierarchyTreeView() override;

    // The model set with setModel when it is a VxGeneralHierarchyModel, else null.
    VxGeneralHierarchyModel* getHierarchyModel() const;
    VxGeneralHierarchyItem* itemForIndex(const QModelIndex& index) const;
    // The items of the selected rows, each once, in the order they were selected.
    QList<VxGeneralHierarchyItem*> getSelectedItems() const;
};
