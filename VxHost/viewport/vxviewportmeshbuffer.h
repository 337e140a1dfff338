#pragma once

#include "vxviewportmeshbuilder.h"

#include <QOpenGLBuffer>
#include <QOpenGLVertexArrayObject>

#include <functional>
#include <vector>

class QOpenGLFunctions_3_3_Core;

// One mesh's triangles on the GPU: a vertex array with its vertex and index buffers, and
// the ranges that share a face group and material. Created, used and destroyed while the
// viewport's context is current.
class VxViewportMeshBuffer
{
public:
    // Attribute locations every mesh program binds.
    enum Attribute { PositionAttribute = 0, NormalAttribute = 1 };

    explicit VxViewportMeshBuffer(QOpenGLFunctions_3_3_Core* gl);
    ~VxViewportMeshBuffer();

    VxViewportMeshBuffer(const VxViewportMeshBuffer&) = delete;
    VxViewportMeshBuffer& operator=(const VxViewportMeshBuffer&) = delete;

    // Replaces the buffers' contents; false when the buffers could not be created.
    bool upload(const VxViewportMeshGeometry& geometry);
    // Rewrites the vertices in place, the triangles kept: `write` fills `count` of them
    // straight into the buffer (or into memory sent after it, where the buffer cannot be
    // mapped). False, the contents undefined, when `count` is not the buffer's or the
    // write did not reach it.
    bool rewriteVertices(int count, const std::function<void(VxViewportVertex*)>& write);

    const std::vector<VxViewportMeshRange>& ranges() const { return m_ranges; }
    int vertexCount() const { return m_vertexCount; }
    uint32_t indexCount() const { return m_indexCount; }

    void bind() { m_vao.bind(); }
    void release() { m_vao.release(); }
    // Draws `count` indices from `first` as triangles; the buffer must be bound.
    void drawIndices(uint32_t first, uint32_t count);

private:
    QOpenGLFunctions_3_3_Core* m_gl;
    QOpenGLVertexArrayObject m_vao;
    QOpenGLBuffer m_vertices{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer m_indices{QOpenGLBuffer::IndexBuffer};
    std::vector<VxViewportMeshRange> m_ranges;
    int m_vertexCount = 0;
    uint32_t m_indexCount = 0;
};
