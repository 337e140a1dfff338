#include "vxgzipwriter.h"

#include <QBuffer>

#include <zlib.h>

VxGzipWriter::VxGzipWriter(QIODevice& target, int level) : m_target(target), m_stream(std::make_unique<z_stream_s>())
{
    *m_stream = z_stream_s{};
    // 15 + 16: the largest window, wrapped in a gzip header and trailer.
    m_ok = deflateInit2(m_stream.get(), level, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    open(QIODevice::WriteOnly);
}

VxGzipWriter::~VxGzipWriter()
{
    finish();
    deflateEnd(m_stream.get());
}

bool VxGzipWriter::finish()
{
    if (!m_finished) {
        m_finished = true;
        if (m_ok)
            m_ok = deflateInto(Z_FINISH);
    }
    return m_ok;
}

void VxGzipWriter::close()
{
    finish();
    QIODevice::close();
}

qint64 VxGzipWriter::writeData(const char* data, qint64 size)
{
    if (!m_ok || m_finished)
        return -1;
    m_stream->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    m_stream->avail_in = uInt(size);
    m_ok = deflateInto(Z_NO_FLUSH);
    return m_ok ? size : -1;
}

bool VxGzipWriter::deflateInto(int flush)
{
    char out[64 * 1024];
    for (;;) {
        m_stream->next_out = reinterpret_cast<Bytef*>(out);
        m_stream->avail_out = sizeof(out);
        const int status = deflate(m_stream.get(), flush);
        if (status == Z_STREAM_ERROR)
            return false;
        const qint64 produced = qint64(sizeof(out) - m_stream->avail_out);
        if (produced > 0 && m_target.write(out, produced) != produced)
            return false;
        if (flush == Z_FINISH ? status == Z_STREAM_END : m_stream->avail_in == 0)
            return true;
    }
}

QByteArray VxGzipWriter::compress(const QByteArray& data, int level)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    VxGzipWriter gzip(buffer, level);
    gzip.write(data);
    return gzip.finish() ? buffer.data() : QByteArray();
}
