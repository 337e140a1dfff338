#include "vxviewportmeshbuffer.h"

#include <QOpenGLFunctions_3_3_Core>

#include <cstddef>
#include <limits>

VxViewportMeshBuffer::VxViewportMeshBuffer(QOpenGLFunctions_3_3_Core* gl) : m_gl(gl) {}

VxViewportMeshBuffer::~VxViewportMeshBuffer()
{
    m_vao.destroy();
    m_vertices.destroy();
    m_indices.destroy();
}

bool VxViewportMeshBuffer::upload(const VxViewportMeshGeometry& geometry)
{
    // Qt's buffers take int sizes; a mesh past 2 GiB is not drawn rather than cut short.
    constexpr size_t limit = size_t(std::numeric_limits<int>::max());
    if (geometry.vertices.size() > limit / sizeof(VxViewportVertex) || geometry.indices.size() > limit / sizeof(uint32_t))
        return false;
    if (!m_vao.isCreated() && !m_vao.create())
        return false;
    if (!m_vertices.isCreated() && !m_vertices.create())
        return false;
    if (!m_indices.isCreated() && !m_indices.create())
        return false;

    m_vao.bind();
    m_vertices.bind();
    m_vertices.setUsagePattern(QOpenGLBuffer::StaticDraw);
    m_vertices.allocate(geometry.vertices.data(), int(geometry.vertices.size() * sizeof(VxViewportVertex)));
    m_indices.bind();
    m_indices.setUsagePattern(QOpenGLBuffer::StaticDraw);
    m_indices.allocate(geometry.indices.data(), int(geometry.indices.size() * sizeof(uint32_t)));

    const GLsizei stride = sizeof(VxViewportVertex);
    m_gl->glEnableVertexAttribArray(PositionAttribute);
    m_gl->glVertexAttribPointer(PositionAttribute, 3, GL_FLOAT, GL_FALSE, stride,
                                reinterpret_cast<const void*>(offsetof(VxViewportVertex, position)));
    m_gl->glEnableVertexAttribArray(NormalAttribute);
    m_gl->glVertexAttribPointer(NormalAttribute, 4, GL_BYTE, GL_TRUE, stride,
                                reinterpret_cast<const void*>(offsetof(VxViewportVertex, normal)));
    m_vao.release();

    m_ranges = geometry.ranges;
    m_vertexCount = int(geometry.vertices.size());
    m_indexCount = uint32_t(geometry.indices.size());
    return true;
}

bool VxViewportMeshBuffer::rewriteVertices(int count, const std::function<void(VxViewportVertex*)>& write)
{
    if (!m_vertices.isCreated() || count != m_vertexCount || count <= 0)
        return false;
    const int bytes = count * int(sizeof(VxViewportVertex));
    m_vertices.bind();
    // Invalidating lets the driver hand out fresh storage instead of waiting for frames
    // still drawing from the old.
    void* mapped = m_vertices.mapRange(0, bytes, QOpenGLBuffer::RangeWrite | QOpenGLBuffer::RangeInvalidateBuffer);
    bool written = true;
    if (mapped) {
        write(static_cast<VxViewportVertex*>(mapped));
        // False when the storage was lost meanwhile (a mode switch): the caller uploads anew.
        written = m_vertices.unmap();
    } else {
        std::vector<VxViewportVertex> vertices(static_cast<size_t>(count));
        write(vertices.data());
        m_vertices.write(0, vertices.data(), bytes);
    }
    m_vertices.release();
    return written;
}

void VxViewportMeshBuffer::drawIndices(uint32_t first, uint32_t count)
{
    if (count == 0)
        return;
    m_gl->glDrawElements(GL_TRIANGLES, GLsizei(count), GL_UNSIGNED_INT,
                         reinterpret_cast<const void*>(size_t(first) * sizeof(uint32_t)));
}
