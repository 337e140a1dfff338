#pragma once

#include <QPointer>
#include <QTreeWidgetItem>

class QTreeWidget;
class VxFSGeomItem;

// A loaded geometry in the geometry list: its short file name and, under "ID", its index
// in the document (the number the relationships view shows for it). Its children are the
// geometry's face groups. Geometries are dragged from here onto the relationships view.
class VxGeometryListItem : public QTreeWidgetItem
{
public:
    enum { Type = 4145 };

    // A detached item, for a list that inserts its items in one go.
    explicit VxGeometryListItem(VxFSGeomItem* geometry);
    // An item added at the top level of `view`.
    VxGeometryListItem(QTreeWidget* view, VxFSGeomItem* geometry);

    int rtti() const { return type(); }
    // Null once the geometry has been deleted.
    VxFSGeomItem* geometry() const;

    // Both columns from the geometry, and the names of the face-group children.
    void refresh();

private:
    QPointer<VxFSGeomItem> m_geometry;
};
