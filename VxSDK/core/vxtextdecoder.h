#pragma once

#include "vxsdkglobal.h"

#include <QByteArray>
#include <QString>

// Decodes names read from 8-bit text files (OBJ and MTL files, Poser hierarchy files): as
// UTF-8 when the bytes are valid UTF-8, else as Latin-1, since older content comes from
// Windows code pages. Every reader decodes the same way, so that a name a hierarchy file
// gives matches the face group a mesh file gives, and names that differ in their bytes
// stay different (a byte that is not UTF-8 never becomes U+FFFD).
class VXSDK_EXPORT VxTextDecoder
{
public:
    static QString decode(const char* data, int size);
    static QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }
};
