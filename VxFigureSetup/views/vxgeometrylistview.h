#pragma once

#include <QHash>
#include <QPointer>
#include <QTreeWidget>

class QDrag;
class VxFSGeomItem;
class VxFSHierarchy;
class VxGeometryListItem;

// The list of the geometries loaded into the hierarchy document, each with its face groups.
// Geometry enters the document here (the "Add Geometry..." file dialog, or OBJ/OBZ files
// dropped from a file manager) and leaves it ("Remove Geometry"); geometries and face groups
// are dragged from here onto the relationships view.
//
// Items follow their geometry: when a geometry item of the document is deleted, by this
// view or by anyone else, its list item goes with it.
class VxGeometryListView : public QTreeWidget
{
    Q_OBJECT
public:
    // `pane` is the Figure Setup pane that owns the view (kept, never called: the pane sits
    // above the views).
    explicit VxGeometryListView(QWidget* pane, QWidget* parent = nullptr);

    // Shows `document`'s geometries: items of geometries already shown stay, the others are
    // added, and items of geometries the document does not hold are dropped.
    void setHierarchy(VxFSHierarchy* document);
    VxFSHierarchy* getHierarchy() const { return m_document; }
    QWidget* getPane() const { return m_pane; }

    VxGeometryListItem* findItem(const VxFSGeomItem* geometry) const;
    // The drag that dragging the selection now would start (a geometry or a face group), or
    // null. The caller owns it until it is executed.
    QDrag* dragObject();
    // Where the geometry file dialog opens: the folder of the last file chosen, else the
    // host's first content folder, else the user's documents.
    static QString defaultDirectory();

public slots:
    // Both columns of every geometry and the names of their face groups, from the model.
    void refreshGeomList();
    // The list's context menu for `item` (null over empty space) at the global `pos`.
    void contextMenu(QTreeWidgetItem* item, const QPoint& pos, int column);
    // Asks for geometry files and loads each into the document.
    void addGeometryFromDialog();

signals:
    // Null after a geometry was removed.
    void geomSelectionChanged(VxFSGeomItem* geometry);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void showContextMenu(const QPoint& viewportPos);
    void geometryDeleted(VxFSGeomItem* geometry);
    // Loads every file; a new geometry gets its items, a file loaded before or one that
    // cannot be read adds nothing (the importer logs why).
    void loadFiles(const QStringList& paths);
    VxGeometryListItem* createItems(VxFSGeomItem* geometry);
    // The geometries of the selection in tree order, a face group standing for its
    // geometry, each once.
    QList<QPointer<VxFSGeomItem>> selectedGeometries() const;
    void removeGeometries(const QList<QPointer<VxFSGeomItem>>& geometries);
    void browseToFiles(const QList<QPointer<VxFSGeomItem>>& geometries, bool itemClicked);

    QWidget* m_pane;
    QPointer<VxFSHierarchy> m_document;
    QHash<const VxFSGeomItem*, VxGeometryListItem*> m_items;
    bool m_refreshQueued = false;
};
