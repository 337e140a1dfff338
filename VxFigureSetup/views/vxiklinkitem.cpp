#include "vxiklinkitem.h"

#include "vxikchainitem.h"
#include "vxiklink.h"

#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"

VxIKLinkItem::VxIKLinkItem(VxFSHierarchyIKLink* link, QTreeWidgetItem* parent)
    : QTreeWidgetItem(parent, Type), m_link(link), m_bone(link ? link->getBone() : nullptr)
{
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEditable);
    // The padded weights line up only in a fixed-width font; aligned right they line up in
    // any.
    setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    m_proxy = new VxIKLink(this, link);
    refreshOwnTexts();
}

VxIKLinkItem::~VxIKLinkItem()
{
    delete m_proxy;
}

VxFSHierarchyIKLink* VxIKLinkItem::link() const
{
    return m_link;
}

VxIKLinkItem* VxIKLinkItem::nextLinkItem() const
{
    QTreeWidgetItem* next = child(0);
    return next && next->type() == Type ? static_cast<VxIKLinkItem*>(next) : nullptr;
}

VxIKChainItem* VxIKLinkItem::chainItem() const
{
    QTreeWidgetItem* item = parent();
    while (item && item->type() != VxIKChainItem::Type)
        item = item->parent();
    return static_cast<VxIKChainItem*>(item);
}

int VxIKLinkItem::linkDepth() const
{
    int depth = 1;
    for (QTreeWidgetItem* item = parent(); item && item->type() != VxIKChainItem::Type; item = item->parent())
        ++depth;
    return depth;
}

void VxIKLinkItem::refresh()
{
    // Walked, not recursed: a chain may be long.
    for (VxIKLinkItem* item = this; item; item = item->nextLinkItem())
        item->refreshOwnTexts();
}

void VxIKLinkItem::refreshOwnTexts()
{
    if (!m_link) {
        setText(0, QStringLiteral("None"));
        setText(1, QStringLiteral("None"));
        return;
    }
    setText(0, m_bone ? m_bone->getName() : QStringLiteral("None"));
    if (childCount() > 0)
        setText(1, QString::number(double(m_link->getWeight()), 'g', 6).rightJustified(10, QLatin1Char(' ')));
    else
        setText(1, QStringLiteral("<Goal>"));
}

void VxIKLinkItem::setOpenDown(bool open)
{
    for (VxIKLinkItem* item = this; item; item = item->nextLinkItem())
        item->setExpanded(open);
}
