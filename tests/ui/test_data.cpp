// Drag payloads written by VxMimeData and read back from any QMimeData.
#include "vxmimedata.h"

#include <gtest/gtest.h>

namespace {

const QString Format = QStringLiteral("Vexelhost/geomregionptr-list");

TEST(MimeDataTest, ValuesAreWrittenLittleEndianAndReadBackFromAnyMimeData)
{
    VxMimeData drag(Format);
    drag.encodeInt(2);
    const quint64 first = 0x0102030405060708ull;
    const void* second = &drag;
    drag.encodeVal(&first, 8);
    drag.encodeVal(&second, int(sizeof(second)));

    EXPECT_TRUE(drag.hasFormat(Format));
    EXPECT_TRUE(drag.formats().contains(Format));
    const QByteArray bytes = drag.data(Format);
    EXPECT_EQ(bytes.left(12), QByteArray::fromHex("02000000" "0807060504030201"));

    // A drop handler is given a plain QMimeData; the bytes are all it needs.
    QMimeData dropped;
    dropped.setData(Format, bytes);
    const QByteArray payload = dropped.data(Format);
    int offset = 0;
    qint32 count = 0;
    quint64 firstRead = 0;
    const void* secondRead = nullptr;
    ASSERT_TRUE(VxMimeData::decodeInt(payload, &offset, &count));
    ASSERT_TRUE(VxMimeData::decodeVal(payload, &offset, &firstRead, 8));
    ASSERT_TRUE(VxMimeData::decodeVal(payload, &offset, &secondRead, int(sizeof(secondRead))));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(firstRead, first);
    EXPECT_EQ(secondRead, second);
    EXPECT_EQ(offset, payload.size());
}

TEST(MimeDataTest, ShortPayloadsFailWithoutMovingTheReader)
{
    VxMimeData drag(Format);
    drag.encodeInt(-7);
    const qint64 value = -2;
    drag.encodeVal(&value, 8);
    const QByteArray full = drag.getPayload();

    for (int length = 0; length < full.size(); ++length) {
        const QByteArray cut = full.left(length);
        int offset = 0;
        qint32 count = 99;
        const bool countRead = VxMimeData::decodeInt(cut, &offset, &count);
        EXPECT_EQ(countRead, length >= 4) << length;
        EXPECT_EQ(count, countRead ? -7 : 99) << length;
        qint64 read = 99;
        EXPECT_FALSE(VxMimeData::decodeVal(cut, &offset, &read, 8)) << length;
        EXPECT_EQ(read, 99) << length;
        EXPECT_EQ(offset, countRead ? 4 : 0) << length;
    }
    int offset = 0;
    qint64 read = 0;
    EXPECT_FALSE(VxMimeData::decodeVal(full, &offset, &read, 9));
    EXPECT_FALSE(VxMimeData::decodeVal(full, &offset, &read, 0));
    offset = -1;
    EXPECT_FALSE(VxMimeData::decodeVal(full, &offset, &read, 1));
}

} // namespace
