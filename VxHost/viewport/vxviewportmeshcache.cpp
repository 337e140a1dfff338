#include "vxviewportmeshcache.h"

#include "vxviewportmeshbuffer.h"
#include "vxviewportmeshbuilder.h"

#include "vxfacetmesh.h"

VxViewportMeshCache::VxViewportMeshCache(QOpenGLFunctions_3_3_Core* gl) : m_gl(gl) {}

VxViewportMeshCache::~VxViewportMeshCache()
{
    clear();
}

VxViewportMeshBuffer* VxViewportMeshCache::bufferFor(VxFacetMesh* mesh)
{
    if (!mesh)
        return nullptr;
    std::shared_ptr<Entry>& entry = m_entries[mesh];
    // A mesh deleted and another made at the same address must not inherit its buffer.
    if (entry && entry->mesh != mesh) {
        QObject::disconnect(entry->changed);
        entry.reset();
    }
    if (!entry) {
        entry = std::make_shared<Entry>();
        entry->mesh = mesh;
        std::weak_ptr<Entry> weak = entry;
        entry->changed = QObject::connect(mesh, &VxFacetMesh::meshChanged, [weak] {
            if (const std::shared_ptr<Entry> changed = weak.lock())
                changed->dirty = true;
        });
    }
    entry->used = true;
    if (entry->dirty) {
        entry->dirty = false;
        if (!uploadPositions(*entry))
            upload(*entry);
    }
    return entry->buffer.get();
}

void VxViewportMeshCache::upload(Entry& entry)
{
    if (!entry.buffer)
        entry.buffer = std::make_unique<VxViewportMeshBuffer>(m_gl);
    ++m_uploadCount;
    VxViewportMeshGeometry geometry = VxViewportMeshBuilder::build(entry.mesh->getData());
    entry.topologyRevision = entry.mesh->getTopologyRevision();
    if (entry.buffer->upload(geometry)) {
        entry.sources = std::move(geometry.sources);
    } else {
        entry.buffer.reset();
        entry.sources = VxViewportVertexSources();
    }
}

bool VxViewportMeshCache::uploadPositions(Entry& entry)
{
    const VxFacetMeshData& data = entry.mesh->getData();
    if (!entry.buffer || entry.topologyRevision != entry.mesh->getTopologyRevision() || !entry.sources.fits(data))
        return false;
    const bool written = entry.buffer->rewriteVertices(int(entry.sources.sourceVertex.size()), [&](VxViewportVertex* out) {
        VxViewportMeshBuilder::rebuildVertices(data, entry.sources, out);
    });
    if (written)
        ++m_positionUploadCount;
    return written;
}

void VxViewportMeshCache::beginFrame()
{
    for (const std::shared_ptr<Entry>& entry : qAsConst(m_entries))
        entry->used = false;
}

void VxViewportMeshCache::endFrame()
{
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it.value()->used) {
            ++it;
            continue;
        }
        QObject::disconnect(it.value()->changed);
        it = m_entries.erase(it);
    }
}

void VxViewportMeshCache::clear()
{
    for (const std::shared_ptr<Entry>& entry : qAsConst(m_entries))
        QObject::disconnect(entry->changed);
    m_entries.clear();
}
