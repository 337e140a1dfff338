#include "vxbasegeometryupdater.h"

#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxgeometryregion.h"
#include "vxgeomsourcefiledata.h"
#include "vxmaterial.h"
#include "vxnode.h"

#include <cstring>

bool VxBaseGeometryUpdater::copyVertexPositions(VxFacetMesh* target, const VxFacetMesh* source)
{
    if (!target || !source || target->getNumVertices() != source->getNumVertices())
        return false;
    if (!target->beginEdit(true))
        return false;
    // Baking a shape that nothing deforms copies the mesh onto itself: nothing to move, but
    // the edit still tells the viewers the positions are final.
    if (source != target) {
        const size_t bytes = size_t(target->getNumVertices()) * 3 * sizeof(float);
        std::memcpy(target->getVertexArray(), source->getVertexData(), bytes);
    }
    target->finishEdit();
    return true;
}

bool VxBaseGeometryUpdater::replaceMesh(VxShape* shape, VxFacetMesh* oldMesh, VxShape* imported, VxFacetMesh* newMesh)
{
    auto* facetShape = qobject_cast<VxFacetShape*>(shape);
    if (!facetShape || !newMesh)
        return false;
    facetShape->setFacetMesh(newMesh);
    if (VxGeometryRegion* regions = shape->getGeometryRegion())
        regions->moveRegionIndexes(oldMesh, newMesh);
    if (imported) {
        replaceMaterials(shape, imported);
        copySourceRecord(shape, imported);
    }
    return true;
}

void VxBaseGeometryUpdater::recordSourceFile(VxElement* element, const QString& path, const QString& groupName)
{
    if (!element)
        return;
    if (auto* record = qobject_cast<VxGeomSourceFileData*>(element->findDataItem(VxGeomSourceFileData::itemName()))) {
        record->setSourceFilePath(path);
        record->setGroupName(groupName);
        return;
    }
    element->addDataItem(new VxGeomSourceFileData(path, groupName));
}

// The new mesh's facets index the imported materials, so those replace the old ones whole.
void VxBaseGeometryUpdater::replaceMaterials(VxShape* shape, const VxShape* from)
{
    for (int i = shape->getNumMaterials() - 1; i >= 0; --i)
        shape->removeMaterial(shape->getMaterial(i));
    for (int i = 0; i < from->getNumMaterials(); ++i)
        shape->addMaterial(from->getMaterial(i));
}

// Both the shape and the node above it say which file the geometry now comes from.
void VxBaseGeometryUpdater::copySourceRecord(VxShape* shape, const VxShape* from)
{
    const auto* record = qobject_cast<const VxGeomSourceFileData*>(from->findDataItem(VxGeomSourceFileData::itemName()));
    if (!record)
        return;
    recordSourceFile(shape, record->getSourceFilePath(), record->getGroupName());
    for (VxElement* up = shape->getElementParent(); up; up = up->getElementParent()) {
        if (auto* node = qobject_cast<VxNode*>(up)) {
            recordSourceFile(node, record->getSourceFilePath(), record->getGroupName());
            return;
        }
    }
}
