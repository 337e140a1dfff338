#pragma once

#include "vxfilefilter.h"
#include "vxsdkglobal.h"

#include <QString>

class VxShape;

// Reads mesh files into host shapes.
class VXSDK_EXPORT VxImportMgr
{
public:
    enum Result {
        Success = 0,
        CannotOpen = 1,      // missing or unreadable file
        UnknownFormat = 2,   // not an extension the importer reads
        BadData = 3,         // the content is not a mesh the importer can read
    };

    VxImportMgr();
    ~VxImportMgr();

    // Reads `path` (.obj, or .obz: gzip-compressed OBJ) into a new VxFacetShape with its
    // VxFacetMesh and the materials named by `usemtl`, in order of first use. On success
    // returns Success and sets *shape to the new shape, which carries no reference yet: the
    // caller takes the first. On failure returns the reason, leaves *shape null and writes
    // one line to the host log naming the file, the line and what is wrong. `flags` is
    // reserved (-1 for the defaults).
    int readGeometry(const QString& path, VxShape** shape, int flags = -1);

    // The message of the last failure, as written to the log; empty after a success.
    QString getLastError() const { return m_lastError; }
    // Warnings of the last read (a missing material library, ...), each with its line.
    QStringList getLastWarnings() const { return m_lastWarnings; }

    // "Wavefront OBJ (*.obj)" and "Compressed Wavefront OBJ (*.obz)".
    static VxFileFilter makeGeometryFileFilter();

private:
    QString m_lastError;
    QStringList m_lastWarnings;
};
