#pragma once

class QMimeData;
class QTreeWidgetItem;
class VxFSHierarchy;
class VxHierarchyEditorView;

// What the relationships view does with the four drags it takes: bones (re-parented),
// face groups from the geometry list (assigned to bones), geometries from the geometry list
// (base geometry, or alternates of bones of parametric figures) and regions (re-parented).
// It edits the document and moves the affected items, never building the tree again except
// when a geometry starts an empty document over.
class VxHierarchyDropHandler
{
public:
    explicit VxHierarchyDropHandler(VxHierarchyEditorView* view) : m_view(view) {}

    // Whether `source` carries a format the view takes at all.
    static bool providesAnyFormat(const QMimeData* source);
    // Whether `source` may be dropped on `item` (null over empty space). Makes the item
    // under the cursor current where the format allows it, as feedback during the drag.
    bool acceptsDrop(QTreeWidgetItem* item, const QMimeData* source);
    // Drops `source` on `item`; false when the view refuses it and nothing changed.
    bool drop(QTreeWidgetItem* item, const QMimeData* source);

private:
    bool acceptsBone(QTreeWidgetItem* item, const QMimeData* source);
    bool acceptsGeometryGroup(QTreeWidgetItem* item, const QMimeData* source);
    bool acceptsGeometry(QTreeWidgetItem* item, const QMimeData* source);
    bool acceptsRegion(QTreeWidgetItem* item, const QMimeData* source);

    bool dropBone(QTreeWidgetItem* item, const QMimeData* source);
    bool dropGeometryGroup(QTreeWidgetItem* item, const QMimeData* source);
    bool dropGeometry(QTreeWidgetItem* item, const QMimeData* source);
    bool dropGeometryOnDocument(VxFSHierarchy* document, class VxFSGeomItem* geometry);
    bool dropRegion(QTreeWidgetItem* item, const QMimeData* source);

    VxHierarchyEditorView* m_view;
};
