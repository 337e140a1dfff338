#pragma once

#include "vxtstack.h"

#include <QByteArray>
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

// The deepest level (a root bone is at level 1) the bone lines of a file build, by the same
// rules as VxFSPhiReader, without building anything: fed the file's lines in order, it
// tells whether the file is too deep to import before the document changes.
class VxFSPhiNesting
{
public:
    void addLine(const QByteArray& line);
    int deepestLevel() const { return m_deepest; }

private:
    bool m_geometrySeen = false;
    bool m_anyBone = false;
    int m_counter = 0;
    int m_open = 0;
    int m_deepest = 0;
};
