#include "vxfsgeometryregiontreeview.h"

#include "vxfscreateregiondlg.h"
#include "vxfsgeometryregionhierarchyitem.h"
#include "vxfsgeometryregionmodel.h"

#include "vxapp.h"
#include "vxgeometryregion.h"
#include "vxmainwindow.h"
#include "vxmenu.h"
#include "vxshape.h"
#include "vxstyledsceneitemdelegate.h"

#include <QContextMenuEvent>
#include <QHeaderView>

#include <algorithm>

namespace {

constexpr int kCardColumn = 1;

QWidget* mainWindow()
{
    return vxApp ? vxApp->getInterface() : nullptr;
}

bool hasParent(const VxGeometryRegion* region, const VxGeometryRegion* parent)
{
    return region->getGeometryRegionParent() == parent;
}

// Only a region without facets and without children can go: deleting it loses nothing.
bool isEmptyLeaf(const VxGeometryRegion* region)
{
    return region->getNumRegionFacetIndices() < 1 && region->numGeometryRegionChildren() == 0;
}

} // namespace

VxFSGeometryRegionTreeView::VxFSGeometryRegionTreeView(QWidget* parent, VxShape* shape)
    : VxGeneralHierarchyTreeView(parent), m_model(new VxFSGeometryRegionModel(this)), m_shape(shape)
{
    setModel(m_model);
    setObjectName(QStringLiteral("GeometryRegionTreeView"));
    setHeaderHidden(false);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setEditTriggers(QAbstractItemView::DoubleClicked);
    setDragDropMode(QAbstractItemView::InternalMove);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setItemDelegate(new VxStyledSceneItemDelegate(this));

    // The check boxes come first, where the eye finds them down the left edge.
    header()->moveSection(header()->visualIndex(kCardColumn), 0);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
    header()->setSectionResizeMode(kCardColumn, QHeaderView::ResizeToContents);
}

VxFSGeometryRegionTreeView::~VxFSGeometryRegionTreeView()
{
    // The rows go before the model that indexes them.
    m_model->clearTree();
    m_topLevelItems.clear();
}

VxShape* VxFSGeometryRegionTreeView::getShape() const
{
    return m_shape.data();
}

void VxFSGeometryRegionTreeView::addRegion(VxGeometryRegion* region)
{
    if (!region)
        return;
    VxGeneralHierarchyItemRef item(new VxFSGeometryRegionHierarchyItem(region));
    m_topLevelItems.append(item);
    m_model->addTopLevelItem(item.get());
    expandAll();
}

void VxFSGeometryRegionTreeView::clearGroups()
{
    m_model->clearTree();
    m_topLevelItems.clear();
}

VxGeometryRegion* VxFSGeometryRegionTreeView::getRegionForIndex(const QModelIndex& index) const
{
    return m_model->regionForIndex(index);
}

QList<VxGeometryRegion*> VxFSGeometryRegionTreeView::getSelectedRegions() const
{
    QList<VxGeometryRegion*> regions;
    for (VxGeneralHierarchyItem* item : getSelectedItems()) {
        VxGeometryRegion* region = static_cast<VxFSGeometryRegionHierarchyItem*>(item)->getRegion();
        if (region && !regions.contains(region))
            regions.append(region);
    }
    return regions;
}

void VxFSGeometryRegionTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    const QList<VxGeometryRegion*> selected = getSelectedRegions();
    VxMenu menu(this);
    const int create = menu.addItem(tr("Create Region..."));
    int group = -1;
    int unparent = -1;
    int remove = -1;
    if (!selected.isEmpty()) {
        menu.addSeparator();
        // The root cannot be grouped, moved up or deleted; it only hosts new regions.
        const VxGeometryRegion* parent = selected.first()->getGeometryRegionParent();
        if (parent) {
            if (std::all_of(selected.begin(), selected.end(),
                            [parent](const VxGeometryRegion* r) { return hasParent(r, parent); }))
                group = menu.addItem(tr("Group Region(s)..."));
            unparent = menu.addItem(tr("Unparent Region(s)"));
            if (std::all_of(selected.begin(), selected.end(), isEmptyLeaf))
                remove = menu.addItem(tr("Delete Region(s)"));
        }
    }

    const int chosen = menu.exec(event->globalPos());
    if (chosen < 0)
        return;
    if (chosen == create)
        createRegion();
    else if (chosen == group)
        groupRegions(selected);
    else if (chosen == unparent)
        unparentRegions(selected);
    else if (chosen == remove)
        deleteRegions(selected);
}

// The prompt itself adds the region under the root (making the root "Actor" when the shape
// has none).
void VxFSGeometryRegionTreeView::createRegion()
{
    VxFSCreateRegionDlg dialog(mainWindow(), m_shape.data(), true);
    dialog.exec();
}

// The new region takes the first selected region's place under their common parent, and
// the selected regions become its children.
void VxFSGeometryRegionTreeView::groupRegions(const QList<VxGeometryRegion*>& regions)
{
    VxGeometryRegion* first = regions.value(0);
    if (!first || !first->getGeometryRegionParent())
        return;
    // The prompt runs an event loop; whatever the host deletes meanwhile is left alone.
    QPointer<VxGeometryRegion> parent = first->getGeometryRegionParent();
    QList<QPointer<VxGeometryRegion>> grouped;
    for (VxGeometryRegion* region : regions)
        grouped.append(region);
    VxFSCreateRegionDlg dialog(mainWindow(), m_shape.data(), false);
    dialog.exec();
    const QString name = dialog.getRegionName();
    if (name.isEmpty() || !parent || !grouped.first())
        return;
    const int index = parent->getChildIndex(grouped.first());
    auto* grouping = new VxGeometryRegion(name);
    grouping->setLabel(name);
    parent->addChildRegion(grouping);
    parent->changeChildIndex(grouping, index);
    for (const QPointer<VxGeometryRegion>& region : grouped) {
        if (region)
            grouping->addChildRegion(region);
    }
}

void VxFSGeometryRegionTreeView::unparentRegions(const QList<VxGeometryRegion*>& regions)
{
    for (VxGeometryRegion* region : regions) {
        if (region->getGeometryRegionParent())
            region->getRootRegion()->addChildRegion(region);
    }
}

void VxFSGeometryRegionTreeView::deleteRegions(const QList<VxGeometryRegion*>& regions)
{
    for (VxGeometryRegion* region : regions) {
        VxGeometryRegion* parent = region->getGeometryRegionParent();
        if (!parent)
            continue;
        parent->removeChildRegion(region);
        delete region;
    }
}
