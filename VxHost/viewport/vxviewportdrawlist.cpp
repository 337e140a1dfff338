#include "vxviewportdrawlist.h"

#include "vxbone.h"
#include "vxfacegroup.h"
#include "vxfacetmesh.h"
#include "vxfacetshape.h"
#include "vxnode.h"
#include "vxobject.h"
#include "vxscene.h"
#include "vxselectionmap.h"
#include "vxskeleton.h"
#include "vxskeletonpose.h"

#include <QHash>

#include <algorithm>
#include <map>

namespace {
QVector3D toQt(const VxVec3& v)
{
    return QVector3D(v.x, v.y, v.z);
}

// What the node shows: its object's evaluated geometry (a figure's posed skin), which for
// anything that does not deform is the shape's own mesh.
VxFacetMesh* shownMesh(const VxNode* node, VxFacetShape* shape)
{
    auto* evaluated = qobject_cast<VxFacetMesh*>(node->getObject()->getCachedGeom());
    return evaluated ? evaluated : shape->getFacetMesh();
}
} // namespace

bool VxViewportMeshItem::isSelected() const
{
    return selected || std::find(selectedGroups.begin(), selectedGroups.end(), 1) != selectedGroups.end();
}

VxViewportDrawList VxViewportDrawList::collect(const VxScene& scene)
{
    VxViewportDrawList list;
    // Each figure's pose, worked out once per frame for all its bones.
    std::map<const VxSkeleton*, VxSkeletonPose> poses;
    for (VxNode* node : scene.getNodes()) {
        const VxVec3 offset = node->getWorldOffset();
        if (auto* shape = qobject_cast<VxFacetShape*>(VxShape::getCurrentShapeForNode(node))) {
            if (VxFacetMesh* mesh = shownMesh(node, shape); mesh && mesh->getNumFacets() > 0)
                list.m_meshes.push_back({node, shape, mesh, toQt(offset), node->isSelected(), {}});
        }
        if (qobject_cast<VxBone*>(node)) {
            QVector3D origin = toQt(node->getOrigin() + offset);
            QVector3D end = toQt(node->getEndPoint() + offset);
            // A figure's bones are drawn posed, in the figure's frame placed at its offset.
            if (const VxSkeleton* figure = node->getSkeleton()) {
                auto pose = poses.find(figure);
                if (pose == poses.end())
                    pose = poses.emplace(figure, VxSkeletonPose(figure)).first;
                const VxVec3 placed = figure->getWorldOffset();
                origin = toQt(pose->second.posedOrigin(node) + placed);
                end = toQt(pose->second.posedEndPoint(node) + placed);
            }
            if (origin != end)
                list.m_bones.push_back({node, origin, end, node->isSelected()});
        }
    }
    list.markSelectedBoneGroups(scene);
    return list;
}

void VxViewportDrawList::markSelectedBoneGroups(const VxScene& scene)
{
    QHash<const VxNode*, VxViewportMeshItem*> itemOfNode;
    for (VxViewportMeshItem& item : m_meshes)
        itemOfNode.insert(item.node, &item);
    for (VxNode* selected : scene.getSelectedNodes()) {
        VxSkeleton* skeleton = selected->getSkeleton();
        if (!skeleton || skeleton == selected || !skeleton->getSelectionMap())
            continue;
        VxViewportMeshItem* skin = itemOfNode.value(skeleton);
        if (!skin)
            continue;
        for (const QString& name : skeleton->getSelectionMap()->getGroupsOfNode(selected)) {
            const int group = skin->mesh->findFaceGroup(name);
            if (group < 0)
                continue;
            skin->selectedGroups.resize(size_t(skin->mesh->getNumFaceGroups()), 0);
            skin->selectedGroups[size_t(group)] = 1;
        }
    }
}

VxBox3 VxViewportDrawList::bounds() const
{
    VxBox3 box;
    for (const VxViewportMeshItem& item : m_meshes) {
        const VxBox3 meshBox = item.mesh->getBoundingBox();
        if (meshBox.isEmpty())
            continue;
        const VxVec3 offset(item.offset.x(), item.offset.y(), item.offset.z());
        box.extendBy(VxBox3(meshBox.getMin() + offset, meshBox.getMax() + offset));
    }
    for (const VxViewportBoneItem& bone : m_bones) {
        box.extendBy(VxVec3(bone.origin.x(), bone.origin.y(), bone.origin.z()));
        box.extendBy(VxVec3(bone.end.x(), bone.end.y(), bone.end.z()));
    }
    return box;
}

VxNode* VxViewportDrawList::nodeForGroup(const VxViewportMeshItem& item, int group)
{
    VxSkeleton* skeleton = qobject_cast<VxSkeleton*>(item.node);
    if (!skeleton || !skeleton->getSelectionMap() || group < 0 || group >= item.mesh->getNumFaceGroups())
        return item.node;
    const VxSelectionMap* map = skeleton->getSelectionMap();
    const int pair = map->findGroupPair(item.mesh->getFaceGroup(group)->objectName());
    VxNode* paired = pair >= 0 ? map->getPairNode(pair) : nullptr;
    return paired && paired->getScene() == item.node->getScene() ? paired : item.node;
}
