#pragma once

#include "vxsdkglobal.h"

#include <QByteArray>
#include <QMimeData>
#include <QString>

// Drag payload of one MIME format built from integers and raw values. Everything is
// written little-endian whatever the machine, so a payload reads the same on every host.
//
//     VxMimeData* drag = new VxMimeData("Vexelhost/geomregionptr-list");
//     drag->encodeInt(regions.size());
//     for (VxGeometryRegion* region : regions)
//         drag->encodeVal(&region, sizeof(region));
//
// Reading works on any QMimeData (a drop handler is given the base class, and tests build
// plain ones): take the payload with data(format) and walk it with an offset:
//
//     const QByteArray bytes = mime->data("Vexelhost/geomregionptr-list");
//     int offset = 0;
//     qint32 count = 0;
//     if (!VxMimeData::decodeInt(bytes, &offset, &count)) ...
//
// A read past the end fails and leaves the offset and the value untouched, so a short or
// corrupt payload stops the reader instead of yielding garbage.
class VXSDK_EXPORT VxMimeData : public QMimeData
{
    Q_OBJECT
public:
    explicit VxMimeData(const QString& format);
    ~VxMimeData() override;

    QString getFormat() const { return m_format; }
    QByteArray getPayload() const { return m_payload; }

    void encodeInt(qint32 value);
    // Appends a value of `size` bytes (1 to 8: an integer, a float, a pointer) stored at
    // `value` in the machine's byte order.
    void encodeVal(const void* value, int size);

    static bool decodeInt(const QByteArray& payload, int* offset, qint32* value);
    // Reads a value written by encodeVal with the same size into `value`.
    static bool decodeVal(const QByteArray& payload, int* offset, void* value, int size);

    bool hasFormat(const QString& mimeType) const override;
    QStringList formats() const override;

protected:
    QVariant retrieveData(const QString& mimeType, QVariant::Type type) const override;

private:
    QString m_format;
    // Kept apart from QMimeData's own store: appending there would copy the whole payload
    // on every value.
    QByteArray m_payload;
};
