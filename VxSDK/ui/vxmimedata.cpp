#include "vxmimedata.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr int MaxValueSize = 8;

// Little-endian bytes of a native value of `size` bytes and back: the same reversal either
// way on a big-endian machine, a plain copy on a little-endian one.
void toLittleEndian(const void* source, int size, char* target)
{
    std::memcpy(target, source, size_t(size));
    if (QSysInfo::ByteOrder == QSysInfo::BigEndian)
        std::reverse(target, target + size);
}

} // namespace

VxMimeData::VxMimeData(const QString& format) : m_format(format) {}

VxMimeData::~VxMimeData() = default;

void VxMimeData::encodeInt(qint32 value)
{
    const qint32 bytes = qToLittleEndian(value);
    m_payload.append(reinterpret_cast<const char*>(&bytes), int(sizeof(bytes)));
}

void VxMimeData::encodeVal(const void* value, int size)
{
    if (!value || size < 1 || size > MaxValueSize) {
        qWarning("VxMimeData::encodeVal: a value of %d bytes cannot be encoded", size);
        return;
    }
    char bytes[MaxValueSize];
    toLittleEndian(value, size, bytes);
    m_payload.append(bytes, size);
}

bool VxMimeData::decodeInt(const QByteArray& payload, int* offset, qint32* value)
{
    if (!offset || !value || *offset < 0 || payload.size() - *offset < int(sizeof(qint32)))
        return false;
    *value = qFromLittleEndian<qint32>(payload.constData() + *offset);
    *offset += int(sizeof(qint32));
    return true;
}

bool VxMimeData::decodeVal(const QByteArray& payload, int* offset, void* value, int size)
{
    if (!offset || !value || size < 1 || size > MaxValueSize || *offset < 0
        || payload.size() - *offset < size)
        return false;
    // Reversing little-endian bytes gives the native order back, as writing did.
    toLittleEndian(payload.constData() + *offset, size, static_cast<char*>(value));
    *offset += size;
    return true;
}

bool VxMimeData::hasFormat(const QString& mimeType) const
{
    return mimeType == m_format || QMimeData::hasFormat(mimeType);
}

QStringList VxMimeData::formats() const
{
    QStringList result = QMimeData::formats();
    if (!result.contains(m_format))
        result.prepend(m_format);
    return result;
}

QVariant VxMimeData::retrieveData(const QString& mimeType, QVariant::Type type) const
{
    if (mimeType == m_format)
        return m_payload;
    return QMimeData::retrieveData(mimeType, type);
}
