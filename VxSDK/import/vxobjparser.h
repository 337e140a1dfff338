#pragma once

#include "vxfacetmeshdata.h"
#include "vxsdkglobal.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// Names in order of first use, for face groups and materials. A name is selected by a
// `g` or `usemtl` line but only enters the table when a facet lands in it, so groups of
// lines or points alone, and materials no facet uses, never appear.
class VxObjNameTable
{
public:
    // Selects a name (empty: none) named on `line`.
    void select(const QByteArray& name, qint64 line);
    // The index of the selected name for a new facet, entering it on first use; -1 for none.
    int current()
    {
        return m_pending ? enterPending() : m_current;
    }

    const QStringList& names() const { return m_names; }
    // The line that selected each name when it was first used.
    const std::vector<qint64>& firstLines() const { return m_firstLines; }

private:
    int enterPending();

    QStringList m_names;
    std::vector<qint64> m_firstLines;
    QHash<QByteArray, int> m_indexByName;
    int m_current = -1;
    bool m_pending = false;
    QByteArray m_pendingName;
    qint64 m_pendingLine = 0;
};

// A material library named by an `mtllib` line.
struct VxObjLibraryRef
{
    QString fileName;   // as written in the file
    qint64 line = 0;
};

// Turns OBJ statements into the arrays of a facet mesh. Reads `v` (x y z; a w or vertex
// colours after them are ignored), `vt` (u and an optional v), `f` with v, v/vt, v//vn
// and v/vt/vn corners and negative (relative) indices, `g`, `usemtl` and `mtllib`; every
// other statement is ignored. The first statement the mesh cannot be built from stops the
// read with a reason: an index 0 or out of range, a face of fewer than 3 corners, a
// coordinate that is not a finite number.
class VXSDK_EXPORT VxObjParser
{
public:
    explicit VxObjParser(VxFacetMeshData& mesh);

    // Reserves room for a file of about `bytes` bytes, so the arrays do not grow by copying.
    void reserveFor(qint64 bytes);

    // One logical line without leading or trailing blanks. False when the file must be
    // refused; errorReason() says why.
    bool parseLine(const char* begin, const char* end, qint64 lineNumber);
    QString errorReason() const { return m_error; }

    const VxObjNameTable& groups() const { return m_groups; }
    const VxObjNameTable& materials() const { return m_materials; }
    const std::vector<VxObjLibraryRef>& libraries() const { return m_libraries; }

    // For the line reader: how much of an over-long line with this keyword is worth keeping.
    static size_t contentLimit(const char* keyword, const char* keywordEnd);

private:
    bool parseVertex(const char* p, const char* end);
    bool parseUV(const char* p, const char* end);
    bool parseFace(const char* p, const char* end);
    bool failCorner(const char* token, const char* end);
    bool failIndex(const char* kind, long long index, long long count);
    bool failNumber(const char* token, const char* end, const char* what);
    bool checkUnknownKeyword(const char* begin, const char* end);
    void parseLibraries(const char* p, const char* end, qint64 line);
    bool fail(const QString& reason);

    VxFacetMeshData& m_mesh;
    VxObjNameTable m_groups;
    VxObjNameTable m_materials;
    std::vector<VxObjLibraryRef> m_libraries;
    bool m_anyUV = false;
    size_t m_cornerReserve = 0;
    QString m_error;
};
