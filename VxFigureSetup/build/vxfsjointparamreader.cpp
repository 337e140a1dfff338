#include "vxfsjointparamreader.h"

#include "vxfsshapesource.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxbone.h"
#include "vxlegacyalternategeometry.h"
#include "vxlegacyfigure.h"
#include "vxlegacyjoint.h"
#include "vxlegacyjointparam.h"
#include "vxobject.h"
#include "vxshape.h"

void VxFSJointParamReader::readJointParamSelections(VxFSHierarchy* document, VxBone* bone, VxFSHierarchyItem* item,
                                                    VxNode* parentNode, VxLegacyFigure* figure)
{
    if (!document || !bone || !item)
        return;
    VxLegacyJoint* joint = VxLegacyJoint::findJoint(bone);
    if (!joint)
        return;

    const VxRotationOrder order = item->getRotationOrder();
    QListIterator<VxLegacyJointParam*> params = joint->jointParamsIterator();
    while (params.hasNext()) {
        const VxLegacyJointParam* param = params.next();
        const VxNode* driver = param->getDriver();
        if (param->inherits("VxLegacyCurve") && driver == bone) {
            // What follows a curve belongs to the curve's set-up, not to the bone's choices.
            item->setCurve(true);
            break;
        }
        if (param->inherits("VxLegacySmoothScale") && driver == parentNode) {
            item->setScale(true);
        } else if (param->inherits("VxLegacyTwistParam") && driver == bone) {
            item->setTwist(true);
        } else if (param->inherits("VxLegacyBendParam") && driver == bone) {
            if (param->getAxis() == order.getAxis(1))
                item->setSideSide(true);
            else if (param->getAxis() == order.getAxis(2))
                item->setBend(true);
        }
    }

    VxFSGeomItem* base = document->getBaseGeometry();
    if (base && !joint->getGroupName().isEmpty()) {
        if (VxFSGeomGroup* group = base->findGroup(joint->getGroupName()))
            item->setGeomGroup(group);
    }

    readAlternateGeometries(document, bone, item, figure);
}

void VxFSJointParamReader::readAlternateGeometries(VxFSHierarchy* document, VxBone* bone, VxFSHierarchyItem* item,
                                                   VxLegacyFigure* figure)
{
    const VxLegacyAlternateGeometry* alternate = figure ? figure->findAlternateGeometry(bone) : nullptr;
    const VxObject* object = alternate ? alternate->getObject() : nullptr;
    if (!object)
        return;
    QStringList& seen = document->sourceGeometryPaths();
    for (int i = 0; i < object->getNumShapes(); ++i) {
        VxShape* shape = object->getShape(i);
        const QString path = VxFSShapeSource::filePath(shape);
        if (path.isEmpty() || seen.contains(path))
            continue;
        seen.append(path);
        if (VxFSGeomItem* geometry = document->addGeometry(path, nullptr, shape))
            item->addAltGeometry(geometry);
    }
}
