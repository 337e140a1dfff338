#include "vxweightablefigure.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxgraftingfigureshape.h"
#include "vxobject.h"
#include "vxrefcounted.h"
#include "vxscene.h"
#include "vxscenetest.h"
#include "vxselectionmap.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <cmath>

namespace {
void addQuad(VxFacetMeshData& mesh, int a, int b, int c, int d, int group)
{
    for (int v : {a, b, c, d})
        mesh.cornerVertex.push_back(v);
    mesh.facetStart.push_back(uint32_t(mesh.cornerVertex.size()));
    mesh.facetGroup.push_back(group);
    mesh.facetMaterial.push_back(-1);
}
} // namespace

VxFacetMeshData vxCylinderMesh(int rings, int sides, int split)
{
    VxFacetMeshData mesh;
    mesh.groupNames = QStringList{"upper", "lower"};
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < sides; ++s) {
            const double angle = 2.0 * M_PI * s / sides;
            mesh.positions.insert(mesh.positions.end(), {0.25f * r, float(std::cos(angle)), float(std::sin(angle))});
        }
    for (int r = 0; r + 1 < rings; ++r)
        for (int s = 0; s < sides; ++s) {
            const int a = r * sides + s, b = r * sides + (s + 1) % sides;
            addQuad(mesh, a, b, b + sides, a + sides, r < split ? 0 : 1);
        }
    return mesh;
}

VxFacetMeshData vxFoldedStripMesh(int split)
{
    VxFacetMeshData mesh;
    mesh.groupNames = QStringList{"a", "b"};
    const int rows = 83; // 10 out, 0.5 up, 10 back: 20.5 / 0.25 + 1
    for (int r = 0; r < rows; ++r) {
        const float s = 0.25f * r;
        const float x = s <= 10.0f ? s : (s <= 10.5f ? 10.0f : 20.5f - s);
        const float z = s <= 10.0f ? 0.0f : (s <= 10.5f ? s - 10.0f : 0.5f);
        for (int k = 0; k < 5; ++k)
            mesh.positions.insert(mesh.positions.end(), {x, 0.5f * k, z});
    }
    for (int r = 0; r + 1 < rows; ++r)
        for (int k = 0; k + 1 < 5; ++k) {
            const int a = r * 5 + k;
            addQuad(mesh, a, a + 1, a + 6, a + 5, r < split ? 0 : 1);
        }
    return mesh;
}

VxWeightableFigure::VxWeightableFigure(VxFacetMeshData data, const QList<BoneSpec>& bones)
{
    m_mesh = new VxFacetMesh();
    m_mesh->setData(std::move(data));
    m_figure = new VxFigure();
    m_figure->setName(QStringLiteral("Figure"));
    vxScene->addNode(m_figure);
    m_figure->setObject(new VxObject());
    auto* shape = new VxGraftingFigureShape();
    shape->setFacetMesh(m_mesh);
    m_figure->getObject()->addShape(shape);
    m_figure->setSelectionMap(new VxSelectionMap());
    for (const BoneSpec& entry : bones) {
        VxNode* parent = entry.parent.isEmpty() ? static_cast<VxNode*>(m_figure) : m_figure->findBone(entry.parent);
        VxBone* bone = vxAddBone(parent, entry.name);
        m_figure->getSelectionMap()->addPair(entry.name, bone, true);
        auto* binding = new VxBoneBinding();
        binding->setBone(bone);
        m_figure->getSkinBinding()->addBoneBinding(binding);
        for (int channel = 0; channel < 4; ++channel) {
            VxRefGuard<VxWeightMap> map(new VxWeightMap());
            map->setNumWeights(m_mesh->getNumVertices(), false);
            if (channel < 3)
                binding->setLocalWeights(channel, map.get());
            else
                binding->setScaleWeights(map.get());
        }
    }
}

namespace {
const VxWeightMap* channelMap(const VxFigure* figure, const QString& bone, int channel)
{
    const VxBoneBinding* binding = figure->getSkinBinding()->findBoneBinding(figure->findBone(bone));
    if (!binding)
        return nullptr;
    return channel < 3 ? binding->getLocalWeights(channel) : binding->getScaleWeights();
}
} // namespace

uint16_t VxWeightableFigure::weight(const QString& bone, int vertex, int channel) const
{
    const VxWeightMap* map = channelMap(m_figure, bone, channel);
    return map ? map->getWeight(vertex) : 0;
}

uint32_t VxWeightableFigure::sum(int vertex, int channel) const
{
    uint32_t total = 0;
    const VxSkinBinding* skin = m_figure->getSkinBinding();
    for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
        const VxBoneBinding* binding = skin->getBoneBinding(b);
        const VxWeightMap* map = channel < 3 ? binding->getLocalWeights(channel) : binding->getScaleWeights();
        total += map ? map->getWeight(vertex) : 0;
    }
    return total;
}

std::vector<uint16_t> VxWeightableFigure::mapCopy(const QString& bone, int channel) const
{
    std::vector<uint16_t> weights;
    if (const VxWeightMap* map = channelMap(m_figure, bone, channel))
        for (int v = 0; v < map->getNumWeights(); ++v)
            weights.push_back(map->getWeight(v));
    return weights;
}
