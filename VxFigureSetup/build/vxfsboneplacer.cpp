#include "vxfsboneplacer.h"

#include "vxfsgeomgroup.h"
#include "vxfshierarchyitem.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxproperty.h"
#include "vxscene.h"
#include "vxselectionmap.h"
#include "vxshape.h"
#include "vxskeleton.h"

namespace {
// The figure's skin as a facet mesh, or null (no base geometry).
const VxFacetMesh* skinMesh(const VxSkeleton* figure)
{
    VxShape* shape = VxShape::getCurrentShapeForNode(figure);
    return shape ? qobject_cast<const VxFacetMesh*>(shape->getGeometry()) : nullptr;
}
} // namespace

VxBone* VxFSBonePlacer::createBone(const VxFSHierarchyItem* item, VxNode* parent)
{
    if (!item || !parent)
        return nullptr;
    auto* bone = new VxBone();
    bone->setName(item->getName());
    bone->setLabel(item->getLabel());
    bone->setRotationOrder(item->getRotationOrder());
    bone->setInheritScale(qobject_cast<VxSkeleton*>(parent) != nullptr);
    parent->addNodeChild(bone, false);
    if (VxScene* scene = vxScene)
        scene->addNode(bone);
    return bone;
}

void VxFSBonePlacer::placeBone(const VxFSHierarchyItem* item, VxBone* bone, VxNode* parent, VxSkeleton* figure)
{
    if (!item || !bone || !parent)
        return;
    VxVec3 origin;
    VxVec3 lo;
    VxVec3 hi;
    bool measured = false;
    if (const VxFSGeomGroup* group = item->getGeomGroup()) {
        if (figure) {
            if (!figure->getSelectionMap())
                figure->setSelectionMap(new VxSelectionMap());
            figure->getSelectionMap()->addPair(group->getName(), bone, true);
        }
        // Without a skin (no base geometry), or for a group the skin lacks, there is
        // nothing to measure: the bone is placed as one without a face group.
        if (const VxFacetMesh* mesh = skinMesh(figure)) {
            const VxBox3 box = mesh->getFaceGroupBoundingBox(group->getName(), VxMatrix3());
            if (!box.isEmpty()) {
                lo = box.getMin();
                hi = box.getMax();
                origin = box.getCenter();
                measured = true;
            }
        }
    }
    if (!measured) {
        origin = parent->getEndPoint(false);
        lo = origin;
        hi = origin + VxVec3(1.0f, 1.0f, 1.0f);
    }
    const VxVec3 direction = origin - parent->getOrigin(false);

    VxVec3 vector;
    const int t = item->getRotationOrder().getAxis(0);
    if (t >= 0 && t <= 2) {
        if (direction[t] < 0.0f) {
            origin[t] = hi[t];
            vector[t] = lo[t] - hi[t];
        } else {
            origin[t] = lo[t];
            vector[t] = hi[t] - lo[t];
        }
    }
    setChannelLabels(item, bone);
    bone->setOrigin(origin, true);
    bone->setEndPoint(origin + vector, true);

    if (qobject_cast<VxBone*>(parent)) {
        for (int axis = 0; axis < 3; ++axis)
            bone->getPosControl(axis)->setHidden(true);
    }
}

void VxFSBonePlacer::setChannelLabels(const VxFSHierarchyItem* item, VxNode* bone)
{
    if (!item || !bone)
        return;
    const VxRotationOrder order = item->getRotationOrder();
    if (!order.isValid())
        return;
    bone->getRotControl(order.getAxis(0))->setLabel(item->getAxis1Label());
    bone->getRotControl(order.getAxis(1))->setLabel(item->getAxis2Label());
    bone->getRotControl(order.getAxis(2))->setLabel(item->getAxis3Label());
}

void VxFSBonePlacer::setEndPointFromChildren(VxNode* bone)
{
    if (!bone || bone->getNumNodeChildren() == 0)
        return;
    const VxVec3 first = bone->getNodeChild(0)->getOrigin(false);
    if (bone->getNumNodeChildren() == 2)
        bone->setEndPoint((first + bone->getNodeChild(1)->getOrigin(false)) / 2.0f, true);
    else
        bone->setEndPoint(first, true);
}
