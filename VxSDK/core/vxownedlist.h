#pragma once

#include "vxelement.h"

#include <QList>

#include <functional>

// The ordered items an element owns (joints of a binding, parameters of a joint, welds of a
// figure, ...). An added item gets the owner as its element parent; it is deleted when it is
// removed or when the list goes. Items are deleted after they have left the list, so an item
// whose destructor asks its owner about itself finds it gone already.
template<typename T>
class VxOwnedList
{
public:
    VxOwnedList() = default;
    VxOwnedList(const VxOwnedList&) = delete;
    VxOwnedList& operator=(const VxOwnedList&) = delete;
    ~VxOwnedList() { clear(); }

    int size() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }
    T* value(int index) const { return m_items.value(index); }
    int indexOf(const T* item) const { return m_items.indexOf(const_cast<T*>(item)); }
    bool contains(const T* item) const { return indexOf(item) >= 0; }
    const QList<T*>& items() const { return m_items; }
    typename QList<T*>::const_iterator begin() const { return m_items.begin(); }
    typename QList<T*>::const_iterator end() const { return m_items.end(); }

    // Takes ownership and inserts at `index` (-1, or any index past the end, appends).
    // False for null or an item already here.
    bool add(T* item, VxElement* owner, int index = -1)
    {
        if (!item || m_items.contains(item))
            return false;
        item->setElementParent(owner);
        if (index < 0 || index > m_items.size())
            m_items.append(item);
        else
            m_items.insert(index, item);
        return true;
    }

    // Removes and deletes the item; false when it is not here.
    bool remove(T* item)
    {
        if (!item || !m_items.removeOne(item))
            return false;
        delete item;
        return true;
    }

    // Removes and deletes every item the predicate picks; returns how many went.
    int removeIf(const std::function<bool(const T*)>& picked)
    {
        int removed = 0;
        for (int i = m_items.size() - 1; i >= 0; --i) {
            if (picked(m_items[i])) {
                delete m_items.takeAt(i);
                ++removed;
            }
        }
        return removed;
    }

    void clear()
    {
        const QList<T*> items = m_items;
        m_items.clear();
        qDeleteAll(items);
    }

private:
    QList<T*> m_items;
};
