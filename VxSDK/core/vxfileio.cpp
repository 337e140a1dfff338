#include "vxfileio.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

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

bool VxFileIO::openRegularFile(QFile& file, QIODevice::OpenMode mode, QString* error)
{
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile()) {
        if (error)
            *error = info.isDir() ? QStringLiteral("it is a folder") : QStringLiteral("it is not a regular file");
        return false;
    }
    if (!file.open(mode)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

int VxFileIO::linkCount(const QString& path)
{
    // Qt does not tell the number of links; the runtime library does.
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    return int(status.st_nlink);
}
