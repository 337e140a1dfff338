#include "vxfsfigurecopier.h"

#include "vxfsjointparamreader.h"
#include "vxfsshapesource.h"
#include "vxfsweightmaps.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyitem.h"
#include "vxfsregionitem.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxfileio.h"
#include "vxfigure.h"
#include "vxgeomsourcefiledata.h"
#include "vxlegacyfigure.h"
#include "vxlegacyikchain.h"
#include "vxlegacyikchains.h"
#include "vxgeometryregion.h"
#include "vxobject.h"
#include "vxproperty.h"
#include "vxweld.h"

namespace {
QString figureSourcePath(const VxNode* figure)
{
    const auto* record = qobject_cast<const VxGeomSourceFileData*>(
        figure->findDataItem(VxGeomSourceFileData::itemName()));
    return record ? record->getSourceFilePath() : QString();
}

void startDocument(VxFSHierarchy* document, VxSkeleton* figure, VxFigureSetupFigureType type)
{
    document->clear(true);
    document->setName(figure->getName());
    document->setLabel(figure->getLabel());
    document->setSourceFigureName(figure->getName());
    document->setFigureType(type);
}
} // namespace

void VxFSFigureCopier::copyFromParametricFigure(VxFSHierarchy* document, VxLegacyFigure* figure)
{
    if (!document || !figure)
        return;
    startDocument(document, figure, Poser);
    copyFigureBaseGeometry(document, figure);
    copyBones(document, figure, nullptr, figure);
    for (VxFSHierarchyItem* root = document->getFirstBone(); root; root = root->getNextSibling())
        root->mapToSkeleton(figure);
    copyWelds(document, figure);
    copyIKChains(document, figure);
    document->sourceGeometryPaths().clear();
}

void VxFSFigureCopier::copyFromSkinFigure(VxFSHierarchy* document, VxFigure* figure)
{
    if (!document || !figure)
        return;
    startDocument(document, figure, SingleSkin);
    copySkinGeometry(document, figure);
    copyBones(document, figure, nullptr, figure);
    copyIKChains(document, figure);
    document->sourceGeometryPaths().clear();
}

void VxFSFigureCopier::copySkinGeometry(VxFSHierarchy* document, VxFigure* figure)
{
    VxShape* shape = VxShape::getCurrentShapeForNode(figure);
    if (!shape)
        return;
    // Geometry is known to the document by short file name: the file the skin mesh was
    // read from, else the one the figure records.
    const auto* mesh = qobject_cast<const VxFacetMesh*>(shape->getGeometry());
    QString name = mesh ? VxFileIO::getShortFileName(mesh->getAssetUrl().toLocalFile()) : QString();
    if (name.isEmpty())
        name = VxFileIO::getShortFileName(figureSourcePath(figure));
    if (VxFSGeomItem* found = name.isEmpty() ? nullptr : document->findGeometryByName(name)) {
        document->setBaseGeometry(found);
    } else if (auto* facetShape = qobject_cast<VxFacetShape*>(shape)) {
        document->setBaseGeometry(adoptSceneShape(document, facetShape, name));
    }

    if (const VxGeometryRegion* root = shape->getGeometryRegion()) {
        auto* region = new VxFSRegionItem(document, root->getName());
        document->buildRegions(root, region);
    }
}

VxFSGeomItem* VxFSFigureCopier::adoptSceneShape(VxFSHierarchy* document, VxFacetShape* shape, const QString& name)
{
    // The same figure copied again: the item made last time shows its mesh already.
    for (int i = 0; i < document->getNumGeometries(); ++i) {
        VxFSGeomItem* item = document->getGeometry(i);
        if (item->getPath().isEmpty() && item->getShape() && item->getShape()->getFacetMesh() == shape->getFacetMesh())
            return item;
    }
    auto* item = new VxFSGeomItem(shape, name);
    if (document->addGeometryItem(item))
        return item;
    // Items made from scene shapes have no file path, and the document holds one item a
    // path: another figure's shape holds that place.
    qWarning("%s", qPrintable(QStringLiteral("Copy from figure: the skin of %1 cannot join the geometry list beside "
                                             "another figure's skin; the copy has no base geometry.")
                                  .arg(document->getName())));
    delete item;
    return nullptr;
}

