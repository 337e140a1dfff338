#pragma once

#include <QString>

class QDomElement;

// The geometry-path attribute of template elements that refer to a geometry item. Paths
// inside a runtime folder are stored from the word "runtime" on ("GeomRelativePath"), so a
// template moves between machines with different content folders; other paths are stored
// whole ("GeomAbsolutePath").
class VxFSGeometryPath
{
public:
    static void write(QDomElement& element, const QString& path);
    // The absolute path as stored, else the relative one resolved against the runtime
    // folders; empty when neither is given or nothing was found.
    static QString read(const QDomElement& element);
};
