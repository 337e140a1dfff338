#include "vxfacegroupweighting.h"

#include "vxfacegroupweightsolver.h"
#include "vxskinweightwriter.h"

#include "vxbonebinding.h"
#include "vxfacetmesh.h"
#include "vxfigure.h"
#include "vxobject.h"
#include "vxselectionmap.h"
#include "vxshape.h"
#include "vxskinbinding.h"
#include "vxweightmap.h"

#include <QCoreApplication>
#include <QHash>

#include <cmath>

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("VxFaceGroupWeighting", text);
}

// Whether every corner names a vertex of the mesh and every position is a finite number:
// meshes made in memory are not checked the way the importer checks files.
bool isSound(const VxFacetMeshData& mesh)
{
    const int n = mesh.numVertices();
    for (const float p : mesh.positions) {
        if (!std::isfinite(p))
            return false;
    }
    for (const int32_t v : mesh.cornerVertex) {
        if (v < 0 || v >= n)
            return false;
    }
    return mesh.facetStart.back() <= mesh.cornerVertex.size();
}

bool holdsMaps(const VxBoneBinding* binding)
{
    for (int c = 0; c < VxSkinWeightWriter::kChannels; ++c) {
        if (VxSkinWeightWriter::channelMap(binding, c))
            return true;
    }
    return false;
}
} // namespace

VxFaceGroupWeighting::VxFaceGroupWeighting(VxFigure* figure) : m_figure(figure)
{
    gather();
}

void VxFaceGroupWeighting::gather()
{
    if (!m_figure)
        return;
    VxShape* shape = VxShape::getCurrentShapeForNode(m_figure);
    m_mesh = shape ? qobject_cast<VxFacetMesh*>(shape->getGeometry()) : nullptr;

    QHash<const VxNode*, int> index;
    const VxSkinBinding* skin = m_figure->getSkinBinding();
    for (int i = 0; i < skin->getNumBoneBindings(); ++i) {
        VxBoneBinding* binding = skin->getBoneBinding(i);
        const VxNode* bone = binding->getBone();
        if (!bone || bone->getSkeleton() != m_figure || index.contains(bone))
            continue;
        ++m_boundBones;
        if (!holdsMaps(binding))
            continue;
        index.insert(bone, int(m_bindings.size()));
        m_bindings.push_back(binding);
    }
    // The bone itself or its nearest ancestor that can take weights.
    auto weighted = [&index](const VxNode* node) {
        for (; node; node = node->getNodeParent()) {
            const auto found = index.constFind(node);
            if (found != index.constEnd())
                return found.value();
        }
        return -1;
    };
    m_parents.assign(m_bindings.size(), -1);
    m_groups.assign(m_bindings.size(), {});
    for (size_t b = 0; b < m_bindings.size(); ++b)
        m_parents[b] = weighted(m_bindings[b]->getBone()->getNodeParent());

    const VxSelectionMap* selection = m_figure->getSelectionMap();
    for (int p = 0; m_mesh && selection && p < selection->getNumPairs(); ++p) {
        const int group = m_mesh->findFaceGroup(selection->getPairGroup(p));
        const VxNode* node = selection->getPairNode(p);
        const int bone = node && node->getSkeleton() == m_figure ? weighted(node) : -1;
        if (group < 0 || bone < 0)
            continue;
        m_groups[size_t(bone)].push_back(group);
        ++m_pairedGroups;
    }
}

bool VxFaceGroupWeighting::check(QString* reason) const
{
    QString why;
    if (!m_figure)
        why = tr("Select a single-skin figure, or one of its bones, first.");
    else if (!m_mesh || m_mesh->getNumVertices() == 0)
        why = tr("Figure \"%1\" has no skin mesh to weight.").arg(m_figure->getName());
    else if (!isSound(m_mesh->getData()))
        why = tr("The skin of figure \"%1\" has facets naming vertices it does not have, or positions that are "
                 "not numbers.")
                  .arg(m_figure->getName());
    else if (m_boundBones == 0)
        why = tr("Figure \"%1\" has no bones bound to its skin.").arg(m_figure->getName());
    else if (m_bindings.empty())
        why = tr("No bone of figure \"%1\" has a weight map to fill. Choose weight maps for its bones in "
                 "Figure Setup and create the figure again.")
                  .arg(m_figure->getName());
    else if (m_pairedGroups == 0)
        why = tr("No face group of the skin of figure \"%1\" is paired with a bone that has weight maps.")
                  .arg(m_figure->getName());
    for (size_t b = 0; why.isEmpty() && b < m_bindings.size(); ++b) {
        for (int c = 0; c < VxSkinWeightWriter::kChannels; ++c) {
            const VxWeightMap* map = VxSkinWeightWriter::channelMap(m_bindings[b], c);
            if (map && map->getNumWeights() != m_mesh->getNumVertices()) {
                why = tr("The weight maps of bone \"%1\" hold %2 weights, but the skin of figure \"%3\" has %4 "
                         "vertices.")
                          .arg(m_bindings[b]->getBone()->getName())
                          .arg(map->getNumWeights())
                          .arg(m_figure->getName())
                          .arg(m_mesh->getNumVertices());
                break;
            }
        }
    }
    if (reason)
        *reason = why;
    return why.isEmpty();
}

bool VxFaceGroupWeighting::hasPaintedWeights() const
{
    for (const VxBoneBinding* binding : m_bindings) {
        if (VxSkinWeightWriter::isPainted(binding))
            return true;
    }
    return false;
}

bool VxFaceGroupWeighting::apply(bool replacePainted, QString* reason)
{
    if (!check(reason))
        return false;
    std::vector<VxFaceGroupWeightSolver::Bone> bones(m_bindings.size());
    for (size_t b = 0; b < bones.size(); ++b)
        bones[b] = {m_parents[b], m_groups[b]};
    VxFaceGroupWeightSolver solver(m_mesh->getData(), std::move(bones));
    solver.solve();
    VxSkinWeightWriter writer(m_bindings, m_parents);
    writer.write(solver, !replacePainted);
    // Weight maps have no signal of their own: the posed skin is worked out again.
    if (VxObject* object = m_figure->getObject())
        object->invalidateCachedGeom();

    m_summary = tr("Weights from Face Groups: figure \"%1\": %2 bones weighted from %3 face groups, %4 joints "
                   "blended, %5 painted bones kept.")
                    .arg(m_figure->getName())
                    .arg(int(m_bindings.size()) - writer.numKeptBones())
                    .arg(m_pairedGroups)
                    .arg(int(solver.joints().size()))
                    .arg(writer.numKeptBones());
    if (solver.numAdoptedVertices() > 0)
        m_summary += tr(" %1 vertices outside the paired face groups went to the nearest bone.")
                         .arg(solver.numAdoptedVertices());
    if (writer.numShortVertices() > 0)
        m_summary += tr(" %1 vertices keep painted weights below full: no unpainted bone could take the rest.")
                         .arg(writer.numShortVertices());
    if (reason)
        reason->clear();
    return true;
}
