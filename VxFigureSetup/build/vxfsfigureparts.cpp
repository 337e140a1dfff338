#include "vxfsfigureparts.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyikchain.h"
#include "vxfshierarchyiklink.h"
#include "vxfshierarchyitem.h"

#include "vxbone.h"
#include "vxdefaultmaterial.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxgeomsourcefiledata.h"
#include "vxgraftingfigureshape.h"
#include "vxlegacyikchain.h"
#include "vxlegacyikchains.h"
#include "vxmaterial.h"
#include "vxobject.h"
#include "vxposeriktargetflag.h"
#include "vxpresentation.h"
#include "vxrefcounted.h"
#include "vxscene.h"
#include "vxskeleton.h"

#include <QVariantList>

int VxFSFigureParts::countBones(const VxFSHierarchy* document)
{
    return document ? document->getNumBones(true) : 0;
}

void VxFSFigureParts::setSourceFileData(VxElement* node, const VxFSHierarchy* document)
{
    if (!node || !document)
        return;
    const VxFSGeomItem* base = document->getBaseGeometry();
    const QString path = base ? base->getPath() : QString();
    if (auto* data = qobject_cast<VxGeomSourceFileData*>(node->findDataItem(VxGeomSourceFileData::itemName()))) {
        data->setSourceFilePath(path);
        return;
    }
    node->addDataItem(new VxGeomSourceFileData(path, QString()));
}

VxGraftingFigureShape* VxFSFigureParts::createSkinShape(const VxFSHierarchy* document, VxSkeleton* figure)
{
    if (!document || !figure || !figure->getObject())
        return nullptr;
    const VxFSGeomItem* base = document->getBaseGeometry();
    const VxFacetShape* source = base ? base->getShape() : nullptr;
    if (!source)
        return nullptr;

    auto* shape = new VxGraftingFigureShape();
    VxFacetMesh* mesh = source->getFacetMesh();
    if (mesh)
        mesh->enableSubDivision(document->getApplySubD());
    shape->setFacetMesh(mesh);
    shape->setName(source->getName());
    if (mesh)
        figure->setEndPoint(mesh->getBoundingBox().getCenter(), true);
    copyMaterials(source, shape);
    figure->getObject()->addShape(shape, -1);
    return shape;
}

void VxFSFigureParts::copyMaterials(const VxShape* source, VxShape* target)
{
    if (!source || !target)
        return;
    for (int i = 0; i < source->getNumMaterials(); ++i) {
        const VxMaterial* original = source->getMaterial(i);
        VxRefGuard<VxDefaultMaterial> material(new VxDefaultMaterial());
        material->setName(original->getName());
        material->setLabel(original->getLabel());
        target->addMaterial(material.get());
    }
}

VxLegacyIKChains* VxFSFigureParts::createIKChains(const VxFSHierarchy* document, VxSkeleton* figure)
{
    if (!document || !figure)
        return nullptr;
    auto* chains = qobject_cast<VxLegacyIKChains*>(figure->findDataItem(VxLegacyIKChains::itemName()));
    if (!chains)
        chains = new VxLegacyIKChains();
    for (int c = 0; c < document->getNumIKChains(); ++c) {
        const VxFSHierarchyIKChain* source = document->getIKChain(c);
        auto* chain = new VxLegacyIKChain(source->getName());
        chain->setActive(source->isActive());
        VxBone* last = nullptr;
        for (int l = 0; l < source->getNumLinks(); ++l) {
            const VxFSHierarchyIKLink* link = source->getLink(l);
            const VxFSHierarchyItem* item = link->getBone();
            last = item ? figure->findBone(item->getName()) : nullptr;
            chain->addLink(last, link->getWeight(), -1);
        }
        if (last) {
            if (!last->findDataItem(VxPoserIKTargetFlag::itemName()))
                last->addDataItem(new VxPoserIKTargetFlag());
            chain->setGoal(last);
            chain->setLabel(source->getName());
        }
        chains->addChain(chain);
    }
    figure->addDataItem(chains);
    return chains;
}

void VxFSFigureParts::setPresentation(const VxFSHierarchy* document, VxNode* figure)
{
    if (!document || !figure)
        return;
    // Every host node has a presentation; a node without one has nothing to show.
    if (VxPresentation* presentation = figure->getPresentation()) {
        presentation->setType(document->getContentType());
        presentation->setLabel(figure->getLabel());
    }
}

void VxFSFigureParts::runPostCreateScript(VxNode* figure)
{
    if (VxScene* scene = vxScene)
        scene->executeNodePostCreateScript(figure, QStringLiteral("FigureSetup"), QVariantList());
}
