#pragma once

#include <QString>

class QDomDocument;
class QDomElement;
class VxFSGeomItem;
class VxFSHierarchy;

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

    // A new `tag` element at the end of `parent`'s children, referring to `path`.
    static QDomElement appendElement(QDomDocument& document, QDomElement& parent, const QString& tag,
                                     const QString& path);
    // The document's item for the geometry `element` refers to, loaded and added when the
    // document has none by that path; null when the element names none or it can not be
    // loaded.
    static VxFSGeomItem* addGeometry(VxFSHierarchy& document, const QDomElement& element);
};
