#include "vxfsskinfigurebuilder.h"

#include "vxfsboneplacer.h"
#include "vxfsbuildguard.h"
#include "vxfsfigureparts.h"
#include "vxfsweightmaps.h"
#include "vxfswarningchoice.h"

#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxfigure.h"
#include "vxgeometryregion.h"
#include "vxobject.h"
#include "vxprogress.h"
#include "vxscene.h"
#include "vxselectionmap.h"
#include "vxshape.h"
#include "vxskinbinding.h"
#include "vxtransferutilityhelper.h"

#include <memory>

VxFSSkinFigureBuilder::VxFSSkinFigureBuilder(const VxFSHierarchy* document) : m_document(document) {}

void VxFSSkinFigureBuilder::createSingleSkinFigure(bool transfer)
{
    if (!m_document || !vxScene) {
        qWarning("Cannot create a figure without a document and a scene.");
        return;
    }
    auto figure = std::make_unique<VxFigure>();
    if (!m_document->getFirstBone() && !confirmWithoutRootBone())
        return;

    VxFSBuildGuard guard(VxFSFigureParts::countBones(m_document));
    bool figureInScene = false;
    guard.run([&] { buildSteps(figure.get(), guard.progress(), figureInScene); });
    // From the moment it was added the scene owns the figure, even when a later step threw.
    VxFigure* target = figure.get();
    if (figureInScene)
        figure.release();

    if (transfer) {
        VxNode* selected = vxScene->getPrimarySelection();
        auto* source = selected ? qobject_cast<VxFigure*>(selected->getSkeleton()) : nullptr;
        if (source && source != target) {
            VxTransferUtilityHelper helper(source, target);
            helper.doTransfer();
        }
    }
    guard.close();
}

bool VxFSSkinFigureBuilder::confirmWithoutRootBone() const
{
    return VxFSWarningChoice::ask(VxFSWarningChoice::tr("No root bone."),
                                  VxFSWarningChoice::tr("There is no root bone assigned for this figure.\n"
                                                        " Do you wish to continue?"),
                                  VxFSWarningChoice::tr("&Yes"), VxFSWarningChoice::tr("&No"), QString(), 0, 1) == 0;
}

void VxFSSkinFigureBuilder::buildSteps(VxFigure* figure, VxProgress* progress, bool& figureInScene)
{
    figure->setName(m_document->getName());
    figure->setLabel(m_document->getLabel());
    figureInScene = vxScene->addNode(figure);

    VxFSFigureParts::setSourceFileData(figure, m_document);

    bool shapeCreated = false;
    if (!figure->getObject()) {
        figure->setObject(new VxObject());
        shapeCreated = VxFSFigureParts::createSkinShape(m_document, figure) != nullptr;
    }
    if (!figure->getSelectionMap())
        figure->setSelectionMap(new VxSelectionMap());

    for (const VxFSHierarchyItem* root = m_document->getFirstBone(); root; root = root->getNextSibling())
        createSkinBone(root, figure, true, progress);

    figure->getSkinBinding()->normalize(VxSkinBinding::ProportionalPriority, VxSkinBinding::NormalizeAll, false);
    buildRegions(figure);
    VxFSFigureParts::setPresentation(m_document, figure);
    progress->finish();
    if (shapeCreated)
        VxFSFigureParts::runPostCreateScript(figure);
}

VxBone* VxFSSkinFigureBuilder::createSkinBone(const VxFSHierarchyItem* item, VxNode* parent, bool recurse,
                                              VxProgress* progress)
{
    VxBone* bone = VxFSBonePlacer::createBone(item, parent);
    if (!bone)
        return nullptr;
    auto* figure = qobject_cast<VxFigure*>(parent->getSkeleton());
    if (!figure)
        return bone;

    auto* binding = new VxBoneBinding();
    binding->setBone(bone);
    figure->getSkinBinding()->addBoneBinding(binding);
    VxFSWeightMaps::createWeightMaps(item, bone, binding);
    VxFSBonePlacer::placeBone(item, bone, parent, figure);
    if (progress)
        progress->step();

    if (recurse) {
        for (const VxFSHierarchyItem* child = item->getFirstChild(); child; child = child->getNextSibling())
            createSkinBone(child, bone, true, progress);
    }
    // Children were placed from this bone's own end point; only now does it follow them.
    VxFSBonePlacer::setEndPointFromChildren(bone);
    return bone;
}

void VxFSSkinFigureBuilder::buildRegions(VxFigure* figure) const
{
    // Only the first top-level region becomes the skin's region tree.
    const VxFSRegionItem* top = m_document->getFirstRegion();
    VxShape* shape = VxShape::getCurrentShapeForNode(figure);
    if (!top || !shape)
        return;
    auto* root = new VxGeometryRegion(top->getName());
    root->setLabel(top->getName());
    shape->setGeometryRegion(root);
    buildChildRegions(top, root);
}

void VxFSSkinFigureBuilder::buildChildRegions(const VxFSRegionItem* item, VxGeometryRegion* region)
{
    for (const VxFSRegionItem* child = item->getFirstChild(); child; child = child->getNextSibling()) {
        auto* childRegion = new VxGeometryRegion(child->getName());
        childRegion->setLabel(child->getName());
        region->addChildRegion(childRegion);
        buildChildRegions(child, childRegion);
    }
}
