#include "vxikchainitem.h"

#include "vxiklinkitem.h"

#include "vxfshierarchyikchain.h"

VxIKChainItem::VxIKChainItem(VxFSHierarchyIKChain* chain) : QTreeWidgetItem(Type), m_chain(chain)
{
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsUserCheckable
             | Qt::ItemIsEditable);
    QTreeWidgetItem* parent = this;
    for (int i = 0; chain && i < chain->getNumLinks(); ++i)
        parent = new VxIKLinkItem(chain->getLink(i), parent);
    refresh();
}

VxFSHierarchyIKChain* VxIKChainItem::chain() const
{
    return m_chain;
}

VxIKLinkItem* VxIKChainItem::firstLinkItem() const
{
    QTreeWidgetItem* first = child(0);
    return first && first->type() == VxIKLinkItem::Type ? static_cast<VxIKLinkItem*>(first) : nullptr;
}

void VxIKChainItem::refresh()
{
    if (m_chain) {
        setText(0, m_chain->getName());
        setCheckState(0, m_chain->isActive() ? Qt::Checked : Qt::Unchecked);
    }
    if (VxIKLinkItem* first = firstLinkItem())
        first->refresh();
}

void VxIKChainItem::setOpenDown(bool open)
{
    setExpanded(open);
    if (VxIKLinkItem* first = firstLinkItem())
        first->setOpenDown(open);
}
