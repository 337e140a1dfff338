#pragma once

#include "vxfiguresetupfiguretype.h"

#include "vxrotationorder.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class VxBone;
class VxFSGeomGroup;
class VxFSGeomItem;
class VxFSHierarchy;
class VxLegacyFigure;
class VxNode;
class VxSkeleton;

// One bone of the hierarchy document: name and label, rotation set-up, the face group it
// owns, alternate geometries, weld targets and the joint-parameter / weight-map choices.
//
// Bones form an intrusive forest: a bone owns its children (first child, next sibling,
// appended at the tail). Its QObject parent is its parent bone, or the document for a root
// bone. Bone names are unique across the document.
class VxFSHierarchyItem : public QObject
{
    Q_OBJECT
public:
    // Each constructor sets the name (uniqueness applies; an empty name stays empty until
    // set) and links the bone at the tail of its parent's children or of the document's
    // root list.
    VxFSHierarchyItem(VxFSHierarchyItem* parent, const QString& name);
    VxFSHierarchyItem(VxFSHierarchy* document, const QString& name);
    ~VxFSHierarchyItem() override;

    QString getName() const { return m_name; }
    // Makes the name unique in the document (with one warning when it was taken).
    void setName(const QString& name);
    QString getLabel() const { return m_label; }
    void setLabel(const QString& label) { m_label = label; }
    // The next successful setName also becomes the label (a bone made with a default name).
    void setLabelFollowsName(bool onOff) { m_labelFollowsName = onOff; }
    bool getLabelFollowsName() const { return m_labelFollowsName; }

    QString getAxis1Label() const { return m_axis1Label; }
    QString getAxis2Label() const { return m_axis2Label; }
    QString getAxis3Label() const { return m_axis3Label; }
    // Plain stores: copying a figure fills them; nothing in the model announces them.
    void setAxis1Label(const QString& label) { m_axis1Label = label; }
    void setAxis2Label(const QString& label) { m_axis2Label = label; }
    void setAxis3Label(const QString& label) { m_axis3Label = label; }

    QString getSourceBoneName() const { return m_sourceBoneName; }
    void setSourceBoneName(const QString& name) { m_sourceBoneName = name; }

    // Mapping onto a scene figure (the figure this document was copied from): the scene
    // bone named as sourceBoneName and that bone's node parent when it was mapped. Both
    // become null when the scene objects die.
    VxNode* getParentNode() const;
    VxBone* getMappedBone() const;
    // The scene node the mapped bone hangs below now, once an apply has moved it there.
    void setParentNode(VxNode* node);
    // This bone and its subtree.
    void mapToSkeleton(VxSkeleton* skeleton);
    // Children below this bone (recursively, through those that match) forget `node` as
    // their parent node.
    void clearParentNodeReferences(VxNode* node);
    // Hands the figure one VxWeld per weld target whose figure bone exists, for this bone
    // and its subtree.
    void applyWelds(VxLegacyFigure* figure) const;

    VxRotationOrder getRotationOrder() const { return m_rotationOrder; }
    void setRotationOrder(VxRotationOrder order);

    // Forest.
    VxFSHierarchyItem* getFirstChild() const { return m_firstChild; }
    VxFSHierarchyItem* getNextSibling() const { return m_nextSibling; }
    void addChild(VxFSHierarchyItem* child);
    // Unlinks `child` from this bone's children (or, when recursive, from anywhere below);
    // it is neither deleted nor re-parented.
    bool removeChild(VxFSHierarchyItem* child, bool recursive);
    VxFSHierarchyItem* findChild(const QString& name) const;
    VxFSHierarchyItem* findBySourceBoneName(const QString& name);
    int getNumChildren(bool recursive) const;
    QList<VxFSHierarchyItem*> getAllDescendants() const;

    // The document's figure type, SingleSkin when the bone is in no document.
    VxFigureSetupFigureType getFigureType() const;
    VxFSHierarchy* getHierarchy() const;

