#pragma once

#include "vxsdkglobal.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class VxFacetMesh;
class VxGeometry;
class VxLegacyJointWeights;
class VxNode;
class VxObject;
class VxSkeleton;
class VxWeldCloser;

// The evaluated shape of one object, kept between requests: for a figure (VxFigure by its
// skin binding, VxLegacyFigure by its joints and welds) a mesh of its own that has the skin's
// topology and the posed positions; for any other object its current shape's geometry.
//
// It watches what the shape depends on and evaluates again only on the first request after
// a change: the rotation and translation controls of the figure's nodes (a pose change), and
// the rig and the skin (nodes added or moved, rotation orders, bindings, joints, parameters,
// welds, selection pairs, the mesh). Every change emits changed(). Weight maps are edited
// without signals, so whoever paints them calls invalidate().
class VXSDK_EXPORT VxPoseEvaluator : public QObject
{
    Q_OBJECT
public:
    explicit VxPoseEvaluator(VxObject* object);
    ~VxPoseEvaluator() override;

    VxGeometry* geometry();
    // Marks everything stale (pose and rig).
    void invalidate();
    // How many times the posed positions were computed.
    int evaluationCount() const { return m_evaluations; }
    // What the last evaluation had to work around; empty when nothing.
    const QString& problem() const { return m_problem; }

signals:
    void changed();

private:
    void poseChanged();
    void rigChanged();
    void structureChanged();
    void rewire(VxSkeleton* figure, VxFacetMesh* base);
    void watchNode(VxNode* node);
    void watchRig(VxSkeleton* figure);
    void evaluate();
    void copyTopology();

    VxObject* m_object;
    QPointer<VxSkeleton> m_figure;
    QPointer<VxFacetMesh> m_base;
    VxFacetMesh* m_evaluated = nullptr; // holds a reference
    std::unique_ptr<VxLegacyJointWeights> m_jointWeights;
    std::unique_ptr<VxWeldCloser> m_welds;
    QList<QMetaObject::Connection> m_connections;
    bool m_wired = false;
    bool m_poseDirty = true;
    bool m_rigDirty = true;
    bool m_topologyDirty = true;
    int m_evaluations = 0;
    QString m_problem;
    QString m_reportedProblem;
};
