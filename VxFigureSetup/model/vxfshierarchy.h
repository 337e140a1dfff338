#pragma once

#include "vxfiguresetupfiguretype.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

class VxFSGeomItem;
class VxFSHierarchyIKChain;
class VxFSHierarchyItem;
class VxFSRegionItem;
class VxGeometryRegion;
class VxShape;

// The document the Figure Setup pane edits: the loaded geometries, one base geometry, the
// bone forest, the IK chains and the region forest, plus the figure type, content type and
// apply-SubD choice. It owns its bones, regions, chains and geometry items; bones and
// regions reach it by walking up their QObject parents.
//
// The invokables are the document as scripts see it (the Figure Setup pane's getHierarchy):
// enough to load meshes, templates and PHI files, start from a mesh and build the figure.
class VxFSHierarchy : public QObject
{
    Q_OBJECT
public:
    // An empty name gives "Figure".
    explicit VxFSHierarchy(const QString& name = QString());
    ~VxFSHierarchy() override;

    Q_INVOKABLE QString getName() const { return m_name; }
    void setName(const QString& name);
    QString getLabel() const { return m_label; }
    void setLabel(const QString& label) { m_label = label; }

    VxFigureSetupFigureType getFigureType() const { return m_figureType; }
    // Stores the type, drops face groups the type no longer allows and always announces it.
    bool setFigureType(VxFigureSetupFigureType type);
    QString getContentType() const { return m_contentType; }
    void setContentType(const QString& type) { m_contentType = type; }
    bool getApplySubD() const { return m_applySubD; }
    void setApplySubD(bool onOff) { m_applySubD = onOff; }
    QString getSourceFigureName() const { return m_sourceFigureName; }
    void setSourceFigureName(const QString& name) { m_sourceFigureName = name; }
    // Working storage while a scene figure is copied into the document.
    QStringList& sourceGeometryPaths() { return m_sourceGeometryPaths; }

    // Geometry list; an item's index is its position.
    Q_INVOKABLE int getNumGeometries() const { return m_geometries.size(); }
    Q_INVOKABLE VxFSGeomItem* getGeometry(int index) const { return m_geometries[index]; }
    VxFSGeomItem* findGeometry(const QString& path) const;
    VxFSGeomItem* findGeometryByName(const QString& shortName) const;
    // Returns the item already loaded from `path` (with *alreadyLoaded true), else loads a new
    // one; null when the file cannot be loaded.
    Q_INVOKABLE VxFSGeomItem* addGeometry(const QString& path, bool* alreadyLoaded = nullptr,
                              VxShape* materialSource = nullptr);
    // Takes ownership unless an item with the same path is present (then false, and the
    // caller keeps the item). An item of another document moves: that document lets go.
    bool addGeometryItem(VxFSGeomItem* item);
    // Takes the item out of the list without deleting it; the caller owns it then.
    bool takeGeometry(VxFSGeomItem* item);
    // Deletes the item and renumbers the rest; false when it is not in the list.
    bool removeGeometry(VxFSGeomItem* item);

    Q_INVOKABLE VxFSGeomItem* getBaseGeometry() const { return m_baseGeometry; }
    void setBaseGeometry(VxFSGeomItem* item);

    // Bone forest.
    VxFSHierarchyItem* getFirstBone() const { return m_firstBone; }
    void addBone(VxFSHierarchyItem* bone);
    // The first bone of that name in pre-order.
    VxFSHierarchyItem* findBone(const QString& name) const;
    // Every bone name of the forest.
    QSet<QString> getBoneNames() const;
    Q_INVOKABLE int getNumBones(bool recursive) const;
    QList<VxFSHierarchyItem*> getAllBones() const;
    // Unlinks the bone from the root list (or, when recursive, from any list of the forest);
    // the bone is neither deleted nor re-parented.
    bool removeBone(VxFSHierarchyItem* bone, bool recursive);

    // IK chains, in their user-visible order.
    Q_INVOKABLE int getNumIKChains() const { return m_ikChains.size(); }
    VxFSHierarchyIKChain* getIKChain(int index) const { return m_ikChains[index]; }
    VxFSHierarchyIKChain* createIKChain(const QString& name);
    // Appends a chain made elsewhere (a reader), taking ownership; no signal.
    void adoptIKChain(VxFSHierarchyIKChain* chain);
    void removeIKChain(VxFSHierarchyIKChain* chain);
    void moveIKChainToEnd(VxFSHierarchyIKChain* chain);
    void moveIKChainAfter(VxFSHierarchyIKChain* chain, VxFSHierarchyIKChain* anchor);