void VxFSFigureCopier::copyFigureBaseGeometry(VxFSHierarchy* document, VxLegacyFigure* figure)
{
    QStringList& seen = document->sourceGeometryPaths();
    const QString path = figureSourcePath(figure);
    if (!path.isEmpty()) {
        seen.append(path);
        document->setBaseGeometry(document->addGeometry(path));
    }
    const VxObject* object = figure->getObject();
    for (int i = 0; object && i < object->getNumShapes(); ++i) {
        VxShape* shape = object->getShape(i);
        const QString shapePath = VxFSShapeSource::recordedPath(shape);
        if (shapePath.isEmpty() || seen.contains(shapePath))
            continue;
        seen.append(shapePath);
        // A file that cannot be read (the importer logs why) keeps the base found so far.
        if (VxFSGeomItem* item = document->addGeometry(shapePath, nullptr, shape))
            document->setBaseGeometry(item);
    }
}

void VxFSFigureCopier::copyBones(VxFSHierarchy* document, VxNode* node, VxFSHierarchyItem* parent, VxSkeleton* figure)
{
    if (!document || !node || !node->getSkeleton())
        return;
    const bool weightMapped = qobject_cast<VxFigure*>(node->getSkeleton()) != nullptr;
    for (VxNode* child : node->getNodeChildren(false)) {
        auto* bone = qobject_cast<VxBone*>(child);
        if (!bone)
            continue;
        auto* item = parent ? new VxFSHierarchyItem(parent, bone->getName())
                            : new VxFSHierarchyItem(document, bone->getName());
        item->setLabel(bone->getLabel());
        item->setSourceBoneName(bone->getName());
        item->setRotationOrder(bone->getRotationOrder());
        item->setCurve(false);
        item->setTwist(false);
        item->setSideSide(false);
        item->setBend(false);
        item->setScale(false);
        item->setTwistBulge(false);
        item->setBendBulge(false);
        item->setSideBulge(false);
        if (weightMapped)
            VxFSWeightMaps::readWeightMapSelections(document, bone, item);
        else
            VxFSJointParamReader::readJointParamSelections(document, bone, item, node,
                                                           qobject_cast<VxLegacyFigure*>(figure));
        item->setWeldTarget(nullptr);
        copyChannelLabels(bone, item);
        copyBones(document, bone, item, figure);
    }
}

void VxFSFigureCopier::copyChannelLabels(VxNode* bone, VxFSHierarchyItem* item)
{
    const VxRotationOrder order = bone->getRotationOrder();
    // An invalid order names no axis; the item keeps its default labels then.
    if (const VxProperty* control = bone->getRotControl(order.getAxis(0)))
        item->setAxis1Label(control->getLabel());
    if (const VxProperty* control = bone->getRotControl(order.getAxis(1)))
        item->setAxis2Label(control->getLabel());
    if (const VxProperty* control = bone->getRotControl(order.getAxis(2)))
        item->setAxis3Label(control->getLabel());
}

void VxFSFigureCopier::copyWelds(VxFSHierarchy* document, VxLegacyFigure* figure)
{
    // A bone welded to several targets keeps the last: the document holds one target a
    // bone when it is copied.
    for (int i = 0; i < figure->getNumWelds(); ++i) {
        const VxWeld* weld = figure->getWeld(i);
        const VxNode* weldBone = weld->getWeldBone();
        VxFSHierarchyItem* item = weldBone ? document->findBone(weldBone->getName()) : nullptr;
        if (!item)
            continue;
        const VxNode* target = weld->getTargetBone();
        item->setWeldTarget(target ? document->findBone(target->getName()) : nullptr);
    }
}

void VxFSFigureCopier::copyIKChains(VxFSHierarchy* document, VxSkeleton* figure)
{
    const auto* chains = qobject_cast<const VxLegacyIKChains*>(figure->findDataItem(VxLegacyIKChains::itemName()));
    if (!chains)
        return;
    for (int c = 0; c < chains->getNumChains(); ++c) {
        const VxLegacyIKChain* chain = chains->getChain(c);
        VxFSHierarchyIKChain* copy = document->createIKChain(chain->getLabel());
        copy->setActive(chain->getActive());
        for (int l = 0; l < chain->getNumLinks(); ++l) {
            const VxNode* node = chain->getLink(l);
            if (VxFSHierarchyItem* item = node ? document->findBone(node->getName()) : nullptr)
                copy->addLink(item, chain->getLinkWeight(l));
        }
        // Building a figure makes the last link's bone the goal, so the goal comes back as
        // a last link that carries no weight.
        const VxNode* goal = chain->getGoal();
        if (VxFSHierarchyItem* item = goal ? document->findBone(goal->getName()) : nullptr)
            copy->addLink(item, 0.0f);
    }
}
