#pragma once

#include "vxhierarchydialogs.h"
#include "vxhierarchyitem.h"

#include "vxfiguresetupfiguretype.h"

#include <QList>
#include <QPointer>
#include <QTreeWidget>

class QDrag;
class QMimeData;
class VxFSHierarchy;
class VxPopupMenuBC;

// The relationships view of the Figure Setup pane: one hierarchy document as an editable
// tree (the document, its base geometry, the "Bones" forest with each bone's geometry,
// alternates and weld, and the "Regions" forest of single-skin figures). Renames happen in
// place, the column context menus edit rotation orders, welds, bones and regions, and
// bones, regions, geometries and face groups are dropped onto items.
//
// The view never owns the document. Every item holds the model object it shows and
// refreshes itself from that object's signals; the tree is built again only when another
// document is attached or the figure type changes.
class VxHierarchyEditorView : public QTreeWidget
{
    Q_OBJECT
public:
    // `pane` is the Figure Setup pane that owns the view. The pane sits above the views, so
    // the view keeps it as a plain widget and never calls it: it asks for IK chain creation
    // with createIKChainRequested(), which the pane connects.
    VxHierarchyEditorView(QWidget* pane, QWidget* parent = nullptr);
    ~VxHierarchyEditorView() override;

    // Shows `hierarchy`, building the tree again. Null is refused with a warning.
    void fromHierarchy(VxFSHierarchy* hierarchy);
    VxFSHierarchy* getHierarchy() const;
    VxHierarchyItem* getRootItem() const { return m_rootItem; }
    QWidget* getPane() const { return m_pane; }

    // Makes `item` the current item, the one with the keyboard focus, leaving the selection
    // as it is: the feedback of a drag moving over the tree.
    void makeCurrent(QTreeWidgetItem* item);
    // The selected items in tree order.
    QList<QTreeWidgetItem*> selectedItemsInTreeOrder() const;

    // The dialogs the menus open (VxHierarchyDialogs::standard() to begin with).
    const VxHierarchyDialogs& getDialogs() const { return m_dialogs; }
    void setDialogs(const VxHierarchyDialogs& dialogs) { m_dialogs = dialogs; }

    // The drag of the first selected item in tree order: a bone drag for a bone item, a
    // region drag for a region item, else null. The caller owns it.
    QDrag* dragObject();
    // Whether the drag `source` may be dropped on `item` (null over empty space).
    virtual bool acceptsDrop(QTreeWidgetItem* item, const QMimeData* source);

    QSize minimumSizeHint() const override;

signals:
    // The tree was built again for a document whose figure type changed.
    void figureChanged(VxFigureSetupFigureType type);
    // "Create IK Chain...": the pane makes a chain from the selected bone items of the view
    // named `source` ("HierarchyView").
    void createIKChainRequested(const QString& source);

public slots:
    // Forgets the root item, then empties the tree.
    void clear();

    // The menus of the four kinds of item for a click on `item` in column `col`, built
    // from the current selection; null when that click offers no menu. The caller owns
    // the menu.
    VxPopupMenuBC* createHierarchyItemContextMenu(QTreeWidgetItem* item, const QPoint& pos, int col);
    VxPopupMenuBC* createGeometryContextMenu(QTreeWidgetItem* item, const QPoint& pos, int col);
    VxPopupMenuBC* createAltGeometryContextMenu(QTreeWidgetItem* item, const QPoint& pos, int col);
    VxPopupMenuBC* createRegionContextMenu(QTreeWidgetItem* item, const QPoint& pos, int col);

private slots:
    // Builds and runs the context menu for a click on `item` in column `col`; `pos` is
    // global.
    void contextMenu(QTreeWidgetItem* item, const QPoint& pos, int col);
    void removeSelectedBones(QList<QTreeWidgetItem*>& selected);
    void removeSelectedBonesAndChildren(QList<QTreeWidgetItem*>& selected);
    void addChildBone(QTreeWidgetItem* item);
    void addBoneSequence(QTreeWidgetItem* item);
    void removeSelectedGeom(QList<QTreeWidgetItem*>& selected);
    void removeSelectedAltGeom(QList<QTreeWidgetItem*>& selected);
    void clearSelectedAltGeoms(QList<QTreeWidgetItem*>& selected);
    void removeWeldOnSelected(QTreeWidgetItem* item, int weldId);
    void handleContextResult(int result, QList<QTreeWidgetItem*>& selected);
    void weldSelectedToNone();
    void weldSelectedToParent();
    void weldSelectedToBone();
    void setRotationOnSelected(int orderId);
    void expandSelectedandChildren();
    void collapseSelectedandChildren();
    void setJointsParamsOnSelected();
    void figureTypeChanged(VxFigureSetupFigureType type);
    void createRegion();
    void removeRegion(bool recurse);
    void removeRegion() { removeRegion(false); }

    void requestContextMenu(const QPoint& viewportPos);
    // An in-place rename of `column` was committed on `item`.
    void okRename(QTreeWidgetItem* item, int column);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The selected items of `type` in tree order, only those in `among` when it is given.
    QList<QTreeWidgetItem*> selectedOfType(int type, const QList<QTreeWidgetItem*>* among = nullptr) const;
    void startRename(QTreeWidgetItem* item, int column);
    void showWeldColumn(bool show);
    void expandSelected(bool open);
    // Columns grow to fit their texts but never shrink: the user may have widened them.
    void widenColumnsToContents();
    void widenColumnsFor(const QModelIndex& topLeft, const QModelIndex& bottomRight);

    QWidget* m_pane;
    QPointer<VxHierarchyItem> m_rootItem;
    VxHierarchyDialogs m_dialogs;
};
