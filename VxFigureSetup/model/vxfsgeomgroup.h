#pragma once

#include <QObject>
#include <QString>

class VxFSGeomItem;

// One face group of a loaded geometry, assignable to a bone. Its geometry item owns it;
// bones hold counted, non-owning references and learn of its death through destroyed().
class VxFSGeomGroup : public QObject
{
    Q_OBJECT
public:
    VxFSGeomGroup(const QString& name, VxFSGeomItem* geomItem);
    ~VxFSGeomGroup() override;

    QString getName() const { return m_name; }
    VxFSGeomItem* getGeomItem() const { return m_geomItem; }
    bool isAssigned() const { return m_assignCount > 0; }
    int getAssignCount() const { return m_assignCount; }

    // Each assignment on the group is also one on its geometry item.
    void addAssignment();
    void releaseAssignment();

signals:
    // Declared for listeners; the model itself never renames or reassigns a group.
    void nameChanged(QString name);
    void assignedChanged(bool onOff);

private:
    QString m_name;
    int m_assignCount = 0;
    VxFSGeomItem* m_geomItem;
};
