#include "vxposeevaluator.h"

#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfigure.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyjoint.h"
#include "vxlegacyjointdeformer.h"
#include "vxlegacyjointparam.h"
#include "vxlegacyjointweights.h"
#include "vxobject.h"
#include "vxproperty.h"
#include "vxselectionmap.h"
#include "vxskeletonpose.h"
#include "vxskinbinding.h"
#include "vxskindeformer.h"
#include "vxweldcloser.h"

#include <cstring>

VxPoseEvaluator::VxPoseEvaluator(VxObject* object) : m_object(object) {}

VxPoseEvaluator::~VxPoseEvaluator()
{
    for (const QMetaObject::Connection& connection : qAsConst(m_connections))
        disconnect(connection);
    if (m_evaluated)
        m_evaluated->unref();
}

VxGeometry* VxPoseEvaluator::geometry()
{
    VxShape* shape = m_object->getCurrentShape();
    if (!shape)
        return nullptr;
    auto* base = qobject_cast<VxFacetMesh*>(shape->getGeometry());
    auto* figure = qobject_cast<VxSkeleton*>(m_object->getNode());
    const bool deformable = base && (qobject_cast<VxFigure*>(figure) || qobject_cast<VxLegacyFigure*>(figure));
    if (!deformable)
        return shape->getGeometry();
    if (!m_wired || figure != m_figure || base != m_base)
        rewire(figure, base);
    if (m_poseDirty || m_rigDirty || m_topologyDirty)
        evaluate();
    return m_evaluated;
}

void VxPoseEvaluator::invalidate()
{
    m_topologyDirty = true;
    rigChanged();
}

void VxPoseEvaluator::poseChanged()
{
    m_poseDirty = true;
    emit changed();
}

void VxPoseEvaluator::rigChanged()
{
    m_rigDirty = true;
    poseChanged();
}

void VxPoseEvaluator::structureChanged()
{
    // Rewired on the next request: the sender may be in the middle of changing.
    m_wired = false;
    rigChanged();
}

void VxPoseEvaluator::rewire(VxSkeleton* figure, VxFacetMesh* base)
{
    for (const QMetaObject::Connection& connection : qAsConst(m_connections))
        disconnect(connection);
    m_connections.clear();
    if (base != m_base)
        m_topologyDirty = true;
    m_figure = figure;
    m_base = base;
    m_wired = true;
    m_rigDirty = true;
    m_poseDirty = true;

    const auto structure = [this] { structureChanged(); };
    m_connections << connect(m_object, &VxObject::shapesChanged, this, structure)
                  << connect(m_object, &VxObject::modifiersChanged, this, structure)
                  << connect(base, &VxFacetMesh::meshChanged, this, [this] { invalidate(); });
    if (auto* shape = qobject_cast<VxFacetShape*>(m_object->getCurrentShape()))
        m_connections << connect(shape, &VxFacetShape::geometryChanged, this, structure);
    watchNode(figure);
    for (VxNode* node : figure->getNodeChildren(true))
        watchNode(node);
    watchRig(figure);
}

void VxPoseEvaluator::watchNode(VxNode* node)
{
    const auto pose = [this] { poseChanged(); };
    const auto rig = [this] { rigChanged(); };
    const auto structure = [this] { structureChanged(); };
    // The figure's own controls place it in the scene and do not change its shape.
    if (node != m_figure) {
        for (int axis = 0; axis < 3; ++axis) {
            m_connections << connect(node->getRotControl(axis), &VxProperty::valueChanged, this, pose)
                          << connect(node->getPosControl(axis), &VxProperty::valueChanged, this, pose);
        }
    }
    m_connections << connect(node, &VxNode::originChanged, this, rig)
                  << connect(node, &VxNode::endPointChanged, this, rig)
                  << connect(node, &VxNode::rotationOrderChanged, this, rig)
                  << connect(node, &VxNode::childrenChanged, this, structure)
                  << connect(node, &VxNode::nodeParentChanged, this, structure);
}

void VxPoseEvaluator::watchRig(VxSkeleton* figure)
{
    const auto rig = [this] { rigChanged(); };
    const auto structure = [this] { structureChanged(); };
    if (VxSelectionMap* map = figure->getSelectionMap())
        m_connections << connect(map, &VxSelectionMap::pairsChanged, this, rig);
    if (auto* skin = qobject_cast<VxFigure*>(figure)) {
        m_connections << connect(skin->getSkinBinding(), &VxSkinBinding::bindingsChanged, this, rig);
        return;
    }
    auto* legacy = qobject_cast<VxLegacyFigure*>(figure);
    m_connections << connect(legacy, &VxLegacyFigure::weldsChanged, this, rig);
    VxLegacyBinding* binding = legacy->findBinding();
    if (!binding)
        return;
    m_connections << connect(binding, &VxLegacyBinding::jointsChanged, this, structure);
    for (int j = 0; j < binding->getNumJoints(); ++j) {
        VxLegacyJoint* joint = binding->getJoint(j);
        m_connections << connect(joint, &VxLegacyJoint::paramsChanged, this, structure);
        for (int p = 0; p < joint->getNumJointParams(); ++p)
            m_connections << connect(joint->getJointParam(p), &VxLegacyJointParam::paramChanged, this, rig);
    }
}

void VxPoseEvaluator::copyTopology()
{
    if (!m_evaluated) {
        m_evaluated = new VxFacetMesh();
        m_evaluated->ref();
        m_evaluated->setElementParent(m_object);
    }
    VxFacetMeshData data = m_base->getData();
    m_evaluated->setData(std::move(data));
    m_evaluated->setName(m_base->getName());
    m_evaluated->enableSubDivision(m_base->isSubDivisionEnabled());
    m_topologyDirty = false;
}

void VxPoseEvaluator::evaluate()
{
    if (m_topologyDirty || !m_evaluated)
        copyTopology();
    auto* legacy = qobject_cast<VxLegacyFigure*>(m_figure);
    if (m_rigDirty) {
        m_jointWeights.reset();
        m_welds.reset();
        if (legacy) {
            // Pairs or the skin may have changed since the vertex maps and the parameters'
            // weights were cached.
            legacy->clearVertexMaps();
            if (VxLegacyBinding* binding = legacy->findBinding()) {
                for (int j = 0; j < binding->getNumJoints(); ++j)
                    binding->getJoint(j)->invalidateWeights();
            }
            m_jointWeights = std::make_unique<VxLegacyJointWeights>(legacy, m_base);
            m_welds = std::make_unique<VxWeldCloser>(legacy, m_base);
        }
        m_rigDirty = false;
    }

    const int n = m_base->getNumVertices();
    const float* rest = m_base->getVertexData();
    const VxSkeletonPose pose(m_figure);
    m_problem.clear();
    m_evaluated->beginEdit(true);
    float* out = m_evaluated->getVertexArray();
    if (pose.isRest()) {
        std::memcpy(out, rest, sizeof(float) * 3 * size_t(n));
    } else if (auto* skin = qobject_cast<VxFigure*>(m_figure)) {
        const VxSkinDeformer deformer(skin, pose, n);
        deformer.deform(rest, out);
        m_problem = deformer.problem();
    } else {
        VxLegacyJointDeformer::deform(*m_jointWeights, pose, rest, n, out);
        m_welds->close(rest, out, n);
    }
    m_poseDirty = false;
    ++m_evaluations;
    if (!m_problem.isEmpty() && m_problem != m_reportedProblem)
        qWarning("%s", qPrintable(m_problem));
    m_reportedProblem = m_problem;
    m_evaluated->finishEdit();
}
