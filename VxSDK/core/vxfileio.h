#pragma once

#include "vxsdkglobal.h"

#include <QString>

// Path helpers that accept both '/' and '\' as separators, since content made on Windows
// names files with back-slashes.
class VXSDK_EXPORT VxFileIO
{
public:
    // "C:/a/b/body.obj" -> "body.obj"
    static QString getShortFileName(const QString& path);
    // "C:/a/b/body.obj" -> "C:/a/b"; empty when the path has no directory part.
    static QString getFilePath(const QString& path);
    // "body.obz" -> "obz" (lower case); empty when there is none.
    static QString getExtension(const QString& path);
};
