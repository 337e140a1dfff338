#pragma once

#include "vxfacetmeshdata.h"
#include "vxgeometry.h"
#include "vxmatrix3.h"

#include <QList>

class VxFaceGroup;

// A polygon mesh: vertex positions (12 bytes a vertex), UVs, facets with their face group
// and material, and named face groups. Bounding boxes of the whole mesh and of every face
// group are computed together, once per edit, and cached: building a figure asks for one
// box per bone and must not scan the facets each time.
class VXSDK_EXPORT VxFacetMesh : public VxGeometry
{
    Q_OBJECT
public:
    explicit VxFacetMesh(QObject* parent = nullptr);
    ~VxFacetMesh() override;

    // Replaces the whole mesh. Face-group objects are rebuilt; caches are dropped.
    void setData(VxFacetMeshData&& data);
    const VxFacetMeshData& getData() const { return m_data; }

    int getNumVertices() const override { return m_data.numVertices(); }
    VxVec3 getVertex(int index) const;
    const float* getVertexData() const { return m_data.positions.data(); }
    // Moves vertices; the counts must match. Drops the cached boxes.
    bool setVertexPositions(const std::vector<float>& positions);
    // In-place vertex editing: beginEdit, write through getVertexArray (xyz per vertex),
    // finishEdit. `positionsOnly` true promises that only positions change. finishEdit
    // drops the cached boxes and announces the change. Edits do not nest.
    bool beginEdit(bool positionsOnly);
    float* getVertexArray() { return m_editing ? m_data.positions.data() : nullptr; }
    void finishEdit();
    bool isEditing() const { return m_editing; }
    // Counts changes of anything but positions (setData, an edit not promised to be
    // positions only): whoever keeps data derived from the facets compares it to tell a
    // moved mesh from a rebuilt one when meshChanged() arrives.
    quint64 getTopologyRevision() const { return m_topologyRevision; }

    int getNumUVs() const { return m_data.numUVs(); }
    int getNumFacets() const { return m_data.numFacets(); }
    int getFacetNumVertices(int facet) const;
    int getFacetVertex(int facet, int corner) const;
    // -1 when the corner has no UV.
    int getFacetUV(int facet, int corner) const;
    int getFacetFaceGroup(int facet) const { return m_data.facetGroup[facet]; }
    int getFacetMaterial(int facet) const { return m_data.facetMaterial[facet]; }

    int getNumFaceGroups() const { return m_groups.size(); }
    VxFaceGroup* getFaceGroup(int index) const { return m_groups.value(index); }
    // Index of the group with that exact name, or -1.
    int findFaceGroup(const QString& name) const;
    int getFaceGroupFacetCount(int index) const;

    VxBox3 getBoundingBox() const override;
    // Box of the vertices of the group's facets, each vertex transformed by `transform`.
    // Empty for an unknown group or a group without facets.
    VxBox3 getFaceGroupBoundingBox(const QString& name, const VxMatrix3& transform = VxMatrix3()) const;
    VxBox3 getFaceGroupBoundingBox(int index, const VxMatrix3& transform = VxMatrix3()) const;

    bool isSubDivisionEnabled() const { return m_subDivision; }
    void enableSubDivision(bool onOff) { m_subDivision = onOff; }

signals:
    void meshChanged();

private:
    void rebuildGroups();
    void invalidateCaches();
    void computeCaches() const;

    VxFacetMeshData m_data;
    QList<VxFaceGroup*> m_groups;
    bool m_subDivision = false;
    bool m_editing = false;
    bool m_editKeepsTopology = false;
    quint64 m_topologyRevision = 0;

    mutable bool m_cachesValid = false;
    mutable VxBox3 m_bounds;
    mutable std::vector<VxBox3> m_groupBounds;
    mutable std::vector<int> m_groupFacetCounts;
};
