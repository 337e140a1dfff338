#include "vxiklink.h"

#include "vxikchainitem.h"
#include "vxiklinkitem.h"

#include "vxfshierarchyiklink.h"

VxIKLink::VxIKLink(VxIKLinkItem* item, VxFSHierarchyIKLink* link) : m_item(item)
{
    if (!link)
        return;
    connect(link, &QObject::destroyed, this, &VxIKLink::linkDestroyed);
    connect(link, &VxFSHierarchyIKLink::nameChanged, this, &VxIKLink::nameChanged);
    connect(link, &VxFSHierarchyIKLink::weightChanged, this, &VxIKLink::nameChanged);
}

VxIKLink::~VxIKLink()
{
    if (m_ownsItem)
        delete m_item;
}

void VxIKLink::linkDestroyed()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    m_item->setSelected(false);
    VxIKChainItem* chainItem = m_item->chainItem();
    QTreeWidgetItem* parent = m_item->parent();
    if (parent) {
        const int row = parent->indexOfChild(m_item);
        if (m_item->childCount() > 0)
            parent->insertChild(row + 1, m_item->takeChild(0));
        parent->removeChild(m_item);
    }
    m_item->m_proxy = nullptr;
    m_ownsItem = true;
    deleteLater();
    if (chainItem)
        chainItem->refresh();
}

void VxIKLink::nameChanged()
{
    if (!m_destroyed)
        m_item->refreshOwnTexts();
}
