#pragma once

#include "vxhierarchytreeitem.h"

#include "vxfsregionitem.h"

#include <QObject>
#include <QPointer>

#include <memory>

class VxHierarchyRegionItem;

// Shows a region's new name on its item.
class VxHierarchyRegionItemObject : public QObject
{
    Q_OBJECT
public:
    explicit VxHierarchyRegionItemObject(VxHierarchyRegionItem* item) : m_item(item) {}

public slots:
    void nameChanged();

private:
    VxHierarchyRegionItem* m_item;
};

// One region: its name in column 0 (renamable), its child regions below. Regions are
// dragged onto each other to re-parent them.
class VxHierarchyRegionItem : public VxHierarchyTreeItem
{
public:
    enum { Type = 4136 };

    // Placed under `parent` after `after`, or at the head of its children without one.
    VxHierarchyRegionItem(VxFSRegionItem* region, QTreeWidgetItem* parent, QTreeWidgetItem* after = nullptr);
    ~VxHierarchyRegionItem() override;

    VxFSRegionItem* getRegion() const { return m_region; }
    // Attaches `region` and makes the items of its child regions again, recursively.
    void setRegion(VxFSRegionItem* region);
    void refresh();

    // Opens or closes this item and its child region items, recursively.
    void setOpen(bool open);

private:
    QPointer<VxFSRegionItem> m_region;
    std::unique_ptr<VxHierarchyRegionItemObject> m_proxy;
};
