#pragma once

#include <QHash>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeWidget>

class QDrag;
class QMimeData;
class VxFSHierarchy;
class VxFSHierarchyIKChain;
class VxIKChainItem;
class VxIKLinkItem;

// The IK chains of the hierarchy document: chains are created, renamed in place, switched
// on and off, reordered and removed here; bones dragged in from the relationships view
// become links, and links are reordered, re-weighted and removed.
//
// Chain items follow their chain: a chain deleted by anyone (the document's clear before a
// template is read into it, for instance) takes its item with it.
class VxIKListView : public QTreeWidget
{
    Q_OBJECT
public:
    // `pane` is the Figure Setup pane that owns the view. The pane sits above the views, so
    // the view never calls it: it asks for chain creation with createIKChainRequested().
    VxIKListView(QWidget* pane, QWidget* parent = nullptr, const QString& name = QString());

    // Shows `document`'s chains in its order, replacing what was shown.
    void setHierarchy(VxFSHierarchy* document);
    VxFSHierarchy* getHierarchy() const { return m_document; }
    QWidget* getPane() const { return m_pane; }

    VxIKChainItem* findItem(const VxFSHierarchyIKChain* chain) const;
    // The drag that dragging the selection now would start (a chain or a link), or null.
    // The caller owns it until it is executed.
    QDrag* dragObject();
    // Whether a drag carrying `source` may be dropped on `item` (null: the empty area).
    virtual bool acceptsDrop(QTreeWidgetItem* item, const QMimeData* source) const;

public slots:
    // A chain made elsewhere (the pane's chain dialog) is shown after the others.
    void newIKChainCreated(VxFSHierarchyIKChain* chain);
    // The view's context menu for `item` (null over empty space) at the global `pos`.
    void contextMenu(QTreeWidgetItem* item, const QPoint& pos, int column);

signals:
    // The pane is asked to run the chain dialog, with `boneItems` (relationships-view bone
    // items, possibly none) as the chain's bones; `source` names the asking view.
    void createIKChainRequested(const QString& source, const QList<QTreeWidgetItem*>& boneItems);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void removeAllChainItems();
    VxIKChainItem* addChainItem(VxFSHierarchyIKChain* chain);
    void chainDestroyed(QObject* chain);
    void itemCheckChanged(QTreeWidgetItem* item, int column);
    void showContextMenu(const QPoint& viewportPos);

    // In-place edits, run once the editor has closed: a refusal shows a message box, which
    // must not open while the editor still commits.
    void finishEdit(const QPersistentModelIndex& index);
    void renameChain(VxIKChainItem* item);
    void changeWeight(VxIKLinkItem* item);

    void removeChains(const QList<QTreeWidgetItem*>& items);
    void removeLinks(const QList<QTreeWidgetItem*>& items);
    bool isOwnItem(const QTreeWidgetItem* item) const;
    bool dropBone(QTreeWidgetItem* target, const QMimeData* source);
    bool dropChain(QTreeWidgetItem* target, const QMimeData* source);

    QWidget* m_pane;
    QPointer<VxFSHierarchy> m_document;
    QHash<const QObject*, VxIKChainItem*> m_items;
    QPersistentModelIndex m_editing;
};
