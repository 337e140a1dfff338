#pragma once

#include "vxfacetmeshdata.h"

#include <QString>
#include <QStringList>

class QIODevice;

// Generates meshes for the example figure, the tests and the benchmarks. Everything is
// deterministic: the same call gives the same mesh and, written out, the same bytes.
class VxMeshGen
{
public:
    // The humanoid's body-part face groups, in mesh order.
    static QStringList humanoidGroupNames();

    // A figure built of subdivided boxes, one face group per body part, standing on y = 0,
    // 1.76 units tall, facing +Z, its left side on +X, arms stretched along +-X and legs
    // along -Y. Body-part boxes touch but never overlap. Quads with UVs; materials "skin",
    // "hair" (top of the head) and "shoes" (the feet).
    static VxFacetMeshData humanoid(QStringList* materialNames = nullptr);

    // A wavy square sheet of about `triangles` triangles split into `groups` contiguous
    // face groups ("group_000", ...); group g uses material g % materials ("material_0",
    // ...). UVs share the vertex numbering when `withUVs` is set.
    static VxFacetMeshData grid(int triangles, int groups, int materials,
                                QStringList* materialNames = nullptr, bool withUVs = true);

    // Writes `g`, `usemtl`, `v`, `vt` and `f` lines, streaming. `mtlLibName`, when given,
    // is written as the `mtllib` line. Coordinates are written in their shortest exact form,
    // so reading the file back gives the same floats.
    static bool writeObj(const VxFacetMeshData& mesh, const QStringList& materialNames,
                         QIODevice& out, const QString& mtlLibName = QString());
    // A material library with a `newmtl` and a `Kd` colour for each name.
    static bool writeMtl(const QStringList& materialNames, QIODevice& out);
    // Writes `path` (gzip-compressed when it ends in .obz) and, when there are materials,
    // the library beside it with the same base name and the extension .mtl. Files are
    // replaced whole or not at all.
    static bool writeObjFile(const VxFacetMeshData& mesh, const QStringList& materialNames,
                             const QString& path, QString* error = nullptr);

    // The Kd colour writeMtl gives a material name.
    static void materialColor(const QString& name, float rgb[3]);
};
