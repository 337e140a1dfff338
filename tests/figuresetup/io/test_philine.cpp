#include "vxfsphiline.h"

#include <gtest/gtest.h>

TEST(VxFSPhiLineTest, TokensAreSplitAtBlanksAndDecodedAsUtf8OrLatin1)
{
    const QString replacement(QChar::ReplacementCharacter);
    const struct {
        QByteArray line;
        QStringList tokens;
    } cases[] = {
        {"  1\thip \v\f  xyz\r\n", {"1", "hip", "xyz"}},
        {" \t\r\n", {}},
        {"1 Sch\xc3\xa4\x64\x65l xyz", {"1", QString::fromUtf8("Sch\xc3\xa4\x64\x65l"), "xyz"}},
        // A lone 0xE4 is not UTF-8: the Windows-1252/Latin-1 a-umlaut.
        {"1 Sch\xe4\x64\x65l xyz", {"1", QString::fromUtf8("Sch\xc3\xa4\x64\x65l"), "xyz"}},
        // A non-breaking space is not a blank: it stays inside the name.
        {"1 a\xa0\x62 xyz", {"1", QString::fromUtf8("a\xc2\xa0\x62"), "xyz"}},
        // Bytes a template cannot hold become U+FFFD, NUL bytes too, without cutting the name
        // short (a chain named "\0x" once became a chain without a name) or merging neighbours.
        {QByteArray("1 a\0b xyz", 9), {"1", "a" + replacement + "b", "xyz"}},
        {QByteArray("1 \0\xe4\x01 xyz", 9), {"1", replacement + QString::fromUtf8("\xc3\xa4") + replacement, "xyz"}},
        {"1 \xef\xbf\xbe xyz", {"1", replacement, "xyz"}},
    };
    for (const auto& example : cases)
        EXPECT_EQ(VxFSPhiLine::tokenize(example.line), example.tokens) << example.line.constData();
}

TEST(VxFSPhiLineTest, RotationOrderCodesInAnyCase)
{
    const char* codes[] = {"xyz", "XZY", "yXz", "yzx", "ZXY", "zyx"};
    for (int order = 0; order < 6; ++order)
        EXPECT_EQ(VxFSPhiLine::rotationOrderFromCode(QString::fromLatin1(codes[order])), order);
    for (const char* unknown : {"abc", "xy", ""})
        EXPECT_EQ(VxFSPhiLine::rotationOrderFromCode(QString::fromLatin1(unknown)), -1) << unknown;
}
