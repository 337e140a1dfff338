#include "vxhierarchyboneitem.h"

#include "vxhierarchygeomcontaineritem.h"
#include "vxhierarchygeomitem.h"

#include "vxfshierarchyitem.h"

namespace {
constexpr uint kBonePixmap = 0x36;
} // namespace

VxHierarchyBoneItem::VxHierarchyBoneItem(VxFSHierarchyItem* bone, QTreeWidgetItem* parent, QTreeWidgetItem* after)
    : VxHierarchyTreeItem(Type), m_bone(bone)
{
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled
             | Qt::ItemIsDropEnabled);
    setStylePixmap(kBonePixmap);
    // Placed once it is complete: an item in a view announces every change.
    place(this, parent, after);
}

VxHierarchyBoneItem::~VxHierarchyBoneItem() = default;

void VxHierarchyBoneItem::setBone(VxFSHierarchyItem* bone)
{
    if (m_bone)
        disconnect(m_bone, nullptr, this, nullptr);
    for (const QMetaObject::Connection& connection : qAsConst(m_weldTargetConnections))
        disconnect(connection);
    m_weldTargetConnections.clear();
    // Attaching again starts the items below over.
    qDeleteAll(takeChildren());
    m_geometryItem = nullptr;
    m_bone = bone;
    if (!bone)
        return;
    const auto refreshThis = qOverload<>(&VxHierarchyBoneItem::refresh);
    connect(bone, &VxFSHierarchyItem::weldItemChanged, this, &VxHierarchyBoneItem::listenToWeldTargets);
    connect(bone, &VxFSHierarchyItem::weldItemChanged, this, refreshThis);
    connect(bone, &VxFSHierarchyItem::nameChanged, this, refreshThis);
    connect(bone, &VxFSHierarchyItem::rotOrderChanged, this, refreshThis);
    connect(bone, &VxFSHierarchyItem::boneStateChanged, this, refreshThis);
    connect(bone, &VxFSHierarchyItem::geometryChanged, this, refreshThis);
    // The view removes bones together with their items; a bone deleted by anyone else
    // takes its item along, hidden at once and deleted once the signal is over.
    connect(bone, &VxFSHierarchyItem::aboutToDestroy, this, [this] {
        setHidden(true);
        deleteLater();
    });
    listenToWeldTargets();

    // Every item here goes to the head: child bones end up last-made first, and the
    // geometry item made after them leads.
    for (VxFSHierarchyItem* child = bone->getFirstChild(); child; child = child->getNextSibling()) {
        auto* item = new VxHierarchyBoneItem(child, this, nullptr);
        item->setBone(child);
    }
    if (bone->getFigureType() == Poser)
        m_geometryItem = new VxHierarchyGeomContainerItem(bone, this, nullptr);
    else
        m_geometryItem = new VxHierarchyGeomItem(bone, this, nullptr);
    refresh(false);
}

void VxHierarchyBoneItem::listenToWeldTargets()
{
    for (const QMetaObject::Connection& connection : qAsConst(m_weldTargetConnections))
        disconnect(connection);
    m_weldTargetConnections.clear();
    if (!m_bone)
        return;
    const auto refreshThis = qOverload<>(&VxHierarchyBoneItem::refresh);
    for (int i = 0; i < m_bone->getNumWeldTargets(); ++i) {
        if (VxFSHierarchyItem* target = m_bone->getWeldTarget(i))
            m_weldTargetConnections.append(connect(target, &VxFSHierarchyItem::nameChanged, this, refreshThis));
    }
}

QString VxHierarchyBoneItem::weldText() const
{
    const int welds = m_bone->getNumWeldTargets();
    if (welds == 0)
        return QStringLiteral("<none>");
    if (welds > 1)
        return QStringLiteral("<multiple>");
    const VxFSHierarchyItem* target = m_bone->getWeldTarget(0);
    return target ? target->getName() : QString();
}

void VxHierarchyBoneItem::refresh(bool recurse)
{
    if (!m_bone)
        return;
    setText(0, m_bone->getName());
    setText(1, m_bone->getLabel());
    const VxRotationOrder order = m_bone->getRotationOrder();
    // An order the tree cannot name leaves the column as it was.
    if (order.isValid())
        setText(2, m_bone->getCurve() ? order.toString() + QStringLiteral("(c)") : order.toString());
    setText(3, weldText());
    if (!recurse)
        return;
    for (int i = 0; i < childCount(); ++i) {
        QTreeWidgetItem* item = child(i);
        if (auto* bone = vxHierarchyItemCast<VxHierarchyBoneItem>(item))
            bone->refresh(true);
        else if (auto* container = vxHierarchyItemCast<VxHierarchyGeomContainerItem>(item))
            container->refresh();
        else if (auto* geometry = vxHierarchyItemCast<VxHierarchyGeomItem>(item))
            geometry->refresh();
    }
}

void VxHierarchyBoneItem::setOpen(bool open)
{
    setExpanded(open);
    for (int i = 0; i < childCount(); ++i) {
        if (auto* bone = vxHierarchyItemCast<VxHierarchyBoneItem>(child(i)))
            bone->setOpen(open);
    }
}
