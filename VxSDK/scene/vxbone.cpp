#include "vxbone.h"

#include "vxfacetmesh.h"
#include "vxselectionmap.h"
#include "vxshape.h"
#include "vxskeleton.h"

VxBone::VxBone(QObject* parent) : VxNode(parent) {}

VxBone::~VxBone() = default;

VxSkeleton* VxBone::getSkeleton() const
{
    for (VxNode* node = getNodeParent(); node; node = node->getNodeParent()) {
        if (VxSkeleton* skeleton = qobject_cast<VxSkeleton*>(node))
            return skeleton;
    }
    return nullptr;
}

void VxBone::setInheritScale(bool onOff)
{
    if (m_inheritScale == onOff)
        return;
    m_inheritScale = onOff;
    emit inheritScaleChanged();
}

VxOrientedBox3 VxBone::getWSOrientedBox() const
{
    VxBox3 box;
    VxSkeleton* skeleton = getSkeleton();
    VxSelectionMap* map = skeleton ? skeleton->getSelectionMap() : nullptr;
    VxShape* shape = VxShape::getCurrentShapeForNode(skeleton);
    VxFacetMesh* mesh = shape ? qobject_cast<VxFacetMesh*>(shape->getGeometry()) : nullptr;
    if (map && mesh) {
        for (const QString& group : map->getGroupsOfNode(this))
            box.extendBy(mesh->getFaceGroupBoundingBox(group));
    }
    if (box.isEmpty()) {
        box.extendBy(getOrigin(false));
        box.extendBy(getEndPoint(false));
    }
    return VxOrientedBox3(box, VxMatrix4());
}
