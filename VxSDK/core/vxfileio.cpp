#include "vxfileio.h"

namespace {
int lastSeparator(const QString& path)
{
    return qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}
} // namespace

QString VxFileIO::getShortFileName(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString VxFileIO::getFilePath(const QString& path)
{
    const int sep = lastSeparator(path);
    if (sep < 0)
        return QString();
    if (sep == 0)
        return path.left(1);
    return path.left(sep);
}

QString VxFileIO::getExtension(const QString& path)
{
    const QString name = getShortFileName(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}
