#include "vxupdategeometrytarget.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxnode.h"
#include "vxobject.h"
#include "vxshape.h"
#include "vxskeleton.h"

bool VxUpdateGeometryTarget::fromSelection(VxNode* selection, VxUpdateGeometryTarget* target)
{
    if (!selection || !target)
        return false;
    VxNode* node = selection;
    VxShape* shape = VxShape::getCurrentShapeForNode(node);
    if (!shape && qobject_cast<VxBone*>(node)) {
        node = node->getSkeleton();
        shape = VxShape::getCurrentShapeForNode(node);
    }
    if (!node || !node->getObject() || !shape)
        return false;
    auto* mesh = qobject_cast<VxFacetMesh*>(shape->getGeometry());
    if (!mesh)
        return false;
    target->node = node;
    target->object = node->getObject();
    target->shape = shape;
    target->mesh = mesh;
    return true;
}

bool VxUpdateGeometryTarget::isAlive() const
{
    return node && object && shape;
}
