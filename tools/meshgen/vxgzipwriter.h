#pragma once

#include <QIODevice>

#include <memory>

struct z_stream_s;

// A write-only device that gzip-compresses what is written to it into another device.
// close() (or destruction) finishes the stream; check finish() for errors.
class VxGzipWriter : public QIODevice
{
public:
    explicit VxGzipWriter(QIODevice& target, int level = 6);
    ~VxGzipWriter() override;

    // Writes the gzip trailer; false when compressing or writing failed at any point.
    bool finish();
    void close() override;
    bool isSequential() const override { return true; }

    // The whole of `data` as one gzip member.
    static QByteArray compress(const QByteArray& data, int level = 6);

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool deflateInto(int flush);

    QIODevice& m_target;
    std::unique_ptr<z_stream_s> m_stream;
    bool m_ok = false;
    bool m_finished = false;
};
