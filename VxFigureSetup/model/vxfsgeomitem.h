#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class VxFacetShape;
class VxFSGeomGroup;
class VxFSHierarchy;
class VxShape;

// One mesh loaded into the hierarchy document, with one VxFSGeomGroup per face group.
// The document owns the item; bones and the document's base-geometry slot hold counted,
// non-owning references and drop them on aboutToDelete().
//
// The item holds one reference on its shape and releases it when it dies; it never deletes
// the shape itself, since a figure built from the document may have adopted it.
class VxFSGeomItem : public QObject
{
    Q_OBJECT
public:
    // Loads `path` through the host importer. Check isLoaded() afterwards: a failed load
    // leaves an empty item that the caller deletes. Materials of `materialSource` (may be
    // null) are copied onto the loaded shape.
    VxFSGeomItem(const QString& path, int index, VxShape* materialSource);
    // Shows a shape already in the scene: a new shape sharing `source`'s mesh and materials.
    VxFSGeomItem(VxFacetShape* source, const QString& shortName);
    ~VxFSGeomItem() override;

    VxFacetShape* getShape() const { return m_shape; }
    Q_INVOKABLE QString getPath() const { return m_path; }
    Q_INVOKABLE QString getShortName() const { return m_shortName; }
    int getIndex() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    bool isLoaded() const { return m_loaded; }
    // The document whose geometry list holds (and owns) the item, or null.
    VxFSHierarchy* getDocument() const { return m_document; }

    int getNumGroups() const { return m_groups.size(); }
    VxFSGeomGroup* getGroup(int index) const { return m_groups[index]; }
    VxFSGeomGroup* findGroup(const QString& name) const;

    // Base geometry, alternate geometry and assigned face groups each count once.
    void addAssignment() { ++m_useCount; }
    void releaseAssignment();
    bool isInUse() const { return m_useCount > 0; }
    int getUseCount() const { return m_useCount; }

    // Copies every material of `source` whose class the host can create: a copy replaces
    // the shape's material of the same name, or is added when there is none.
    void transferMaterials(const VxShape* source);

signals:
    void aboutToDelete(VxFSGeomItem* geom);

private:
    friend class VxFSHierarchy;
    void load();
    void adoptShape(VxShape* shape);
    void createGroups();
    void nameShapeAfterFile();

    VxFacetShape* m_shape = nullptr;
    QString m_path;
    QList<VxFSGeomGroup*> m_groups;
    QHash<QString, VxFSGeomGroup*> m_groupByName; // the first group of each name
    int m_useCount = 0;
    int m_index = 0;
    QString m_shortName;
    bool m_loaded = false;
    VxFSHierarchy* m_document = nullptr;
};
