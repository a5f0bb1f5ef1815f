// The code pages both builds decode alike: the known awkward places of GBK
// (code page 936) and Windows-1252. Every other pair is compared with each
// platform's own converter in code_pages_native_test and code_pages_win_test.
#include "config/code_pages.h"

#include <gtest/gtest.h>
#include <string>

namespace {

long Gbk(const std::string& bytes, size_t expectedLength = 0) {
    size_t i = 0;
    const long unit = DecodeGbkCharacter(bytes, i);
    EXPECT_EQ(i, expectedLength ? expectedLength : bytes.size()) << "bytes used";
    return unit;
}

TEST(Gbk, DecodesTheAreasOfTheCodePage) {
    EXPECT_EQ(Gbk("A"), 'A');
    EXPECT_EQ(Gbk("\x80"), 0x20AC) << "the euro sign, one byte";
    EXPECT_EQ(Gbk("\xD6\xD0"), 0x4E2D) << "GB 2312 hanzi";
    EXPECT_EQ(Gbk("\xA1\xA4"), 0x00B7) << "middle dot, not U+30FB";
    EXPECT_EQ(Gbk("\xA1\xAA"), 0x2014) << "em dash, not U+2015";
    EXPECT_EQ(Gbk("\x81\x40"), 0x4E02) << "the first GBK/3 hanzi";
    EXPECT_EQ(Gbk("\xFD\x9B"), 0x9FA5) << "the last unified hanzi";
    EXPECT_EQ(Gbk("\xFD\x9C"), 0xF92C) << "compatibility ideographs follow";
    EXPECT_EQ(Gbk("\xA8\x40"), 0x02CA) << "GBK/5";
    EXPECT_EQ(Gbk("\xAA\xA1"), 0xE000) << "user-defined area 1";
    EXPECT_EQ(Gbk("\xF8\xA1"), 0xE234) << "user-defined area 2";
    EXPECT_EQ(Gbk("\xA1\x40"), 0xE4C6) << "user-defined area 3";
    EXPECT_EQ(Gbk("\xFE\xA0"), 0xE864) << "the last code";
}

TEST(Gbk, RefusesWhatIsNoCharacterOneByteAtATime) {
    EXPECT_EQ(Gbk("\xFF", 1), -1);
    EXPECT_EQ(Gbk("\xD6", 1), -1) << "a lead byte at the end";
    EXPECT_EQ(Gbk("\xD6\x7F", 1), -1);
    EXPECT_EQ(Gbk("\xD6\x0A", 1), -1) << "no trail byte is a line break";
    EXPECT_EQ(Gbk("\xD6\xFF", 1), -1);
}

TEST(Windows1252, DiffersFromLatin1OnlyAt0x80To0x9F) {
    EXPECT_EQ(Windows1252Unit(0x80), 0x20AC);
    EXPECT_EQ(Windows1252Unit(0x93), 0x201C);
    EXPECT_EQ(Windows1252Unit(0x9F), 0x0178);
    for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(Windows1252Unit(undefined), undefined);
    for (int byte = 0; byte < 256; ++byte) {
        if (byte >= 0x80 && byte < 0xA0) continue;
        EXPECT_EQ(Windows1252Unit(static_cast<unsigned char>(byte)), byte);
    }
}

}  // namespace
