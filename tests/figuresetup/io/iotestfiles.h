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
class VxFSHierarchyItem;

// A tiny OBJ mesh: one triangle per face group, in the given order.
QByteArray smallObj(const QStringList& groups);

// The bone names of the forest in pre-order, each indented by two spaces per level.
QStringList outline(const VxFSHierarchy& hierarchy);

// The application fixture with a content folder for the readers: "content" is the first
// Poser runtime folder, "content2" the second.
class IoTest : public VxAppTest
{
protected:
    void SetUp() override;

    // Writes smallObj(groups) to tempPath(relative); returns the full path.
    QString writeMesh(const QString& relative, const QStringList& groups) const;
};
