#pragma once

#include "vxsdkglobal.h"

// Intrusive reference count for host items that several owners share (meshes, shapes,
// materials, weight maps). A new item starts at 0; every holder calls ref() and later
// unref(), and the item deletes itself when the last reference goes.
class VXSDK_EXPORT VxRefCounted
{
public:
    void ref() const { ++m_refCount; }
    void unref() const;
    int refCount() const { return m_refCount; }

protected:
    VxRefCounted() = default;
    VxRefCounted(const VxRefCounted&) = delete;
    VxRefCounted& operator=(const VxRefCounted&) = delete;
    virtual ~VxRefCounted();

private:
    mutable int m_refCount = 0;
};

// Points `slot` at `item`: takes a reference on the new item before releasing the old one,
// so re-setting the same item never deletes it.
template<typename T>
void vxReplaceRef(T*& slot, T* item)
{
    if (slot == item)
        return;
    if (item)
        item->ref();
    if (slot)
        slot->unref();
    slot = item;
}

// Holds one reference for the life of a scope: ref() now, unref() at the end.
template<typename T>
class VxRefGuard
{
public:
    explicit VxRefGuard(T* item) : m_item(item) { if (m_item) m_item->ref(); }
    ~VxRefGuard() { if (m_item) m_item->unref(); }
    VxRefGuard(const VxRefGuard&) = delete;
    VxRefGuard& operator=(const VxRefGuard&) = delete;
    T* get() const { return m_item; }
    T* operator->() const { return m_item; }

private:
    T* m_item;
};
