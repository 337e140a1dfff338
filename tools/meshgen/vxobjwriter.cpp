#include "vxobjwriter.h"

#include <QIODevice>

#include <charconv>
#include <cstring>

namespace {
constexpr size_t kBufferSize = 1 << 20;
}

VxObjWriter::VxObjWriter(QIODevice& out) : m_out(out)
{
    m_buffer.reserve(kBufferSize + 256);
}

bool VxObjWriter::write(const VxFacetMeshData& mesh, const QStringList& materialNames,
                        const QString& mtlLibName)
{
    if (!m_out.isWritable())
        return false;
    if (!mtlLibName.isEmpty()) {
        append("mtllib ");
        append(mtlLibName);
        append("\n");
    }
    const size_t vertices = mesh.positions.size() / 3;
    for (size_t v = 0; v < vertices; ++v) {
        append("v");
        for (int axis = 0; axis < 3; ++axis) {
            append(" ");
            appendFloat(mesh.positions[3 * v + size_t(axis)]);
        }
        append("\n");
    }
    const size_t uvs = mesh.uvs.size() / 2;
    for (size_t t = 0; t < uvs; ++t) {
        append("vt ");
        appendFloat(mesh.uvs[2 * t]);
        append(" ");
        appendFloat(mesh.uvs[2 * t + 1]);
        append("\n");
    }
    writeFacets(mesh, materialNames);
    flush();
    return m_ok;
}

// A `g` or `usemtl` line is written whenever the facet's group or material differs from the
// previous facet's; an empty `g`/`usemtl` line returns to "no group"/"no material".
void VxObjWriter::writeFacets(const VxFacetMeshData& mesh, const QStringList& materialNames)
{
    int group = -1;
    int material = -1;
    const bool withUVs = !mesh.cornerUV.empty();
    const int facets = mesh.numFacets();
    for (int f = 0; f < facets; ++f) {
        const int facetGroup = f < int(mesh.facetGroup.size()) ? mesh.facetGroup[size_t(f)] : -1;
        if (facetGroup != group) {
            group = facetGroup;
            append("g");
            if (group >= 0 && group < mesh.groupNames.size()) {
                append(" ");
                append(mesh.groupNames[group]);
            }
            append("\n");
        }
        const int facetMaterial = f < int(mesh.facetMaterial.size()) ? mesh.facetMaterial[size_t(f)] : -1;
        if (facetMaterial != material) {
            material = facetMaterial;
            append("usemtl");
            if (material >= 0 && material < materialNames.size()) {
                append(" ");
                append(materialNames[material]);
            }
            append("\n");
        }
        append("f");
        for (uint32_t c = mesh.facetStart[size_t(f)]; c < mesh.facetStart[size_t(f) + 1]; ++c) {
            append(" ");
            appendInt(mesh.cornerVertex[c] + 1LL);
            if (withUVs && mesh.cornerUV[c] >= 0) {
                append("/");
                appendInt(mesh.cornerUV[c] + 1LL);
            }
        }
        append("\n");
    }
}

void VxObjWriter::append(const char* text, size_t size)
{
    m_buffer.append(text, size);
    if (m_buffer.size() >= kBufferSize)
        flush();
}

void VxObjWriter::append(const char* text)
{
    append(text, std::strlen(text));
}

void VxObjWriter::append(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    append(utf8.constData(), size_t(utf8.size()));
}

// std::to_chars gives the shortest text that reads back as the same float.
void VxObjWriter::appendFloat(float value)
{
    char text[32];
    const std::to_chars_result result = std::to_chars(text, text + sizeof(text), value);
    append(text, size_t(result.ptr - text));
}

void VxObjWriter::appendInt(long long value)
{
    char text[24];
    const std::to_chars_result result = std::to_chars(text, text + sizeof(text), value);
    append(text, size_t(result.ptr - text));
}

void VxObjWriter::flush()
{
    if (m_buffer.empty())
        return;
    if (m_ok && m_out.write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size()))
        m_ok = false;
    m_buffer.clear();
}
