#pragma once

#include "vxsdkglobal.h"

#include <QIODevice>
#include <QString>

class QFile;

// Path helpers that accept both '/' and '\' as separators, since content made on Windows
// names files with back-slashes, and the checks every reader of user files shares.
class VXSDK_EXPORT VxFileIO
{
public:
    // "C:/a/b/body.obj" -> "body.obj"
    static QString getShortFileName(const QString& path);
    // "C:/a/b/body.obj" -> "C:/a/b"; empty when the path has no directory part.
    static QString getFilePath(const QString& path);
    // "body.obz" -> "obz" (lower case); empty when there is none.
    static QString getExtension(const QString& path);

    // Opens `file` (its name set) in `mode` when the name leads to a regular file; anything
    // else fails with the reason in `error`. A named pipe would block in open until someone
    // writes to it, and a device may never end, so readers refuse them like a missing file.
    static bool openRegularFile(QFile& file, QIODevice::OpenMode mode, QString* error = nullptr);
    // How many names the file has (hard links); 0 when it does not exist.
    static int linkCount(const QString& path);
};
