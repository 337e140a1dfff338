#pragma once

#include "vxtstack.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class VxFSGeomItem;
class VxFSHierarchy;
class VxFSHierarchyItem;

// Fills a hierarchy document from the lines of a Poser hierarchy file, one line at a time:
// the geometry line, bone lines whose depth numbers rebuild the bone tree on a stack of
// open parents, and IK chain lines. The document is expected to be cleared and of Poser
// type already.
class VxFSPhiReader
{
public:
    explicit VxFSPhiReader(VxFSHierarchy& hierarchy);

    // One line as QIODevice::readLine gives it (at most 1023 bytes, line end included).
    void readLine(const QByteArray& line);

    // The deepest level (a root bone is at level 1) the bone lines of `lines` would build,
    // by the same rules as readLine, without building anything.
    static int deepestBoneLevel(const QList<QByteArray>& lines);

    // A path in Poser colon notation (":Runtime:Geometries:Figure:body.obj") as the path
    // of an existing file, through the runtime folders; empty when nothing was found.
    static QString resolvePoserPath(const QString& poserPath);

private:
    void readGeometryLine(const QStringList& tokens);
    void readBoneLine(const QStringList& tokens, int depth);
    void readIKChainLine(const QStringList& tokens);
    VxFSHierarchyItem* openParentFor(int depth);

    VxFSHierarchy& m_hierarchy;
    VxTStack<VxFSHierarchyItem*> m_parents;
    int m_depth = 0;
    VxFSHierarchyItem* m_previousBone = nullptr;
    VxFSGeomItem* m_figureGeometry = nullptr;
    bool m_geometrySeen = false;
};
