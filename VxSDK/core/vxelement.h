#pragma once

#include "vxbase.h"

#include <QList>
#include <QPointer>
#include <QString>

class VxDataItem;

// A scene-side object with a name, a display label and attached data items.
// The element owns its data items.
class VXSDK_EXPORT VxElement : public VxBase
{
    Q_OBJECT
public:
    explicit VxElement(QObject* parent = nullptr);
    ~VxElement() override;

    void setName(const QString& name);
    QString getLabel() const { return m_label; }
    void setLabel(const QString& label);

    // Copies the element's settings (label and the subclass's own values) from another
    // element of a compatible class. Returns false when the classes do not match.
    virtual bool copyFrom(const VxElement* source);

    // The element this one belongs to in the scene (a shape's object, an object's node, a
    // data item's owner), or null. Shared items report the owner that took them last.
    VxElement* getElementParent() const { return m_elementParent; }
    void setElementParent(VxElement* parent) { m_elementParent = parent; }

    int getNumDataItems() const { return m_dataItems.size(); }
    VxDataItem* getDataItem(int index) const { return m_dataItems.value(index); }
    VxDataItem* findDataItem(const QString& name) const;
    // Takes ownership. Adding an item twice is a no-op.
    void addDataItem(VxDataItem* item);
    // Removes and deletes the item; false when it is not attached here.
    bool removeDataItem(VxDataItem* item);

signals:
    void labelChanged();

private:
    friend class VxDataItem;
    QString m_label;
    QList<VxDataItem*> m_dataItems;
    QPointer<VxElement> m_elementParent;
};

// A named piece of data hung on an element (source file records, IK chain sets, flags).
class VXSDK_EXPORT VxDataItem : public VxElement
{
    Q_OBJECT
public:
    explicit VxDataItem(const QString& name = QString(), QObject* parent = nullptr);
    ~VxDataItem() override;

    VxElement* getOwner() const { return m_owner; }

private:
    friend class VxElement;
    VxElement* m_owner = nullptr;
};
