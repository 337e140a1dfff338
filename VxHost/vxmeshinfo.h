#pragma once

#include <QByteArray>
#include <QString>

class VxFacetShape;

// A JSON summary of a mesh, with keys in this fixed order:
//   {"vertexCount": n, "uvCount": n, "facetCount": n,
//    "groups": [{"name": s, "facetCount": n, "boundingBox": {"min": [x, y, z], "max": [x, y, z]}}, ...],
//    "materials": [s, ...]}
// Groups and materials are in mesh order. A group without facets has "boundingBox": null.
// Coordinates are written in the shortest form that reads back as the same 32-bit float.
class VxMeshInfo
{
public:
    // Reads the file through the host importer and summarises it. On failure returns false
    // with the importer's reason in `error`.
    static bool describeFile(const QString& path, QByteArray* json, QString* error);

    static QByteArray toJson(const VxFacetShape& shape);
};
