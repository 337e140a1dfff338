#include "vxgeometrylistview.h"

#include "vxfsitemdrag.h"
#include "vxgeometrygrouplistitem.h"
#include "vxgeometrylistitem.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"

#include "vxapp.h"
#include "vxappsettings.h"
#include "vxcontentmgr.h"
#include "vxfilefilter.h"
#include "vxfileio.h"
#include "vximportmgr.h"
#include "vxmainwindow.h"
#include "vxmenurunner.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSet>
#include <QUrl>

namespace {
const char* const kUriList = "text/uri-list";
const char* const kSettingsGroup = "VxFigureSetup";
const char* const kLastDirectoryKey = "LastGeomDirectory";
} // namespace

VxGeometryListView::VxGeometryListView(QWidget* pane, QWidget* parent) : QTreeWidget(parent), m_pane(pane)
{
    setColumnCount(2);
    setHeaderLabels({tr("Geometry"), tr("ID")});
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setAllColumnsShowFocus(true);
    setAcceptDrops(true);
    setDragEnabled(true);
    setDropIndicatorShown(false);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &VxGeometryListView::showContextMenu);
}

void VxGeometryListView::setHierarchy(VxFSHierarchy* document)
{
    m_document = document;
    QSet<const VxFSGeomItem*> held;
    for (int i = 0; document && i < document->getNumGeometries(); ++i)
        held.insert(document->getGeometry(i));

    const QList<const VxFSGeomItem*> shown = m_items.keys();
    for (const VxFSGeomItem* geometry : shown) {
        if (!held.contains(geometry))
            delete m_items.take(geometry);
    }
    QList<QTreeWidgetItem*> added;
    for (int i = 0; document && i < document->getNumGeometries(); ++i) {
        VxFSGeomItem* geometry = document->getGeometry(i);
        if (!m_items.contains(geometry))
            added.append(createItems(geometry));
    }
    // One insertion lets the list sort once, not once per geometry.
    addTopLevelItems(added);
    refreshGeomList();
}

VxGeometryListItem* VxGeometryListView::findItem(const VxFSGeomItem* geometry) const
{
    return m_items.value(geometry, nullptr);
}

VxGeometryListItem* VxGeometryListView::createItems(VxFSGeomItem* geometry)
{
    auto* item = new VxGeometryListItem(geometry);
    QList<QTreeWidgetItem*> groups;
    groups.reserve(geometry->getNumGroups());
    for (int i = 0; i < geometry->getNumGroups(); ++i)
        groups.append(new VxGeometryGroupListItem(geometry->getGroup(i)));
    item->addChildren(groups);
    m_items.insert(geometry, item);
    connect(geometry, &VxFSGeomItem::aboutToDelete, this, &VxGeometryListView::geometryDeleted,
            Qt::UniqueConnection);
    return item;
}

void VxGeometryListView::geometryDeleted(VxFSGeomItem* geometry)
{
    delete m_items.take(geometry);
    // The document renumbers the remaining geometries only after this announcement.
    if (!m_refreshQueued) {
        m_refreshQueued = true;
        QMetaObject::invokeMethod(this, &VxGeometryListView::refreshGeomList, Qt::QueuedConnection);
    }
}

void VxGeometryListView::refreshGeomList()
{
    m_refreshQueued = false;
    for (VxGeometryListItem* item : qAsConst(m_items))
        item->refresh();
}

QString VxGeometryListView::defaultDirectory()
{
    const QString last = VxAppSettings(QLatin1String(kSettingsGroup)).getStringValue(QLatin1String(kLastDirectoryKey));
    if (!last.isEmpty() || !vxApp)
        return last;
    const QString content = vxApp->getContentMgr() ? vxApp->getContentMgr()->getContentDirectoryPath(0) : QString();
    return content.isEmpty() ? vxApp->getDocumentsPath() : content;
}

void VxGeometryListView::addGeometryFromDialog()
{
    VxMainWindow* window = vxApp ? vxApp->getInterface() : nullptr;
    if (!window || !m_document)
        return;
    VxFileFilter filter;
    VxImportMgr::makeGeometryFileFilter(filter, QString(), true);
    filter.setDefaultFilter(filter.getNumFilters() - 1);
    QStringList files;
    QString chosenFilter;
    if (!window->doFileDialog(tr("Import Geometry"), defaultDirectory(), filter, files, &chosenFilter, this))
        return;
    VxAppSettings(QLatin1String(kSettingsGroup))
        .setStringValue(QLatin1String(kLastDirectoryKey), VxFileIO::getFilePath(files.first()));
    loadFiles(files);
}

