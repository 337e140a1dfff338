#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One line of a Poser hierarchy file (.phi), split into tokens and classified.
//
// The line is 8-bit text: runs of blanks (spaces, tabs, line breaks, vertical tabs, form
// feeds) separate tokens and leading or trailing ones are dropped. Each token is decoded as
// the mesh importer decodes names (VxTextDecoder: UTF-8 when valid, else Latin-1), so that
// bone names match face-group names and every byte survives into the names, except control
// characters and the other characters XML cannot hold, which become U+FFFD.
class VxFSPhiLine
{
public:
    enum Kind {
        Ignored,   // no tokens, before the geometry line, a second geometry line, anything else
        Geometry,  // "objFile<path>" (keyword without regard to case), the first one only
        Bone,      // "<depth> <name> <rotation order> [curve | <path>] [<path>]"
        IKChain,   // "ikChain <chain name> <bone name>..." (keyword case-sensitive)
    };

    // `geometrySeen`: whether an earlier line of the file was the geometry line.
    VxFSPhiLine(const QByteArray& bytes, bool geometrySeen);

    Kind kind() const { return m_kind; }
    const QStringList& tokens() const { return m_tokens; }
    // The depth of a bone line (token 0); 0 for other kinds.
    int depth() const { return m_depth; }

    static QStringList tokenize(const QByteArray& bytes);
    // The rotation order a bone line's code names (xyz = 0 ... zyx = 5, any case), or -1.
    static int rotationOrderFromCode(const QString& code);

private:
    QStringList m_tokens;
    Kind m_kind = Ignored;
    int m_depth = 0;
};
