#include "vxskeleton.h"

#include "vxbone.h"
#include "vxfacetmesh.h"
#include "vxselectionmap.h"
#include "vxshape.h"

#include <algorithm>

namespace {
void collectBones(const VxNode* node, QList<VxBone*>& bones)
{
    for (int i = 0; i < node->getNumNodeChildren(); ++i) {
        VxNode* child = node->getNodeChild(i);
        if (qobject_cast<VxSkeleton*>(child))
            continue; // a nested figure has bones of its own
        if (VxBone* bone = qobject_cast<VxBone*>(child))
            bones.append(bone);
        collectBones(child, bones);
    }
}
} // namespace

VxSkeleton::VxSkeleton(QObject* parent) : VxNode(parent) {}

VxSkeleton::~VxSkeleton() = default;

QList<VxBone*> VxSkeleton::getAllBones() const
{
    QList<VxBone*> bones;
    collectBones(this, bones);
    return bones;
}

VxBone* VxSkeleton::findBone(const QString& name) const
{
    for (VxBone* bone : getAllBones()) {
        if (bone->getName() == name)
            return bone;
    }
    return nullptr;
}

void VxSkeleton::setSelectionMap(VxSelectionMap* map)
{
    if (map == m_selectionMap.get())
        return;
    m_selectionMap.reset(map);
    if (map)
        map->setElementParent(this);
    clearVertexMaps();
}

const std::vector<int>& VxSkeleton::getVertexMap(const VxNode* node) const
{
    static const std::vector<int> none;
    if (!m_vertexMapsBuilt)
        buildVertexMaps();
    const auto it = m_vertexMaps.constFind(node);
    return it == m_vertexMaps.constEnd() ? none : it.value();
}

void VxSkeleton::clearVertexMaps()
{
    m_vertexMaps.clear();
    m_vertexMapsBuilt = false;
}

void VxSkeleton::buildVertexMaps() const
{
    m_vertexMaps.clear();
    m_vertexMapsBuilt = true;
    VxShape* shape = VxShape::getCurrentShapeForNode(this);
    VxFacetMesh* mesh = shape ? qobject_cast<VxFacetMesh*>(shape->getGeometry()) : nullptr;
    if (!mesh || !m_selectionMap)
        return;
    // Face group index -> node, then one pass over the facets.
    std::vector<const VxNode*> owner(size_t(mesh->getNumFaceGroups()), nullptr);
    for (int i = 0; i < m_selectionMap->getNumPairs(); ++i) {
        const int group = mesh->findFaceGroup(m_selectionMap->getPairGroup(i));
        if (group >= 0 && m_selectionMap->getPairNode(i))
            owner[size_t(group)] = m_selectionMap->getPairNode(i);
    }
    for (int f = 0; f < mesh->getNumFacets(); ++f) {
        const int group = mesh->getFacetFaceGroup(f);
        if (group < 0 || !owner[size_t(group)])
            continue;
        std::vector<int>& vertices = m_vertexMaps[owner[size_t(group)]];
        for (int c = 0; c < mesh->getFacetNumVertices(f); ++c)
            vertices.push_back(mesh->getFacetVertex(f, c));
    }
    for (std::vector<int>& vertices : m_vertexMaps) {
        std::sort(vertices.begin(), vertices.end());
        vertices.erase(std::unique(vertices.begin(), vertices.end()), vertices.end());
    }
}

void VxSkeleton::forgetBone(VxNode* bone)
{
    if (m_selectionMap && m_selectionMap->removePairsOfNode(bone) > 0)
        clearVertexMaps();
}
