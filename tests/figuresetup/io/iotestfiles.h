#pragma once

#include "vxapptest.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable strings in test failures.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

class VxFSHierarchy;
class VxMessageBoxAnswerer;

// The bone names of the forest in pre-order, each indented by two spaces per level.
QStringList outline(const VxFSHierarchy& hierarchy);
// outline() with each bone's rotation order, "curve" when set and its face group as
// "file:group"; then a line per chain: its name, "off" when inactive, its bones and weights.
QStringList details(const VxFSHierarchy& hierarchy);
// How many levels the bone forest has (a root bone is at level 1).
int deepestLevel(const VxFSHierarchy& hierarchy);
// A file's bytes; empty when it can not be read.
QByteArray readBytes(const QString& path);

// The application fixture with a content folder for the readers: "content" is the first
// Poser runtime folder, "content2" the second.
class IoTest : public VxAppTest
{
protected:
    void SetUp() override;

    // Writes a tiny OBJ mesh, one triangle per face group in the given order, to
    // tempPath(relative); returns the full path.
    QString writeMesh(const QString& relative, const QStringList& groups) const;
    // A named pipe at tempPath(relative), which nobody writes to; returns the full path.
    QString namedPipe(const QString& relative) const;

    // `answerer` saw exactly one box, with `title` and `text`, answered with Ok; with a
    // `logPrefix` the host log also holds the line `logPrefix` + `text`.
    void expectOneBox(const VxMessageBoxAnswerer& answerer, const QString& title, const QString& text,
                      const QString& logPrefix = QString()) const;
};
