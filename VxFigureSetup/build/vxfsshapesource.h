#pragma once

#include <QString>

class VxShape;

// Where a scene shape's mesh came from, as a file path for the document's geometry list.
class VxFSShapeSource
{
public:
    // The path of the shape's "GeomSourceFileData" record; empty when it has none.
    static QString recordedPath(const VxShape* shape);
    // The recorded path, or else the local file the shape's facet mesh was read from (the
    // mesh's asset address). Shapes that figure building makes from loaded geometry carry
    // no record of their own, but share the loaded mesh, which remembers its file.
    static QString filePath(const VxShape* shape);
};