    // Joint-parameter and weight-map choices.
    bool getCurve() const { return m_curve; }
    bool getTwist() const { return m_twist; }
    bool getSideSide() const { return m_sideSide; }
    bool getBend() const { return m_bend; }
    bool getScale() const { return m_scale; }
    bool getTwistBulge() const { return m_twistBulge; }
    bool getBendBulge() const { return m_bendBulge; }
    bool getSideBulge() const { return m_sideBulge; }
    // Always announced, as a rotation-order change: the curve choice alters the joint set-up.
    void setCurve(bool onOff);
    void setTwist(bool onOff) { m_twist = onOff; }
    void setSideSide(bool onOff) { m_sideSide = onOff; }
    void setBend(bool onOff) { m_bend = onOff; }
    void setScale(bool onOff) { m_scale = onOff; }
    void setTwistBulge(bool onOff) { m_twistBulge = onOff; }
    void setBendBulge(bool onOff) { m_bendBulge = onOff; }
    void setSideBulge(bool onOff) { m_sideBulge = onOff; }

    // The face group this bone owns; on a single-skin document only groups of the base
    // geometry are accepted (the first one chooses the base geometry).
    VxFSGeomGroup* getGeomGroup() const { return m_geomGroup; }
    void setGeomGroup(VxFSGeomGroup* group);

    int getNumAltGeometries() const { return m_altGeometries.size(); }
    VxFSGeomItem* getAltGeometry(int index) const { return m_altGeometries[index]; }
    bool addAltGeometry(VxFSGeomItem* item);
    void removeAltGeometry(VxFSGeomItem* item);
    void clearAltGeometries();

    int getNumWeldTargets() const { return m_weldTargets.size(); }
    VxFSHierarchyItem* getWeldTarget(int index) const { return m_weldTargets.value(index, nullptr); }
    void setWeldTarget(VxFSHierarchyItem* target);
    void addWeldTarget(VxFSHierarchyItem* target);
    void removeWeldTarget(VxFSHierarchyItem* target);

signals:
    // Declared for listeners (views connect to boneStateChanged()); the bone's own
    // operations emit only the others.
    void childrenChanged();
    void nameChanged();
    void axis1LabelChanged();
    void axis2LabelChanged();
    void axis3LabelChanged();
    void rotOrderChanged();
    void boneStateChanged();
    void weldItemChanged();
    void geometryChanged();
    void altGeometryChanged();
    void aboutToDestroy(VxFSHierarchyItem* item);

protected:
    // A bone re-parented under this one brings its subtree's names to the document.
    void childEvent(QChildEvent* event) override;

public slots:
    void weldDestroyed(VxFSHierarchyItem* weld);
    void geomGroupDestroyed();
    void altGeomDestroyed(VxFSGeomItem* geom);

private:
    friend class VxFSForest;
    explicit VxFSHierarchyItem(QObject* parent);
    void linkUnder(VxFSHierarchyItem* parent);
    void linkUnder(VxFSHierarchy* document);
    void connectWeldTarget(VxFSHierarchyItem* target);
    void disconnectWeldTarget(VxFSHierarchyItem* target);

    QString m_name;
    QString m_label;
    QString m_axis1Label;
    QString m_axis2Label;
    QString m_axis3Label;
    QString m_sourceBoneName;
    QPointer<VxNode> m_parentNode;
    QPointer<VxBone> m_mappedBone;
    VxRotationOrder m_rotationOrder;
    VxFSHierarchyItem* m_firstChild = nullptr;
    VxFSHierarchyItem* m_nextSibling = nullptr;
    VxFSHierarchyItem** m_listHead = nullptr;
    QList<VxFSHierarchyItem*> m_weldTargets;
    bool m_curve = false;
    bool m_twist = true;
    bool m_sideSide = true;
    bool m_bend = true;
    bool m_scale = true;
    bool m_twistBulge = false;
    bool m_bendBulge = false;
    bool m_sideBulge = false;
    VxFSGeomGroup* m_geomGroup = nullptr;
    QList<VxFSGeomItem*> m_altGeometries;
    bool m_labelFollowsName = false;
};
