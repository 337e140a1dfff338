#include "vxobjinput.h"

#include "vxfileio.h"

#include <zlib.h>

#include <algorithm>

namespace {
constexpr qint64 kCompressedChunk = 256 * 1024;
constexpr unsigned char kGzipMagic[2] = {0x1f, 0x8b};
}

VxObjInput::VxObjInput() = default;

VxObjInput::~VxObjInput()
{
    if (m_stream)
        inflateEnd(m_stream.get());
}

bool VxObjInput::open(const QString& path)
{
    m_file.setFileName(path);
    if (!VxFileIO::openRegularFile(m_file, QIODevice::ReadOnly | QIODevice::Unbuffered, &m_error))
        return false;
    m_sizeHint = m_file.size();
    char magic[2] = {};
    if (m_file.peek(magic, 2) == 2 && (unsigned char)magic[0] == kGzipMagic[0]
        && (unsigned char)magic[1] == kGzipMagic[1]) {
        readGzipSizeHint();
        return startInflating();
    }
    return true;
}

void VxObjInput::readGzipSizeHint()
{
    const qint64 size = m_file.size();
    unsigned char trailer[4] = {};
    m_sizeHint = 0;
    if (size >= 18 && m_file.seek(size - 4) && m_file.read(reinterpret_cast<char*>(trailer), 4) == 4)
        m_sizeHint = qint64(trailer[0]) | qint64(trailer[1]) << 8 | qint64(trailer[2]) << 16 | qint64(trailer[3]) << 24;
    // Deflate expands at most about 1032 times; a truncated file's last bytes are no trailer.
    m_sizeHint = std::min(m_sizeHint, size * 1032);
    m_file.seek(0);
}

bool VxObjInput::startInflating()
{
    m_stream = std::make_unique<z_stream_s>();
    m_stream->zalloc = Z_NULL;
    m_stream->zfree = Z_NULL;
    m_stream->opaque = Z_NULL;
    m_stream->next_in = Z_NULL;
    m_stream->avail_in = 0;
    // 15 + 16: a gzip header and trailer around a deflate stream with the largest window.
    if (inflateInit2(m_stream.get(), 15 + 16) != Z_OK) {
        m_stream.reset();
        m_error = QStringLiteral("cannot start decompressing");
        return false;
    }
    m_compressed.resize(size_t(kCompressedChunk));
    return true;
}

qint64 VxObjInput::read(char* data, qint64 size)
{
    if (size <= 0 || !m_error.isEmpty())
        return m_error.isEmpty() ? 0 : -1;
    if (m_stream)
        return inflateInto(data, size);
    const qint64 got = m_file.read(data, size);
    if (got < 0)
        return fail(m_file.errorString());
    return got;
}

qint64 VxObjInput::inflateInto(char* data, qint64 size)
{
    z_stream_s& zs = *m_stream;
    zs.next_out = reinterpret_cast<Bytef*>(data);
    zs.avail_out = uInt(size);
    while (zs.avail_out > 0 && !m_streamEnded) {
        if (zs.avail_in == 0 && !refillCompressed())
            return -1;
        if (zs.avail_in == 0 && m_fileAtEnd)
            return fail(QStringLiteral("the compressed data ends early (truncated file)"));
        const int status = inflate(&zs, Z_NO_FLUSH);
        if (status == Z_STREAM_END) {
            // gzip allows several members one after the other; anything else that follows
            // is ignored, as gzip itself does.
            if (zs.avail_in < 2 && !refillCompressed())
                return -1;
            if (zs.avail_in >= 2 && zs.next_in[0] == kGzipMagic[0] && zs.next_in[1] == kGzipMagic[1])
                inflateReset(&zs);
            else
                m_streamEnded = true;
        } else if (status == Z_DATA_ERROR) {
            return fail(QStringLiteral("the compressed data is corrupt (%1)").arg(QString::fromLatin1(zs.msg ? zs.msg : "")));
        } else if (status == Z_MEM_ERROR) {
            return fail(QStringLiteral("out of memory while decompressing"));
        } else if (status != Z_OK && status != Z_BUF_ERROR) {
            return fail(QStringLiteral("the compressed data cannot be read (zlib error %1)").arg(status));
        }
    }
    return size - qint64(zs.avail_out);
}

bool VxObjInput::refillCompressed()
{
    z_stream_s& zs = *m_stream;
    if (m_fileAtEnd)
        return true;
    // Keep what is left (at most a byte or so after a member's end) in front of new data.
    const size_t kept = zs.avail_in;
    if (kept > 0 && zs.next_in != m_compressed.data())
        memmove(m_compressed.data(), zs.next_in, kept);
    const qint64 got = m_file.read(reinterpret_cast<char*>(m_compressed.data() + kept), qint64(m_compressed.size() - kept));
    if (got < 0) {
        fail(m_file.errorString());
        return false;
    }
    if (got == 0)
        m_fileAtEnd = true;
    zs.next_in = m_compressed.data();
    zs.avail_in = uInt(kept + size_t(got));
    return true;
}

qint64 VxObjInput::fail(const QString& reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    return -1;
}
