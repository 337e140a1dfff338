#pragma once

#include "vxrefcounted.h"
#include "vxsdkglobal.h"

#include <QList>
#include <QVariant>

// One row of a VxGeneralHierarchyModel. Items are reference counted: a parent holds one
// reference on each child, the model one on each top-level item, and a view may hold more
// (VxGeneralHierarchyItemRef), so an item lives as long as anything still shows or lists
// it. Subclasses hold what the row stands for and answer data() for it.
class VXSDK_EXPORT VxGeneralHierarchyItem : public VxRefCounted
{
public:
    VxGeneralHierarchyItem();

    // Appends `child` (which must not have a parent yet) and takes a reference on it; its
    // row and depth follow from where it was added. Build an item's children before the
    // item goes into a model: the model is told of new top-level items only.
    void addChild(VxGeneralHierarchyItem* child);
    int getNumChildren() const { return m_children.size(); }
    VxGeneralHierarchyItem* getChild(int index) const { return m_children.value(index); }
    VxGeneralHierarchyItem* getParent() const { return m_parent; }
    // The position under the parent, or in the model's top level.
    int getRow() const { return m_row; }
    // 0 for a top-level item, 1 for its children, and so on.
    int getDepth() const;

    // What the model shows in `column` for `role`; nothing by default.
    virtual QVariant data(int column, int role) const;
    // Applies an edit; false (the default) refuses it.
    virtual bool setData(int column, const QVariant& value, int role);

protected:
    ~VxGeneralHierarchyItem() override;

private:
    friend class VxGeneralHierarchyModel;

    VxGeneralHierarchyItem* m_parent = nullptr;
    int m_row = 0;
    QList<VxGeneralHierarchyItem*> m_children;
};

// A counted reference to an item, for lists of items a view keeps besides the model.
class VXSDK_EXPORT VxGeneralHierarchyItemRef
{
public:
    VxGeneralHierarchyItemRef(VxGeneralHierarchyItem* item = nullptr) : m_item(item) { if (m_item) m_item->ref(); }
    VxGeneralHierarchyItemRef(const VxGeneralHierarchyItemRef& other) : VxGeneralHierarchyItemRef(other.m_item) {}
    VxGeneralHierarchyItemRef& operator=(const VxGeneralHierarchyItemRef& other)
    {
        vxReplaceRef(m_item, other.m_item);
        return *this;
    }
    ~VxGeneralHierarchyItemRef() { if (m_item) m_item->unref(); }

    VxGeneralHierarchyItem* get() const { return m_item; }
    VxGeneralHierarchyItem* operator->() const { return m_item; }
    explicit operator bool() const { return m_item != nullptr; }

private:
    VxGeneralHierarchyItem* m_item;
};
