#include "vxgltfweightreader.h"

#include "vxgltfjointweights.h"
#include "vxgltfskinweights.h"

#include "vxbone.h"
#include "vxbonebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxlegacyfigure.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <algorithm>

namespace {
constexpr int kNamesListed = 10;

// "a, b, c" or "a, b, ... and 12 more".
QString nameList(const QStringList& names)
{
    if (names.size() <= kNamesListed)
        return names.join(QStringLiteral(", "));
    return QStringLiteral("%1 and %2 more").arg(names.mid(0, kNamesListed).join(QStringLiteral(", ")))
        .arg(names.size() - kNamesListed);
}
} // namespace

VxGltfWeightReader::VxGltfWeightReader(const VxSkeleton& figure, const VxFacetMesh& skin, const QList<VxBone*>& bones)
    : m_figure(figure), m_skin(skin), m_bones(bones), m_weightedJoint(size_t(bones.size()), false)
{
    for (int j = 0; j < bones.size(); ++j)
        m_jointOf.insert(bones[j], j);
}

bool VxGltfWeightReader::read(VxGltfSkinWeights& weights)
{
    m_error.clear();
    m_warnings.clear();
    if (const auto* skinFigure = qobject_cast<const VxFigure*>(&m_figure))
        readSkinFigure(*skinFigure, weights);
    else if (const auto* legacyFigure = qobject_cast<const VxLegacyFigure*>(&m_figure))
        readLegacyFigure(*legacyFigure, weights);
    if (std::none_of(m_weightedJoint.cbegin(), m_weightedJoint.cend(), [](bool weighted) { return weighted; })) {
        m_error = QStringLiteral("No bone of the figure \"%1\" has any weight on its skin, so nothing would move "
                                 "with the bones. Give the bones weights (paint them, or use Weights from Face "
                                 "Groups) and export again.")
                      .arg(m_figure.getName());
        return false;
    }
    noteBonesWithoutWeights();
    giveUnweightedVertices(weights);
    weights.normalize();
    return true;
}

void VxGltfWeightReader::readSkinFigure(const VxFigure& figure, VxGltfSkinWeights& weights)
{
    const VxSkinBinding* skin = figure.getSkinBinding();
    if (!skin)
        return;
    const int vertexCount = weights.vertexCount();
    std::vector<float> sums(size_t(vertexCount), 0.0f);
    std::vector<int> touched;
    for (int b = 0; b < skin->getNumBoneBindings(); ++b) {
        const VxBoneBinding* binding = skin->getBoneBinding(b);
        const int joint = m_jointOf.value(binding->getBone(), -1);
        if (joint < 0)
            continue;
        touched.clear();
        int wrongSize = -1;
        for (int axis = 0; axis < 3; ++axis) {
            const VxWeightMap* map = binding->getLocalWeights(axis);
            if (!map)
                continue;
            if (map->getNumWeights() != vertexCount)
                wrongSize = map->getNumWeights();
            // Only the pages that hold weights are visited: most maps weight a small part
            // of the skin.
            for (int page = 0; page < map->getNumPages(); ++page) {
                const uint16_t* values = map->getPage(page);
                if (!values)
                    continue;
                const int first = page * VxWeightMap::kPageSize;
                const int length = std::min(map->getPageLength(page), vertexCount - first);
                for (int i = 0; i < length; ++i) {
                    if (values[i] == 0)
                        continue;
                    float& sum = sums[size_t(first + i)];
                    if (sum == 0.0f)
                        touched.push_back(first + i);
                    sum += float(values[i]) / float(VxWeightMap::kMaxWeight);
                }
            }
        }
        if (wrongSize >= 0) {
            m_warnings.append(QStringLiteral("Bone \"%1\" has a weight map of %2 weights for a skin of %3 vertices; "
                                             "weights past the skin are ignored and missing ones count as 0.")
                                  .arg(m_bones[joint]->getName())
                                  .arg(wrongSize)
                                  .arg(vertexCount));
        }
        addBoneWeights(joint, sums, touched, weights);
        for (int v : touched)
            sums[size_t(v)] = 0.0f;
    }
}

void VxGltfWeightReader::readLegacyFigure(const VxLegacyFigure& figure, VxGltfSkinWeights& weights)
{
    m_weightedJoint = VxGltfJointWeights(figure, m_skin, m_jointOf).addTo(weights);
}

void VxGltfWeightReader::addBoneWeights(int joint, const std::vector<float>& sums, const std::vector<int>& touched,
                                        VxGltfSkinWeights& weights)
{
    for (int v : touched)
        weights.add(v, joint, sums[size_t(v)]);
    if (!touched.empty())
        m_weightedJoint[size_t(joint)] = true;
}

void VxGltfWeightReader::giveUnweightedVertices(VxGltfSkinWeights& weights)
{
    std::vector<int> owner(size_t(weights.vertexCount()), -1);
    for (int joint = m_bones.size() - 1; joint >= 0; --joint) {
        for (int v : m_figure.getVertexMap(m_bones[joint])) {
            if (v >= 0 && v < weights.vertexCount())
                owner[size_t(v)] = joint;
        }
    }
    // Only vertices of facets reach the file; loose ones need no note.
    std::vector<bool> used(size_t(weights.vertexCount()), false);
    for (int f = 0; f < m_skin.getNumFacets(); ++f) {
        for (int c = 0; c < m_skin.getFacetNumVertices(f); ++c)
            used[size_t(m_skin.getFacetVertex(f, c))] = true;
    }
    int given = 0;
    for (int v = 0; v < weights.vertexCount(); ++v) {
        if (weights.isWeighted(v) || !used[size_t(v)])
            continue;
        weights.giveTo(v, std::max(owner[size_t(v)], 0));
        ++given;
    }
    if (given > 0) {
        m_warnings.append(QStringLiteral("%1 of the skin's vertices have no weight; each follows the bone of its face "
                                         "group (or the first bone) in full.")
                              .arg(given));
    }
}

void VxGltfWeightReader::noteBonesWithoutWeights()
{
    QStringList names;
    for (int joint = 0; joint < m_bones.size(); ++joint) {
        if (!m_weightedJoint[size_t(joint)])
            names.append(m_bones[joint]->getName());
    }
    if (!names.isEmpty())
        m_warnings.append(QStringLiteral("Bones without weights, which move no part of the skin: %1.").arg(nameList(names)));
}
