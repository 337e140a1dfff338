#pragma once

#include <QString>

class VxElement;
class VxFacetMesh;
class VxShape;

// The changes Update Base Geometry makes to a shape once its checks have passed: new vertex
// positions in place, or a whole new mesh with the regions, materials and source-file record
// that go with it.
class VxBaseGeometryUpdater
{
public:
    // Copies all vertex positions of `source` over those of `target` in one edit. The vertex
    // counts must match; false (nothing changed) when they do not or `target` is being
    // edited already.
    static bool copyVertexPositions(VxFacetMesh* target, const VxFacetMesh* source);

    // Makes `newMesh`, read into `imported`, the mesh of `shape`: the region tree keeps the
    // facet indices that are valid in the new mesh, the materials become the imported
    // shape's, and the imported source-file record goes to the shape and to its node.
    // False (nothing changed) when `shape` is not a facet shape.
    static bool replaceMesh(VxShape* shape, VxFacetMesh* oldMesh, VxShape* imported, VxFacetMesh* newMesh);

    // Gives `element` a "GeomSourceFileData" record of the file, updating the one it has.
    static void recordSourceFile(VxElement* element, const QString& path, const QString& groupName);

private:
    static void replaceMaterials(VxShape* shape, const VxShape* from);
    static void copySourceRecord(VxShape* shape, const VxShape* from);
};
