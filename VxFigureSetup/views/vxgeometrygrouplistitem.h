#pragma once

#include <QObject>
#include <QPointer>
#include <QTreeWidgetItem>

class VxFSGeomGroup;

// One face group of a geometry in the geometry list, shown by name. It is a QObject so
// that it can follow its group: the group's geometry deletes its groups before it
// announces its own end, and the item must not use a group that is gone meanwhile.
class VxGeometryGroupListItem : public QObject, public QTreeWidgetItem
{
    Q_OBJECT
public:
    static constexpr int Type = 4146;

    explicit VxGeometryGroupListItem(VxFSGeomGroup* group);

    int rtti() const { return type(); }
    // Null once the group has been deleted.
    VxFSGeomGroup* group() const;

public slots:
    void refresh();

private:
    QPointer<VxFSGeomGroup> m_group;
};
