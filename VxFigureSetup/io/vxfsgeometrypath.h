#pragma once

#include <QString>

class QDomDocument;
class QDomElement;
class VxFSGeomItem;
class VxFSHierarchy;

// Where the files of figure templates and Poser hierarchy files find their geometry.
//
// Templates store a path inside a runtime folder from the word "runtime" on
// ("GeomRelativePath"), so that a template moves between machines with different content
// folders, and any other path whole ("GeomAbsolutePath"). A relative path is looked up in
// each Poser runtime folder of the host in turn, then by the host's content search.
class VxFSGeometryPath
{
public:
    static void write(QDomElement& element, const QString& path);
    // The absolute path as stored, else the relative one resolved; empty when neither is
    // given or nothing was found.
    static QString read(const QDomElement& element);

    // A new `tag` element at the end of `parent`'s children, referring to `path`.
    static QDomElement appendElement(QDomDocument& document, QDomElement& parent, const QString& tag,
                                     const QString& path);
    // The document's item for the geometry `element` refers to, loaded and added when the
    // document has none by that path; null when the element names none or it can not be
    // loaded.
    static VxFSGeomItem* addGeometry(VxFSHierarchy& document, const QDomElement& element);

    // The absolute path of an existing file for a path relative to a runtime folder
    // ("Runtime/Geometries/..."; '\' separates folders as well), or an empty string.
    static QString resolveRuntimePath(const QString& path);
    // The same for a path in Poser's colon notation (":Runtime:Geometries:Figure:body.obj").
    static QString resolvePoserPath(const QString& poserPath);
};
