#include "vxfsdiagnostic.h"

#include <QtGlobal>

#include <algorithm>

namespace {

// This file's place in the source tree; what precedes it in __FILE__ is the tree's root as
// the compiler saw it, which is the same prefix every other file of the tree gets.
const char kOwnRelativePath[] = "VxFigureSetup/plugin/vxfsdiagnostic.cpp";

QString sourceTreeRoot()
{
    const QString own = QString::fromUtf8(__FILE__);
    const QString relative = QString::fromLatin1(kOwnRelativePath);
    if (!own.endsWith(relative))
        return QString();
    return own.left(own.size() - relative.size());
}

} // namespace

QString vxFSDiagnosticSourcePath(const QString& sourcePath)
{
    static const QString root = sourceTreeRoot();
    if (!root.isEmpty() && sourcePath.startsWith(root))
        return sourcePath.mid(root.size());
    const int cut = std::max(sourcePath.lastIndexOf(QLatin1String("\\src\\")),
                             sourcePath.lastIndexOf(QLatin1String("/src/")));
    return cut >= 0 ? sourcePath.mid(cut) : sourcePath;
}

void vxFSDiagnostic(const char* sourcePath, int line, const QString& message)
{
    const QString text = QStringLiteral("%1(%2): %3")
                             .arg(vxFSDiagnosticSourcePath(QString::fromUtf8(sourcePath ? sourcePath : "")))
                             .arg(line)
                             .arg(message);
    qWarning("%s", qPrintable(text));
}