    // Region forest.
    VxFSRegionItem* getFirstRegion() const { return m_firstRegion; }
    void addRegion(VxFSRegionItem* region);
    VxFSRegionItem* findRegion(const QString& name) const;
    // Every region name of the forest.
    QSet<QString> getRegionNames() const;
    bool removeRegion(VxFSRegionItem* region, bool recursive);
    // Copies the children of a scene region tree below `parent` (top-level when it is
    // null), recursively, keeping their order and names (made unique).
    void buildRegions(const VxGeometryRegion* region, VxFSRegionItem* parent);

    // Drops bones, chains, the base geometry and (with includeRegions) regions; resets the
    // name. Geometries, figure type, content type and apply-SubD stay.
    Q_INVOKABLE void clear(bool includeRegions);
    // Starts the document over from one geometry: one root bone per face group.
    Q_INVOKABLE void fromGeometry(VxFSGeomItem* item);
    // Unassigns every face group that does not belong to the base geometry.
    void validateGeometryAssignments();

    // Builds the figure this document describes in the host scene (defined with the
    // builders): a single-skin figure for SingleSkin (and any unknown type), where
    // `modifySelected` asks to transfer the selected figure's rigging onto it; a new
    // parametric figure for Poser, or with `modifySelected` the document applied to the
    // selected parametric figure it was copied from.
    Q_INVOKABLE void createFigure(bool modifySelected);

    // Figure templates (.vxt) and Poser hierarchy import (.phi), under the names scripts
    // and the pane's actions use. The formats live in io/ (VxFSTemplateFile, VxFSPhiFile),
    // which defines these three; failures are shown to the user and written to the host log.
    Q_INVOKABLE void savePreset(const QString& fileName) const;
    Q_INVOKABLE void loadPreset(const QString& fileName);
    Q_INVOKABLE void loadPHI(const QString& fileName);

signals:
    void nameChanged();
    // Declared for listeners; the document's own operations do not emit these four.
    void geometryListChanged();
    void childrenChanged();
    void removingGeometry();
    void removingChild();
    void geometryChanged();
    void figureTypeChanged(VxFigureSetupFigureType type);

public slots:
    void geomDestroyed();

protected:
    // A bone re-parented onto the document brings its subtree's names.
    void childEvent(QChildEvent* event) override;

private:
    // Bones report the names they take and the subtrees that join the document, so that
    // findBone answers without searching the forest: a name no bone of the document ever
    // had at once, and a name that one linked bone holds from that bone. This keeps the
    // name rule and the chain and weld lookups from making large files quadratic.
    friend class VxFSHierarchyItem;
    void noteBoneName(const QString& name, VxFSHierarchyItem* bone);
    void noteBoneNames(VxFSHierarchyItem* subtree);
    // Called for a subtree linked into the forest: also notes whether its QObject parents
    // lead elsewhere, since such bones cannot report their renames to the document.
    void noteLinkedBones(VxFSHierarchyItem* subtree);
    void geometryItemDestroyed(QObject* item);
    void ikChainDestroyed(QObject* chain);
    void renumberGeometries();

    QString m_name;
    QString m_label;
    VxFSHierarchyItem* m_firstBone = nullptr;
    VxFSRegionItem* m_firstRegion = nullptr;
    QList<VxFSHierarchyIKChain*> m_ikChains;
    QList<VxFSGeomItem*> m_geometries;
    VxFSGeomItem* m_baseGeometry = nullptr;
    QString m_sourceFigureName;
    bool m_applySubD = false;
    QStringList m_sourceGeometryPaths;
    VxFigureSetupFigureType m_figureType = SingleSkin;
    QString m_contentType;
    // Every name a bone of the forest may hold, each with the bones that took it (see
    // noteBoneName; entries of bones renamed or gone since are skipped), trusted only while
    // no bone of another QObject tree has been linked in.
    QHash<QString, QVector<QPointer<VxFSHierarchyItem>>> m_knownBones;
    bool m_foreignBonesLinked = false;
};
