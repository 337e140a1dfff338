#include "vxfsgeometryregionlistdrag.h"

#include "vxfsdiagnostic.h"

namespace {
constexpr int kAddressSize = 8;
static_assert(sizeof(void*) <= kAddressSize, "a region address must fit its 8 bytes");
} // namespace

const char* const VxFSGeometryRegionListDrag::kMimeType = "Vexelhost/geomregionptr-list";

VxFSGeometryRegionListDrag::VxFSGeometryRegionListDrag(const QList<VxGeometryRegion*>& regions)
    : VxMimeData(QString::fromLatin1(kMimeType))
{
    encodeInt(qint32(regions.size()));
    for (VxGeometryRegion* region : regions) {
        const quint64 address = quint64(reinterpret_cast<quintptr>(region));
        encodeVal(&address, kAddressSize);
    }
}

VxFSGeometryRegionListDrag::~VxFSGeometryRegionListDrag() = default;

QList<VxGeometryRegion*> VxFSGeometryRegionListDrag::decode(const QMimeData* source)
{
    QList<VxGeometryRegion*> regions;
    const QString type = QString::fromLatin1(kMimeType);
    if (!source || !source->hasFormat(type)) {
        VX_FS_DIAGNOSTIC(QStringLiteral("MIME source passed to VxFSGeometryRegionListDrag::decode() does not provide %1.")
                             .arg(type));
        return regions;
    }
    const QByteArray payload = source->data(type);
    int offset = 0;
    qint32 count = 0;
    if (!decodeInt(payload, &offset, &count))
        return regions;
    for (qint32 i = 0; i < count; ++i) {
        quint64 address = 0;
        if (!decodeVal(payload, &offset, &address, kAddressSize))
            break;
        regions.append(reinterpret_cast<VxGeometryRegion*>(quintptr(address)));
    }
    return regions;
}
