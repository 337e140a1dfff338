#pragma once

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
// at the end of the frame. All calls need the viewport's context current.
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

    // How many times mesh data went to the GPU: a count tests compare before and after.
    int getUploadCount() const { return m_uploadCount; }

private:
    struct Entry
    {
        QPointer<VxFacetMesh> mesh;
        std::unique_ptr<VxViewportMeshBuffer> buffer;
        QMetaObject::Connection changed;
        bool dirty = true;
        bool used = false;
    };

    QOpenGLFunctions_3_3_Core* m_gl;
    QHash<const VxFacetMesh*, std::shared_ptr<Entry>> m_entries;
    int m_uploadCount = 0;
};
