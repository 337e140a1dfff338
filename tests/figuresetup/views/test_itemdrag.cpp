// The views' internal drags carry an 8-byte item address. Each kind's own format is checked
// by the drops of the view tests (a drag read as another kind fails them); here only a
// payload shorter than an address, which must never be read past its end.
#include "vxfsitemdrag.h"

#include <QMimeData>

#include <gtest/gtest.h>

TEST(ItemDragTest, AShortPayloadReadsAsZeroFilled)
{
    // Only the bytes present count: a one-byte payload of 0x10 is the address 0x10 on a
    // little-endian machine.
    QMimeData shortData;
    const QByteArray full = VxFSItemDrag::encodeAddress(reinterpret_cast<void*>(quintptr(0x10)));
    shortData.setData("Vexelhost/iklink-ptr", full.left(1));
    const quintptr decoded = reinterpret_cast<quintptr>(VxIKLinkItemDrag::decodeLinkItem(&shortData));
    EXPECT_EQ(decoded, full.at(0) == 0x10 ? quintptr(0x10) : quintptr(0));
}
