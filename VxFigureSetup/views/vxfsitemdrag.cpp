#include "vxfsitemdrag.h"

#include <QMimeData>
#include <QWidget>

#include <cstring>

namespace {
constexpr int kAddressSize = 8;
static_assert(sizeof(void*) <= kAddressSize, "an item address must fit the 8-byte payload");
} // namespace

QByteArray VxFSItemDrag::encodeAddress(const void* item)
{
    const quint64 address = quint64(reinterpret_cast<quintptr>(item));
    return QByteArray(reinterpret_cast<const char*>(&address), kAddressSize);
}

VxFSItemDrag::VxFSItemDrag(const char* mimeType, const void* item, QWidget* source,
                           const char* nullWarning)
    : QDrag(source)
{
    if (!item)
        qWarning("%s", nullWarning);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(mimeType), encodeAddress(item));
    setMimeData(data);
}

void* VxFSItemDrag::decodeAddress(const QMimeData* source, const char* mimeType, const char* decoder)
{
    const QString type = QString::fromLatin1(mimeType);
    if (!source || !source->hasFormat(type)) {
        qWarning("MIME source passed to %s does not provide %s.", decoder, mimeType);
        return nullptr;
    }
    const QByteArray payload = source->data(type);
    quint64 address = 0;
    std::memcpy(&address, payload.constData(), size_t(qMin(payload.size(), kAddressSize)));
    return reinterpret_cast<void*>(quintptr(address));
}

const char* const VxHierarchyBoneDrag::kMimeType = "Vexelhost/hierarchybone-ptr";
VxHierarchyBoneDrag::VxHierarchyBoneDrag(VxHierarchyBoneItem* item, QWidget* source)
    : VxFSItemDrag(kMimeType, item, source,
                   "NULL hierarchy bone pointer passed to VxHierarchyBoneDrag::VxHierarchyBoneDrag()")
{
}
VxHierarchyBoneItem* VxHierarchyBoneDrag::decodeHierarchyBoneItem(const QMimeData* source)
{
    return static_cast<VxHierarchyBoneItem*>(
        decodeAddress(source, kMimeType, "VxHierarchyBoneDrag::decodeHierarchyBoneItem()"));
}

const char* const VxHierarchyRegionDrag::kMimeType = "Vexelhost/region-ptr";
VxHierarchyRegionDrag::VxHierarchyRegionDrag(VxHierarchyRegionItem* item, QWidget* source)
    : VxFSItemDrag(kMimeType, item, source,
                   "NULL hierarchy region pointer passed to VxHierarchyRegionDrag::VxHierarchyRegionDrag()")
{
}
VxHierarchyRegionItem* VxHierarchyRegionDrag::decodeHierarchyRegionItem(const QMimeData* source)
{
    return static_cast<VxHierarchyRegionItem*>(
        decodeAddress(source, kMimeType, "VxHierarchyRegionDrag::decodeHierarchyRegionItem()"));
}

const char* const VxGeometryItemDrag::kMimeType = "Vexelhost/geometryitem-ptr";
VxGeometryItemDrag::VxGeometryItemDrag(VxGeometryListItem* item, QWidget* source)
    : VxFSItemDrag(kMimeType, item, source,
                   "NULL geometry item pointer passed to VxGeometryItemDrag::VxGeometryItemDrag()")
{
}
VxGeometryListItem* VxGeometryItemDrag::decodeGeometryItem(const QMimeData* source)
{
    return static_cast<VxGeometryListItem*>(
        decodeAddress(source, kMimeType, "VxGeometryItemDrag::decodeGeometryItem()"));
}

const char* const VxGeometryGroupItemDrag::kMimeType = "Vexelhost/geometrygroup-ptr";
VxGeometryGroupItemDrag::VxGeometryGroupItemDrag(VxGeometryGroupListItem* item, QWidget* source)
    : VxFSItemDrag(kMimeType, item, source,
                   "NULL geometry group pointer passed to VxGeometryGroupItemDrag::VxGeometryGroupItemDrag()")
{
}
VxGeometryGroupListItem* VxGeometryGroupItemDrag::decodeGeometryGroupItem(const QMimeData* source)
{
    return static_cast<VxGeometryGroupListItem*>(
        decodeAddress(source, kMimeType, "VxGeometryGroupItemDrag::decodeGeometryGroupItem()"));
}

const char* const VxIKLinkItemDrag::kMimeType = "Vexelhost/iklink-ptr";
VxIKLinkItemDrag::VxIKLinkItemDrag(VxIKLinkItem* item, QWidget* source)
    : VxFSItemDrag(kMimeType, item, source,
                   "NULL IK item pointer passed to VxIKLinkItemDrag::VxIKLinkItemDrag()")
{
}
VxIKLinkItem* VxIKLinkItemDrag::decodeLinkItem(const QMimeData* source)
{
    return static_cast<VxIKLinkItem*>(
        decodeAddress(source, kMimeType, "VxIKLinkItemDrag::decodeLinkItem()"));
}

const char* const VxIKChainItemDrag::kMimeType = "Vexelhost/ikchain-ptr";
VxIKChainItemDrag::VxIKChainItemDrag(VxIKChainItem* item, QWidget* source)
    : VxFSItemDrag(kMimeType, item, source,
                   "NULL Chain item pointer passed to VxIKChainItemDrag::VxIKChainItemDrag()")
{
}
VxIKChainItem* VxIKChainItemDrag::decodeChainItem(const QMimeData* source)
{
    return static_cast<VxIKChainItem*>(
        decodeAddress(source, kMimeType, "VxIKChainItemDrag::decodeChainItem()"));
}
