#pragma once

#include "vxfacetmeshdata.h"

#include <QString>
#include <QStringList>

#include <string>

class QIODevice;

// Streams a facet mesh out as OBJ text through a fixed-size buffer, so that meshes of
// millions of facets are written without building the text in memory.
class VxObjWriter
{
public:
    explicit VxObjWriter(QIODevice& out);

    bool write(const VxFacetMeshData& mesh, const QStringList& materialNames, const QString& mtlLibName);

private:
    void writeFacets(const VxFacetMeshData& mesh, const QStringList& materialNames);
    void append(const char* text, size_t size);
    void append(const char* text);
    void append(const QString& text);
    void appendFloat(float value);
    void appendInt(long long value);
    void flush();

    QIODevice& m_out;
    std::string m_buffer;
    bool m_ok = true;
};
