#include "vxfacetmesh.h"

#include "vxfacegroup.h"

#include <QHash>

VxFacetMesh::VxFacetMesh(QObject* parent) : VxGeometry(parent) {}

VxFacetMesh::~VxFacetMesh() = default;

void VxFacetMesh::setData(VxFacetMeshData&& data)
{
    m_data = std::move(data);
    if (m_data.facetStart.empty())
        m_data.facetStart.push_back(0);
    ++m_topologyRevision;
    rebuildGroups();
    invalidateCaches();
}

VxVec3 VxFacetMesh::getVertex(int index) const
{
    const float* p = m_data.positions.data() + 3 * size_t(index);
    return {p[0], p[1], p[2]};
}

bool VxFacetMesh::setVertexPositions(const std::vector<float>& positions)
{
    if (positions.size() != m_data.positions.size())
        return false;
    m_data.positions = positions;
    invalidateCaches();
    return true;
}

bool VxFacetMesh::beginEdit(bool positionsOnly)
{
    if (m_editing)
        return false;
    m_editing = true;
    m_editKeepsTopology = positionsOnly;
    return true;
}

void VxFacetMesh::finishEdit()
{
    if (!m_editing)
        return;
    m_editing = false;
    // Positions are all an edit can reach here, but a caller that did not promise so is
    // taken at its word: derived data is rebuilt.
    if (!m_editKeepsTopology)
        ++m_topologyRevision;
    invalidateCaches();
}

int VxFacetMesh::getFacetNumVertices(int facet) const
{
    return int(m_data.facetStart[facet + 1] - m_data.facetStart[facet]);
}

int VxFacetMesh::getFacetVertex(int facet, int corner) const
{
    return m_data.cornerVertex[m_data.facetStart[facet] + corner];
}

int VxFacetMesh::getFacetUV(int facet, int corner) const
{
    if (m_data.cornerUV.empty())
        return -1;
    return m_data.cornerUV[m_data.facetStart[facet] + corner];
}

int VxFacetMesh::findFaceGroup(const QString& name) const
{
    for (int i = 0; i < m_groups.size(); ++i) {
        if (m_groups[i]->objectName() == name)
            return i;
    }
    return -1;
}

int VxFacetMesh::getFaceGroupFacetCount(int index) const
{
    if (index < 0 || index >= m_groups.size())
        return 0;
    computeCaches();
    return m_groupFacetCounts[size_t(index)];
}

VxBox3 VxFacetMesh::getBoundingBox() const
{
    computeCaches();
    return m_bounds;
}

VxBox3 VxFacetMesh::getFaceGroupBoundingBox(const QString& name, const VxMatrix3& transform) const
{
    return getFaceGroupBoundingBox(findFaceGroup(name), transform);
}

VxBox3 VxFacetMesh::getFaceGroupBoundingBox(int index, const VxMatrix3& transform) const
{
    if (index < 0 || index >= m_groups.size())
        return VxBox3();
    if (transform.isIdentity()) {
        computeCaches();
        return m_groupBounds[size_t(index)];
    }
    VxBox3 box;
    const int facets = getNumFacets();
    for (int f = 0; f < facets; ++f) {
        if (m_data.facetGroup[size_t(f)] != index)
            continue;
        for (uint32_t c = m_data.facetStart[size_t(f)]; c < m_data.facetStart[size_t(f) + 1]; ++c)
            box.extendBy(transform.multVec(getVertex(m_data.cornerVertex[c])));
    }
    return box;
}

void VxFacetMesh::rebuildGroups()
{
    qDeleteAll(m_groups);
    m_groups.clear();
    for (int i = 0; i < m_data.groupNames.size(); ++i)
        m_groups.append(new VxFaceGroup(m_data.groupNames[i], i, this));
}

void VxFacetMesh::invalidateCaches()
{
    m_cachesValid = false;
    emit meshChanged();
}

void VxFacetMesh::computeCaches() const
{
    if (m_cachesValid)
        return;
    const size_t groups = size_t(m_groups.size());
    m_groupBounds.assign(groups, VxBox3());
    m_groupFacetCounts.assign(groups, 0);
    m_bounds.makeEmpty();

    const int vertices = getNumVertices();
    for (int v = 0; v < vertices; ++v)
        m_bounds.extendBy(getVertex(v));

    const int facets = getNumFacets();
    for (int f = 0; f < facets; ++f) {
        const int group = m_data.facetGroup[size_t(f)];
        if (group < 0 || size_t(group) >= groups)
            continue;
        ++m_groupFacetCounts[size_t(group)];
        VxBox3& box = m_groupBounds[size_t(group)];
        for (uint32_t c = m_data.facetStart[size_t(f)]; c < m_data.facetStart[size_t(f) + 1]; ++c)
            box.extendBy(getVertex(m_data.cornerVertex[c]));
    }
    m_cachesValid = true;
}
