#include "vxfsparametricfigurebuilder.h"

#include "vxfsboneplacer.h"
#include "vxfsbuildguard.h"
#include "vxfsfigureparts.h"
#include "vxfsjointparams.h"

#include "vxfsgeomgroup.h"
#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxbone.h"
#include "vxfacetshape.h"
#include "vxlegacyalternategeometry.h"
#include "vxlegacybinding.h"
#include "vxlegacyfigure.h"
#include "vxlegacyjoint.h"
#include "vxobject.h"
#include "vxprogress.h"
#include "vxscene.h"
#include "vxselectionmap.h"

#include <memory>

VxFSParametricFigureBuilder::VxFSParametricFigureBuilder(const VxFSHierarchy* document) : m_document(document) {}

void VxFSParametricFigureBuilder::createParametricFigure()
{
    if (!m_document || !vxScene) {
        qWarning("Cannot create a figure without a document and a scene.");
        return;
    }
    auto figure = std::make_unique<VxLegacyFigure>();
    VxFSBuildGuard guard(VxFSFigureParts::countBones(m_document));
    bool figureInScene = false;
    guard.run([&] { buildSteps(figure.get(), guard.progress(), figureInScene); });
    // From the moment it was added the scene owns the figure, even when a later step threw.
    if (figureInScene)
        figure.release();
    guard.close();
}

void VxFSParametricFigureBuilder::buildSteps(VxLegacyFigure* figure, VxProgress* progress, bool& figureInScene)
{
    figure->setName(m_document->getName());
    figure->setLabel(m_document->getLabel());
    figureInScene = vxScene->addNode(figure);

    VxFSFigureParts::setSourceFileData(figure, m_document);

    bool shapeCreated = false;
    VxLegacyBinding* binding = nullptr;
    if (!figure->getObject()) {
        figure->setObject(new VxObject());
        shapeCreated = VxFSFigureParts::createSkinShape(m_document, figure) != nullptr;
        binding = new VxLegacyBinding();
        figure->getObject()->addModifier(binding, -1);
    } else {
        binding = figure->findBinding();
    }
    if (!figure->getSelectionMap())
        figure->setSelectionMap(new VxSelectionMap());

    for (const VxFSHierarchyItem* root = m_document->getFirstBone(); root; root = root->getNextSibling())
        createLegacyBone(root, figure, figure, binding, true, progress);

    figure->clearVertexMaps();
    for (const VxFSHierarchyItem* root = m_document->getFirstBone(); root; root = root->getNextSibling())
        root->applyWelds(figure);
    VxFSFigureParts::createIKChains(m_document, figure);
    VxFSFigureParts::setPresentation(m_document, figure);
    progress->finish();
    if (shapeCreated)
        VxFSFigureParts::runPostCreateScript(figure);
}

VxBone* VxFSParametricFigureBuilder::createLegacyBone(const VxFSHierarchyItem* item, VxNode* parent,
                                                      VxLegacyFigure* figure, VxLegacyBinding* binding, bool recurse,
                                                      VxProgress* progress)
{
    VxBone* bone = VxFSBonePlacer::createBone(item, parent);
    if (!bone)
        return nullptr;
    // The joint's parameters are computed from the placed bone.
    VxFSBonePlacer::placeBone(item, bone, parent, figure);
    createJoint(item, bone, parent, figure, binding);
    if (progress)
        progress->step();

    if (recurse) {
        for (const VxFSHierarchyItem* child = item->getFirstChild(); child; child = child->getNextSibling())
            createLegacyBone(child, bone, figure, binding, true, progress);
    }
    VxFSBonePlacer::setEndPointFromChildren(bone);
    return bone;
}

void VxFSParametricFigureBuilder::createJoint(const VxFSHierarchyItem* item, VxBone* bone, VxNode* parent,
                                              VxLegacyFigure* figure, VxLegacyBinding* binding)
{
    if (!item || !figure || !bone || !binding)
        return;
    VxLegacyJoint* joint = binding->findJoint(bone);
    if (!joint) {
        joint = new VxLegacyJoint();
        joint->setBone(bone, true);
        joint->setName(bone->getName());
        if (const VxFSGeomGroup* group = item->getGeomGroup())
            joint->setGroupName(group->getName());
        binding->addJoint(joint);
        addAlternateGeometries(item, bone, figure);
    }

    VxLegacyJoint* parentJoint = qobject_cast<VxBone*>(parent) ? binding->findJoint(parent) : nullptr;
    const VxRotationOrder order = item->getRotationOrder();
    if (!order.isValid())
        return;
    if (item->getTwist())
        VxFSJointParams::addTwistParams(item, bone, joint, parentJoint);
    if (item->getSideSide())
        VxFSJointParams::addBendParams(item, bone, joint, parentJoint, order.getAxis(1));
    if (item->getBend())
        VxFSJointParams::addBendParams(item, bone, joint, parentJoint, order.getAxis(2));
    if (item->getScale())
        VxFSJointParams::addSmoothScaleParams(item, bone, joint, parentJoint);
    if (item->getCurve())
        VxFSJointParams::addCurveParam(item, bone, joint);
}

void VxFSParametricFigureBuilder::addAlternateGeometries(const VxFSHierarchyItem* item, VxBone* bone,
                                                         VxLegacyFigure* figure)
{
    if (item->getNumAltGeometries() == 0)
        return;
    VxLegacyAlternateGeometry* alternate = figure->addAlternateGeometry(bone, true);
    VxObject* object = alternate ? alternate->getObject() : nullptr;
    if (!object)
        return;
    for (int i = 0; i < item->getNumAltGeometries(); ++i) {
        const VxFacetShape* source = item->getAltGeometry(i)->getShape();
        if (!source)
            continue;
        auto* shape = new VxFacetShape();
        shape->setFacetMesh(source->getFacetMesh());
        shape->setName(source->getName());
        VxFSFigureParts::copyMaterials(source, shape);
        object->addShape(shape, -1);
    }
}
