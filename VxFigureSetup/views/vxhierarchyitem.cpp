#include "vxhierarchyitem.h"

#include "vxhierarchybasegeomitem.h"
#include "vxhierarchyboneitem.h"
#include "vxhierarchybonecontaineritem.h"
#include "vxhierarchyregioncontaineritem.h"
#include "vxhierarchyregionitem.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

namespace {
constexpr uint kParametricPixmap = 0x35;
constexpr uint kSingleSkinPixmap = 0x34;
} // namespace

VxHierarchyItem::VxHierarchyItem() : VxHierarchyTreeItem(Type)
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDropEnabled);
    setStylePixmap(kParametricPixmap);
}

VxHierarchyItem::~VxHierarchyItem() = default;

void VxHierarchyItem::setHierarchy(VxFSHierarchy* hierarchy)
{
    if (m_hierarchy)
        disconnect(m_hierarchy, nullptr, this, nullptr);
    m_hierarchy = hierarchy;
    qDeleteAll(takeChildren());
    m_boneContainer = nullptr;
    m_regionContainer = nullptr;
    m_baseGeomItem = nullptr;
    if (!hierarchy)
        return;
    connect(hierarchy, &VxFSHierarchy::geometryChanged, this, qOverload<>(&VxHierarchyItem::refresh));
    connect(hierarchy, &VxFSHierarchy::nameChanged, this, qOverload<>(&VxHierarchyItem::refresh));
    // Any change to an item in a view reads as an edit of column 0, so the names come first.
    refresh(false);

    // Each container goes to the head, so the children read: base geometry, "Bones",
    // "Regions".
    if (hierarchy->getFigureType() == Poser) {
        setStylePixmap(kParametricPixmap);
    } else {
        setStylePixmap(kSingleSkinPixmap);
        m_regionContainer = new VxHierarchyRegionContainerItem(this, nullptr);
        // The first top-level region is the root of the region tree; the tree shows no other.
        if (VxFSRegionItem* region = hierarchy->getFirstRegion()) {
            auto* regionItem = new VxHierarchyRegionItem(region, m_regionContainer, nullptr);
            regionItem->setRegion(region);
        }
    }

    m_boneContainer = new VxHierarchyBoneContainerItem(this, nullptr);
    VxHierarchyBoneItem* previous = nullptr;
    for (VxFSHierarchyItem* bone = hierarchy->getFirstBone(); bone; bone = bone->getNextSibling()) {
        auto* item = new VxHierarchyBoneItem(bone, m_boneContainer, previous);
        item->setBone(bone);
        previous = item;
    }

    m_baseGeomItem = new VxHierarchyBaseGeomItem(hierarchy, this, nullptr);
    refresh(true);
}

void VxHierarchyItem::refresh(bool recurse)
{
    if (!m_hierarchy)
        return;
    setText(0, m_hierarchy->getName());
    setText(1, m_hierarchy->getLabel());
    validateOrder();
    if (!recurse)
        return;
    if (m_baseGeomItem)
        m_baseGeomItem->refresh();
    if (m_boneContainer) {
        for (int i = 0; i < m_boneContainer->childCount(); ++i) {
            if (auto* bone = vxHierarchyItemCast<VxHierarchyBoneItem>(m_boneContainer->child(i)))
                bone->refresh(true);
        }
    }
}

void VxHierarchyItem::validateOrder()
{
    // Moving an item that is already first would only make the view lay out again.
    if (!m_baseGeomItem || indexOfChild(m_baseGeomItem) <= 0)
        return;
    takeChild(indexOfChild(m_baseGeomItem));
    insertChild(0, m_baseGeomItem);
}

void VxHierarchyItem::setOpen(bool open)
{
    setExpanded(open);
    if (m_boneContainer)
        m_boneContainer->setOpen(open);
    if (m_regionContainer)
        m_regionContainer->setOpen(open);
}
