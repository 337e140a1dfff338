#pragma once

#include <QTreeWidgetItem>

class VxFSGeomItem;

// A loaded geometry in the geometry list: its short file name and, under "ID", its index
// in the document (the number the relationships view shows for it). Its children are the
// geometry's face groups.
class VxGeometryListItem : public QTreeWidgetItem
{
public:
    static constexpr int Type = 4145;

    explicit VxGeometryListItem(VxFSGeomItem* geometry);

    int rtti() const { return type(); }
    VxFSGeomItem* geometry() const { return m_geometry; }

    // Both columns from the geometry, and the names of the face-group children.
    void refresh();

private:
    VxFSGeomItem* m_geometry;
};
