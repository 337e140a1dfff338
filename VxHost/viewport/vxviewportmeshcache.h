#pragma once

#include "vxviewportmeshbuilder.h"

#include <QHash>
#include <QMetaObject>
#include <QPointer>

#include <memory>

class QOpenGLFunctions_3_3_Core;
class VxFacetMesh;
class VxViewportMeshBuffer;

// The GPU buffers of every mesh the viewport shows, one per mesh however many shapes share
// it. A mesh is converted and uploaded when first drawn and again only after it changed
// (VxFacetMesh::meshChanged), never per frame; buffers of meshes no longer drawn are freed
// at the end of the frame. A change that only moved vertices (the mesh's topology revision
// is the one uploaded: a pose, a positions-only edit) rewrites the vertices in place and
// keeps the triangles. All calls need the viewport's context current.
class VxViewportMeshCache
{
public:
    explicit VxViewportMeshCache(QOpenGLFunctions_3_3_Core* gl);
    ~VxViewportMeshCache();

    VxViewportMeshCache(const VxViewportMeshCache&) = delete;
    VxViewportMeshCache& operator=(const VxViewportMeshCache&) = delete;

    // The mesh's buffer, uploaded first when the mesh is new or changed; null when the
    // buffers could not be made.
    VxViewportMeshBuffer* bufferFor(VxFacetMesh* mesh);
    // A frame marks the buffers it draws; endFrame() frees the rest.
    void beginFrame();
    void endFrame();
    void clear();

    // How many times a mesh was converted and went to the GPU whole, and how many times
    // only its vertices went (positions and normals): counts tests compare before and after.
    int getUploadCount() const { return m_uploadCount; }
    int getPositionUploadCount() const { return m_positionUploadCount; }

private:
    struct Entry
    {
        QPointer<VxFacetMesh> mesh;
        std::unique_ptr<VxViewportMeshBuffer> buffer;
        // What the buffer's vertices were made from, to remake them when only positions change.
        VxViewportVertexSources sources;
        quint64 topologyRevision = 0;
        QMetaObject::Connection changed;
        bool dirty = true;
        bool used = false;
    };

    void upload(Entry& entry);
    bool uploadPositions(Entry& entry);

    QOpenGLFunctions_3_3_Core* m_gl;
    QHash<const VxFacetMesh*, std::shared_ptr<Entry>> m_entries;
    int m_uploadCount = 0;
    int m_positionUploadCount = 0;
};