void VxGeometryListView::loadFiles(const QStringList& paths)
{
    QList<QTreeWidgetItem*> added;
    for (const QString& path : paths) {
        if (!m_document)
            break;
        bool alreadyLoaded = false;
        VxFSGeomItem* geometry = m_document->addGeometry(path, &alreadyLoaded);
        if (geometry && !alreadyLoaded)
            added.append(createItems(geometry));
    }
    addTopLevelItems(added);
}

void VxGeometryListView::showContextMenu(const QPoint& viewportPos)
{
    QTreeWidgetItem* item = itemAt(viewportPos);
    contextMenu(item, viewport()->mapToGlobal(viewportPos), columnAt(viewportPos.x()));
}

void VxGeometryListView::contextMenu(QTreeWidgetItem* item, const QPoint& pos, int /*column*/)
{
    QMenu menu(this);
    QAction* add = menu.addAction(tr("Add Geometry..."));
    QAction* remove = menu.addAction(tr("Remove Geometry"));
    remove->setEnabled(item != nullptr);
    menu.addSeparator();
    QAction* browse = menu.addAction(tr("Browse to File Location..."));

    QAction* chosen = VxMenuRunner::exec(menu, pos);
    if (!chosen)
        return;
    const QList<QPointer<VxFSGeomItem>> geometries = selectedGeometries();
    if (chosen == add)
        addGeometryFromDialog();
    else if (chosen == remove)
        removeGeometries(geometries);
    else if (chosen == browse)
        browseToFiles(geometries, item != nullptr);
}

QList<QPointer<VxFSGeomItem>> VxGeometryListView::selectedGeometries() const
{
    QList<QPointer<VxFSGeomItem>> geometries;
    QSet<const VxFSGeomItem*> seen;
    for (QTreeWidgetItemIterator it(const_cast<VxGeometryListView*>(this), QTreeWidgetItemIterator::Selected); *it; ++it) {
        QTreeWidgetItem* item = *it;
        if (item->type() == VxGeometryGroupListItem::Type)
            item = item->parent();
        if (!item || item->type() != VxGeometryListItem::Type)
            continue;
        VxFSGeomItem* geometry = static_cast<VxGeometryListItem*>(item)->geometry();
        if (geometry && !seen.contains(geometry)) {
            seen.insert(geometry);
            geometries.append(geometry);
        }
    }
    return geometries;
}

void VxGeometryListView::removeGeometries(const QList<QPointer<VxFSGeomItem>>& geometries)
{
    for (const QPointer<VxFSGeomItem>& geometry : geometries) {
        if (!geometry || !m_document)
            continue;
        if (geometry->isInUse()) {
            const auto answer = QMessageBox::warning(
                this, tr("Geometry in use"), tr("The Geometry item is in use do you wish to continue?"),
                QMessageBox::Ok | QMessageBox::Cancel);
            if (answer != QMessageBox::Ok || !geometry || !m_document)
                continue;
        }
        // The geometry's end removes its item (geometryDeleted).
        if (m_document->removeGeometry(geometry))
            emit geomSelectionChanged(nullptr);
    }
    refreshGeomList();
}

void VxGeometryListView::browseToFiles(const QList<QPointer<VxFSGeomItem>>& geometries, bool itemClicked)
{
    if (!vxApp)
        return;
    if (!itemClicked) {
        vxApp->showURL(QStringLiteral("file://") + defaultDirectory());
        return;
    }
    for (const QPointer<VxFSGeomItem>& geometry : geometries) {
        // Geometry copied from a scene figure has no file to show.
        if (geometry && !geometry->getPath().isEmpty())
            vxApp->showURL(QStringLiteral("file://") + VxFileIO::getFilePath(geometry->getPath()));
    }
}

QDrag* VxGeometryListView::dragObject()
{
    QTreeWidgetItemIterator it(this, QTreeWidgetItemIterator::Selected);
    QTreeWidgetItem* item = *it;
    if (!item)
        return nullptr;
    if (item->type() == VxGeometryListItem::Type)
        return new VxGeometryItemDrag(static_cast<VxGeometryListItem*>(item), this);
    if (item->type() == VxGeometryGroupListItem::Type)
        return new VxGeometryGroupItemDrag(static_cast<VxGeometryGroupListItem*>(item), this);
    return nullptr;
}

void VxGeometryListView::startDrag(Qt::DropActions /*supportedActions*/)
{
    if (QDrag* drag = dragObject())
        drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

void VxGeometryListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QLatin1String(kUriList)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void VxGeometryListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(QLatin1String(kUriList)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void VxGeometryListView::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (!data->hasFormat(QLatin1String(kUriList))) {
        event->ignore();
        return;
    }
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        // Only the importer's own extensions, as written: another case is not taken for one.
        if (path.endsWith(QLatin1String(".obj")) || path.endsWith(QLatin1String(".obz")))
            paths.append(path);
    }
    loadFiles(paths);
    event->acceptProposedAction();
}
