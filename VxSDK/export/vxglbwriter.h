#pragma once

#include "vxsdkglobal.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// The binary glTF container: a 12-byte header, the JSON chunk (padded with spaces to a
// multiple of four bytes) and the binary chunk (padded with zeros).
class VXSDK_EXPORT VxGlbWriter
{
public:
    static QByteArray pack(const QJsonObject& json, const QByteArray& binary);

    // Writes `glb` to `path` through a temporary file that replaces the target only once
    // everything was written, so a failure leaves an existing file as it was and no partial
    // one. False with the reason in *error.
    static bool save(const QString& path, const QByteArray& glb, QString* error);
};
