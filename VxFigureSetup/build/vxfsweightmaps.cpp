#include "vxfsweightmaps.h"

#include "vxfsgeomitem.h"
#include "vxfshierarchy.h"
#include "vxfshierarchyitem.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxbulgebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxrefcounted.h"
#include "vxselectionmap.h"
#include "vxshape.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

namespace {
// Vertex count of the skin the bone's weights refer to: its figure's current shape as a
// facet mesh; 0 when there is none.
int skinVertexCount(const VxBone* bone)
{
    auto* figure = qobject_cast<VxFigure*>(bone->getSkeleton());
    VxShape* shape = VxShape::getCurrentShapeForNode(figure);
    auto* mesh = shape ? qobject_cast<VxFacetMesh*>(shape->getGeometry()) : nullptr;
    return mesh ? mesh->getNumVertices() : 0;
}

// Sizes the map to `count` weights and sets them all to 0. fill(0) writes every weight
// without allocating a page: a new figure's hundreds of maps on a large skin cost nothing
// until somebody paints them.
void makeZero(VxWeightMap* map, int count)
{
    map->setNumWeights(count, false);
    map->getWeights().fill(0);
}

// Each map is referenced while it is filled and released once its holder took it.
void addAxisMaps(VxBoneBinding* binding, int axis, int count, bool withBulge)
{
    if (axis < 0 || axis > 2)
        return;
    {
        VxRefGuard<VxWeightMap> local(new VxWeightMap());
        makeZero(local.get(), count);
        binding->setLocalWeights(axis, local.get());
    }
    if (!withBulge)
        return;
    auto* bulge = new VxBulgeBinding();
    bulge->setAxis(axis);
    {
        VxRefGuard<VxWeightMap> right(new VxWeightMap());
        makeZero(right.get(), count);
        bulge->setRightWeights(right.get());
    }
    {
        VxRefGuard<VxWeightMap> left(new VxWeightMap());
        makeZero(left.get(), count);
        bulge->setLeftWeights(left.get());
    }
    binding->setBulgeBinding(axis, bulge);
}
} // namespace

void VxFSWeightMaps::createWeightMaps(const VxFSHierarchyItem* item, VxBone* bone, VxBoneBinding* binding)
{
    if (!item || !bone || !binding)
        return;
    const int count = skinVertexCount(bone);
    if (count <= 0)
        return;
    const VxRotationOrder::AxisOrder axes = bone->getRotationOrder().getAxisOrder();
    if (item->getTwist())
        addAxisMaps(binding, axes[0], count, item->getTwistBulge());
    if (item->getSideSide())
        addAxisMaps(binding, axes[1], count, item->getSideBulge());
    if (item->getBend())
        addAxisMaps(binding, axes[2], count, item->getBendBulge());
    if (item->getScale()) {
        VxRefGuard<VxWeightMap> scale(new VxWeightMap());
        makeZero(scale.get(), count);
        binding->setScaleWeights(scale.get());
    }
}

void VxFSWeightMaps::readWeightMapSelections(VxFSHierarchy* document, VxBone* bone, VxFSHierarchyItem* item)
{
    if (!document || !bone || !item)
        return;
    auto* figure = qobject_cast<VxFigure*>(bone->getSkeleton());
    if (!figure)
        return;

    VxFSGeomItem* base = document->getBaseGeometry();
    VxSelectionMap* selection = figure->getSelectionMap();
    if (base && selection) {
        const int pair = selection->findPair(bone);
        const QString group = pair != -1 ? selection->getPairGroup(pair) : QString();
        if (!group.isEmpty())
            item->setGeomGroup(base->findGroup(group));
    }

    const VxBoneBinding* binding = figure->getSkinBinding()->findBoneBinding(bone);
    if (!binding)
        return;
    // An invalid axis (-1) reads as "no map" from the binding.
    const VxRotationOrder::AxisOrder axes = bone->getRotationOrder().getAxisOrder();
    item->setScale(binding->getScaleWeights() != nullptr);
    item->setTwist(binding->getLocalWeights(axes[0]) != nullptr);
    item->setTwistBulge(binding->getBulgeBinding(axes[0]) != nullptr);
    item->setSideSide(binding->getLocalWeights(axes[1]) != nullptr);
    item->setSideBulge(binding->getBulgeBinding(axes[1]) != nullptr);
    item->setBend(binding->getLocalWeights(axes[2]) != nullptr);
    item->setBendBulge(binding->getBulgeBinding(axes[2]) != nullptr);
}
