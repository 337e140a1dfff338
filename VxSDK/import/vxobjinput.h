#pragma once

#include "vxsdkglobal.h"

#include <QFile>
#include <QString>

#include <memory>
#include <vector>

struct z_stream_s;

// The bytes of a mesh file, read in chunks. Gzip data (recognised by its magic bytes, so
// a renamed .obj.gz reads as well as an .obz) is inflated on the way through zlib.
class VXSDK_EXPORT VxObjInput
{
public:
    VxObjInput();
    ~VxObjInput();
    VxObjInput(const VxObjInput&) = delete;
    VxObjInput& operator=(const VxObjInput&) = delete;

    // False with errorString() when the file cannot be opened or read.
    bool open(const QString& path);
    // Up to `size` bytes; 0 at the end of the data, -1 on failure (a read error, corrupt or
    // truncated compressed data) with errorString().
    qint64 read(char* data, qint64 size);

    bool isCompressed() const { return m_stream != nullptr; }
    // The size of the data once read: the file size, or for gzip the size its trailer
    // records (modulo 4 GiB, and of the last member only). A hint, never a promise.
    qint64 sizeHint() const { return m_sizeHint; }
    QString errorString() const { return m_error; }

private:
    void readGzipSizeHint();
    bool startInflating();
    qint64 inflateInto(char* data, qint64 size);
    bool refillCompressed();
    qint64 fail(const QString& reason);

    QFile m_file;
    QString m_error;
    std::unique_ptr<z_stream_s> m_stream;
    std::vector<unsigned char> m_compressed;
    qint64 m_sizeHint = 0;
    bool m_fileAtEnd = false;
    bool m_streamEnded = false;
};
