#pragma once

#include "vxfilefilter.h"
#include "vxsdkglobal.h"

#include <QString>

class VxFileIOSettings;
class VxImportOptions;
class VxObjParser;
class VxShape;

// Reads mesh files into host shapes.
class VXSDK_EXPORT VxImportMgr
{
public:
    enum Result {
        Success = 0,
        CannotOpen = 1,      // missing or unreadable file
        UnknownFormat = 2,   // not OBJ text at all: UTF-16 or binary
        BadData = 3,         // the content is not a mesh the importer can read
        BadSettings = 4,     // an importer setting holds a value it cannot mean
    };

    VxImportMgr();
    ~VxImportMgr();

    // Reads `path` (OBJ text, or gzip-compressed OBJ such as .obz, recognised by its magic
    // bytes whatever the extension) into a new VxFacetShape with its VxFacetMesh and the
    // materials named by `usemtl`, in order of first use by a facet. The shape is named
    // and labelled after the file's base name; the mesh's asset URL is the file's URL.
    //
    // Face groups come from `g` lines (one per distinct name, `g a b` means a); a group
    // exists once a facet lands in it. Facets before any `g`, or after a `g` without a
    // name, have group -1; facets before any `usemtl` have material -1. Kd and map_Kd come
    // from the `mtllib` libraries; a missing library or an undefined material is a warning.
    //
    // On success returns Success and sets *shape to the new shape, which carries no
    // reference yet: the caller takes the first. On failure returns the reason, leaves
    // *shape null and writes one line "<path>:<line>: <reason>" to the host log; coordinates
    // that are not finite numbers (nan, inf) are refused like any other bad number.
    // Warnings go to the log in the same form. `flags` is reserved (-1 for the defaults).
    int readGeometry(const QString& path, VxShape** shape, int flags = -1);
    // The same with importer settings; VxImportOptions lists the keys understood. A value
    // of a known key that means nothing is refused (BadSettings) before the file is opened;
    // an unknown key is ignored with a warning naming it.
    int readGeometry(const QString& path, VxShape** shape, const VxFileIOSettings& settings);

    // The message of the last failure, as written to the log; empty after a success.
    QString getLastError() const { return m_lastError; }
    // Warnings of the last read (a missing material library, ...), each with its line.
    QStringList getLastWarnings() const { return m_lastWarnings; }

    // The folder the next geometry file dialog opens in: where the last mesh was read from,
    // as the caller records it; empty until then.
    QString getImportPath() const { return m_importPath; }
    void setImportPath(const QString& path) { m_importPath = path; }

    // "Wavefront OBJ (*.obj)" and "Compressed Wavefront OBJ (*.obz)".
    static VxFileFilter makeGeometryFileFilter();
    // Appends those filters to `filter` and, with `allFormats`, a last one that takes every
    // geometry file the importer reads, described by `text` ("All Geometry Files" when it
    // is empty). File dialogs usually start with that last one.
    static void makeGeometryFileFilter(VxFileFilter& filter, const QString& text, bool allFormats);

private:
    int read(const QString& path, VxShape** shape, const VxImportOptions& options);
    void addMaterials(const QString& path, const VxObjParser& parser, VxShape& shape);
    int refuse(int result, const QString& message);

    QString m_lastError;
    QStringList m_lastWarnings;
    QString m_importPath;
};
