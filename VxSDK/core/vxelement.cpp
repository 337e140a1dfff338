#include "vxelement.h"

VxElement::VxElement(QObject* parent) : VxBase(parent) {}

VxElement::~VxElement()
{
    // Data items go first so that none outlives the element it describes.
    const QList<VxDataItem*> items = m_dataItems;
    m_dataItems.clear();
    for (int i = items.size() - 1; i >= 0; --i)
        delete items[i];
}

void VxElement::setName(const QString& name)
{
    setObjectName(name);
}

void VxElement::setLabel(const QString& label)
{
    if (m_label == label)
        return;
    m_label = label;
    emit labelChanged();
}

bool VxElement::copyFrom(const VxElement* source)
{
    if (!source)
        return false;
    setLabel(source->getLabel());
    return true;
}

VxDataItem* VxElement::findDataItem(const QString& name) const
{
    for (VxDataItem* item : m_dataItems) {
        if (item->getName() == name)
            return item;
    }
    return nullptr;
}

void VxElement::addDataItem(VxDataItem* item)
{
    if (!item || m_dataItems.contains(item))
        return;
    if (item->m_owner && item->m_owner != this)
        item->m_owner->m_dataItems.removeAll(item);
    item->m_owner = this;
    item->setElementParent(this);
    m_dataItems.append(item);
}

bool VxElement::removeDataItem(VxDataItem* item)
{
    if (!item || !m_dataItems.removeOne(item))
        return false;
    item->m_owner = nullptr;
    item->setElementParent(nullptr);
    delete item;
    return true;
}

VxDataItem::VxDataItem(const QString& name, QObject* parent) : VxElement(parent)
{
    setName(name);
}

VxDataItem::~VxDataItem()
{
    if (m_owner)
        m_owner->m_dataItems.removeAll(this);
}
