#include "vxhierarchyregionitem.h"

#include "vxfsregionitem.h"

void VxHierarchyRegionItemObject::nameChanged()
{
    m_item->refresh();
}

VxHierarchyRegionItem::VxHierarchyRegionItem(VxFSRegionItem* region, QTreeWidgetItem* parent, QTreeWidgetItem* after)
    : VxHierarchyTreeItem(Type), m_proxy(new VxHierarchyRegionItemObject(this))
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled
             | Qt::ItemIsDropEnabled);
    setStylePixmap(0x5d);
    m_region = region;
    if (region)
        QObject::connect(region, &VxFSRegionItem::nameChanged, m_proxy.get(), &VxHierarchyRegionItemObject::nameChanged);
    refresh();
    // Placed once it is complete: an item in a view announces every change.
    place(this, parent, after);
}

VxHierarchyRegionItem::~VxHierarchyRegionItem() = default;

void VxHierarchyRegionItem::setRegion(VxFSRegionItem* region)
{
    if (m_region)
        QObject::disconnect(m_region, nullptr, m_proxy.get(), nullptr);
    m_region = region;
    qDeleteAll(takeChildren());
    if (!region)
        return;
    QObject::connect(region, &VxFSRegionItem::nameChanged, m_proxy.get(), &VxHierarchyRegionItemObject::nameChanged);
    // Each child item goes to the head: the last child region shows first.
    for (VxFSRegionItem* child = region->getFirstChild(); child; child = child->getNextSibling()) {
        auto* item = new VxHierarchyRegionItem(child, this, nullptr);
        item->setRegion(child);
    }
    refresh();
}

void VxHierarchyRegionItem::refresh()
{
    if (m_region)
        setText(0, m_region->getName());
}

void VxHierarchyRegionItem::setOpen(bool open)
{
    setExpanded(open);
    for (int i = 0; i < childCount(); ++i) {
        if (auto* region = vxHierarchyItemCast<VxHierarchyRegionItem>(child(i)))
            region->setOpen(open);
    }
}
