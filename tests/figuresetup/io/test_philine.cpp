#include "vxfsphiline.h"

#include <gtest/gtest.h>

TEST(VxFSPhiLineTest, BlanksOfEveryKindSeparateTokensAndEmptyLinesHaveNone)
{
    EXPECT_EQ(VxFSPhiLine::tokenize("  1\thip \t  xyz\r\n"), QStringList({"1", "hip", "xyz"}));
    EXPECT_EQ(VxFSPhiLine::tokenize("2 lShin\v\fyzx   curve"), QStringList({"2", "lShin", "yzx", "curve"}));
    EXPECT_TRUE(VxFSPhiLine::tokenize(" \t\r\n").isEmpty());
    EXPECT_TRUE(VxFSPhiLine::tokenize(QByteArray()).isEmpty());
    EXPECT_EQ(VxFSPhiLine(" \t\n", true).kind(), VxFSPhiLine::Ignored);
}

TEST(VxFSPhiLineTest, NamesAreUtf8WhenTheLineIsAndLatin1Otherwise)
{
    EXPECT_EQ(VxFSPhiLine::tokenize("1 Sch\xc3\xa4\x64\x65l xyz").value(1), QString::fromUtf8("Sch\xc3\xa4\x64\x65l"));
    // A lone 0xE4 is not UTF-8: the Windows-1252/Latin-1 a-umlaut.
    EXPECT_EQ(VxFSPhiLine::tokenize("1 Sch\xe4\x64\x65l xyz").value(1), QString::fromUtf8("Sch\xc3\xa4\x64\x65l"));
    // A non-breaking space is not a blank: it stays inside the name.
    EXPECT_EQ(VxFSPhiLine::tokenize("1 a\xa0\x62 xyz").value(1), QString::fromUtf8("a\xc2\xa0\x62"));
    // Bytes a template cannot hold become U+FFFD, NUL bytes too, without cutting the name
    // short (a chain named "\0x" once became a chain without a name) or merging neighbours.
    const QString replacement(QChar::ReplacementCharacter);
    EXPECT_EQ(VxFSPhiLine::tokenize(QByteArray("1 a\0b xyz", 9)), QStringList({"1", "a" + replacement + "b", "xyz"}));
    EXPECT_EQ(VxFSPhiLine::tokenize(QByteArray("1 \0\xe4\x01 xyz", 9)).value(1),
              replacement + QString::fromUtf8("\xc3\xa4") + replacement);
    EXPECT_EQ(VxFSPhiLine::tokenize("1 \xef\xbf\xbe xyz").value(1), replacement);
}

TEST(VxFSPhiLineTest, TheGeometryLineComesFirstAndOnlyOnce)
{
    EXPECT_EQ(VxFSPhiLine("objFile:Runtime:Geometries:Fig:fig.obj", false).kind(), VxFSPhiLine::Geometry);
    EXPECT_EQ(VxFSPhiLine("OBJFILE:x.obj extra", false).kind(), VxFSPhiLine::Geometry);
    EXPECT_EQ(VxFSPhiLine("objFile :x.obj", false).tokens(), QStringList({"objFile", ":x.obj"}));
    EXPECT_EQ(VxFSPhiLine("objFile:x.obj", true).kind(), VxFSPhiLine::Ignored);
    // Before the geometry line everything is ignored, bones and chains too.
    EXPECT_EQ(VxFSPhiLine("1 hip xyz", false).kind(), VxFSPhiLine::Ignored);
    EXPECT_EQ(VxFSPhiLine("ikChain leg hip", false).kind(), VxFSPhiLine::Ignored);
    EXPECT_EQ(VxFSPhiLine("obj:x.obj", false).kind(), VxFSPhiLine::Ignored);
}

TEST(VxFSPhiLineTest, BoneLinesStartWithADecimalDepthAndChainLinesWithTheExactKeyword)
{
    const VxFSPhiLine bone("3 lFoot zyx", true);
    EXPECT_EQ(bone.kind(), VxFSPhiLine::Bone);
    EXPECT_EQ(bone.depth(), 3);
    EXPECT_EQ(VxFSPhiLine("0 root xyz", true).depth(), 0);
    EXPECT_EQ(VxFSPhiLine("-2 x xyz", true).depth(), -2);
    EXPECT_EQ(VxFSPhiLine("+4 x xyz", true).depth(), 4);
    EXPECT_EQ(VxFSPhiLine("4x x xyz", true).kind(), VxFSPhiLine::Ignored);
    EXPECT_EQ(VxFSPhiLine("0x1 x xyz", true).kind(), VxFSPhiLine::Ignored);
    EXPECT_EQ(VxFSPhiLine("99999999999 x xyz", true).kind(), VxFSPhiLine::Ignored); // not an int

    EXPECT_EQ(VxFSPhiLine("ikChain leftLeg lThigh lShin lFoot", true).kind(), VxFSPhiLine::IKChain);
    EXPECT_EQ(VxFSPhiLine("ikchain leftLeg lThigh", true).kind(), VxFSPhiLine::Ignored);
    EXPECT_EQ(VxFSPhiLine("IKChain leftLeg lThigh", true).kind(), VxFSPhiLine::Ignored);
    EXPECT_EQ(VxFSPhiLine("{", true).kind(), VxFSPhiLine::Ignored);
}

TEST(VxFSPhiLineTest, RotationOrderCodesInAnyCase)
{
    const char* codes[] = {"xyz", "XZY", "yXz", "yzx", "ZXY", "zyx"};
    for (int order = 0; order < 6; ++order)
        EXPECT_EQ(VxFSPhiLine::rotationOrderFromCode(QString::fromLatin1(codes[order])), order);
    EXPECT_EQ(VxFSPhiLine::rotationOrderFromCode(QStringLiteral("abc")), -1);
    EXPECT_EQ(VxFSPhiLine::rotationOrderFromCode(QStringLiteral("xy")), -1);
    EXPECT_EQ(VxFSPhiLine::rotationOrderFromCode(QString()), -1);
}
