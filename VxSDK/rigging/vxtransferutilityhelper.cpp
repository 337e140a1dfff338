#include "vxtransferutilityhelper.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxnearestvertexfinder.h"
#include "vxrefcounted.h"
#include "vxshape.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

namespace {
VxFacetMesh* skinMesh(const VxFigure* figure)
{
    VxShape* shape = VxShape::getCurrentShapeForNode(figure);
    return shape ? qobject_cast<VxFacetMesh*>(shape->getGeometry()) : nullptr;
}

bool hasMaps(const VxBoneBinding* binding)
{
    if (binding->getScaleWeights())
        return true;
    for (int axis = 0; axis < 3; ++axis) {
        if (binding->getLocalWeights(axis) || binding->getBulgeBinding(axis))
            return true;
    }
    return false;
}
} // namespace

VxTransferUtilityHelper::VxTransferUtilityHelper(VxFigure* source, VxFigure* target)
    : m_source(source), m_target(target)
{
}

VxTransferUtilityHelper::~VxTransferUtilityHelper() = default;

bool VxTransferUtilityHelper::doTransfer()
{
    m_transferred.clear();
    m_skipped.clear();
    m_nearest.clear();
    if (!m_source || !m_target || m_source == m_target || !skinMesh(m_source) || !skinMesh(m_target))
        return false;
    bool any = false;
    for (VxBone* bone : m_target->getAllBones()) {
        VxBone* sourceBone = m_source->findBone(bone->getName());
        const VxBoneBinding* from = sourceBone ? m_source->getSkinBinding()->findBoneBinding(sourceBone) : nullptr;
        if (!from || !hasMaps(from)) {
            m_skipped.append(bone->getName());
            continue;
        }
        if (m_nearest.empty() && !prepareNearest())
            return false;
        VxBoneBinding* to = m_target->getSkinBinding()->findBoneBinding(bone);
        if (!to) {
            to = new VxBoneBinding();
            to->setBone(bone);
            m_target->getSkinBinding()->addBoneBinding(to);
        }
        if (transferBone(from, to)) {
            m_transferred.append(bone->getName());
            any = true;
        }
    }
    return any;
}

bool VxTransferUtilityHelper::prepareNearest()
{
    const VxFacetMesh* sourceMesh = skinMesh(m_source);
    const VxFacetMesh* targetMesh = skinMesh(m_target);
    VxNearestVertexFinder finder(sourceMesh);
    if (finder.isEmpty() || targetMesh->getNumVertices() == 0)
        return false;
    m_nearest.resize(size_t(targetMesh->getNumVertices()));
    for (int v = 0; v < targetMesh->getNumVertices(); ++v)
        m_nearest[size_t(v)] = finder.findNearest(targetMesh->getVertex(v));
    return true;
}

VxWeightMap* VxTransferUtilityHelper::copyMap(const VxWeightMap* from, VxWeightMap* existing)
{
    VxWeightMap* to = existing ? existing : new VxWeightMap(from->getName());
    to->setNumWeights(int(m_nearest.size()), false); // all zeros, no pages
    if (from->getNumAllocatedPages() == 0)
        return to; // an unpainted map copies as an unpainted map
    for (size_t v = 0; v < m_nearest.size(); ++v)
        to->setWeight(int(v), from->getWeight(m_nearest[v])); // zeros stay free
    return to;
}

bool VxTransferUtilityHelper::transferBone(const VxBoneBinding* from, VxBoneBinding* to)
{
    bool any = false;
    for (int axis = 0; axis < 3; ++axis) {
        if (const VxWeightMap* local = from->getLocalWeights(axis)) {
            VxRefGuard<VxWeightMap> map(copyMap(local, to->getLocalWeights(axis)));
            to->setLocalWeights(axis, map.get());
            any = true;
        }
        if (const VxBulgeBinding* bulge = from->getBulgeBinding(axis)) {
            VxBulgeBinding* target = to->getBulgeBinding(axis);
            if (!target) {
                target = new VxBulgeBinding();
                to->setBulgeBinding(axis, target);
            }
            target->setAxis(bulge->getAxis());
            if (bulge->getRightWeights()) {
                VxRefGuard<VxWeightMap> map(copyMap(bulge->getRightWeights(), target->getRightWeights()));
                target->setRightWeights(map.get());
            }
            if (bulge->getLeftWeights()) {
                VxRefGuard<VxWeightMap> map(copyMap(bulge->getLeftWeights(), target->getLeftWeights()));
                target->setLeftWeights(map.get());
            }
            any = true;
        }
    }
    if (const VxWeightMap* scale = from->getScaleWeights()) {
        VxRefGuard<VxWeightMap> map(copyMap(scale, to->getScaleWeights()));
        to->setScaleWeights(map.get());
        any = true;
    }
    return any;
}
