// The views' internal drags: each kind under its own format, so that no view mistakes one
// kind of item for another, and a payload shorter than an address never read past its end.
#include "vxfsitemdrag.h"

#include <QMimeData>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
// A drag of `item` of one kind, and that kind's decoder.
struct Kind
{
    std::shared_ptr<QDrag> drag;
    std::function<void*(const QMimeData*)> decode;
};

template<class Drag, class Item>
Kind kind(Item* (*decode)(const QMimeData*), void* item, QWidget* source)
{
    return {std::make_shared<Drag>(static_cast<Item*>(item), source),
            [decode](const QMimeData* data) -> void* { return decode(data); }};
}
} // namespace

TEST(ItemDragTest, EachKindDecodesOnlyItsOwnDragsAndShortPayloadsReadAsZeroFilled)
{
    QWidget source;
    int items[6] = {};
    const Kind kinds[] = {
        kind<VxHierarchyBoneDrag>(&VxHierarchyBoneDrag::decodeHierarchyBoneItem, &items[0], &source),
        kind<VxHierarchyRegionDrag>(&VxHierarchyRegionDrag::decodeHierarchyRegionItem, &items[1], &source),
        kind<VxGeometryItemDrag>(&VxGeometryItemDrag::decodeGeometryItem, &items[2], &source),
        kind<VxGeometryGroupItemDrag>(&VxGeometryGroupItemDrag::decodeGeometryGroupItem, &items[3], &source),
        kind<VxIKLinkItemDrag>(&VxIKLinkItemDrag::decodeLinkItem, &items[4], &source),
        kind<VxIKChainItemDrag>(&VxIKChainItemDrag::decodeChainItem, &items[5], &source),
    };
    // Each refusal is also told on the diagnostic output, thirty times over here.
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    for (int decoder = 0; decoder < 6; ++decoder) {
        for (int drag = 0; drag < 6; ++drag) {
            EXPECT_EQ(kinds[decoder].decode(kinds[drag].drag->mimeData()), decoder == drag ? &items[drag] : nullptr)
                << "decoder " << decoder << ", drag " << drag;
        }
    }
    qInstallMessageHandler(previous);

    // Only the bytes present count: a one-byte payload of 0x10 is the address 0x10 on a
    // little-endian machine.
    QMimeData shortData;
    const QByteArray full = VxFSItemDrag::encodeAddress(reinterpret_cast<void*>(quintptr(0x10)));
    shortData.setData("Vexelhost/iklink-ptr", full.left(1));
    const quintptr decoded = reinterpret_cast<quintptr>(VxIKLinkItemDrag::decodeLinkItem(&shortData));
    EXPECT_EQ(decoded, full.at(0) == 0x10 ? quintptr(0x10) : quintptr(0));
}
