#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/wide.h"

TEST(CopyToField, CutsToFieldAndTerminates) {
    char16_t field[4] = {u'x', u'x', u'x', u'x'};
    CopyToField(field, u"abcdef");
    EXPECT_EQ(WString(field), u"abc");
    CopyToField(field, 0, u"zz");  // size 0 writes nothing
    EXPECT_EQ(WString(field), u"abc");
}

TEST(ParseLeadingLong, ReadsLikeWcstol) {
    EXPECT_EQ(ParseLeadingLong(u"12abc"), 12);
    EXPECT_EQ(ParseLeadingLong(u"  -5"), -5);
    EXPECT_EQ(ParseLeadingLong(u"abc"), 0);
    EXPECT_EQ(ParseLeadingLong(u""), 0);
    EXPECT_EQ(ParseLeadingLong(u"99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(ParseLeadingLong(u"-99999999999"), INT32_MIN);
}

TEST(Utf8, RoundTripsAndRejectsMalformed) {
    WString w = u"代码 \U0001F600 x";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(w)), w);
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE4\xBB"));      // truncated
    EXPECT_EQ(Utf8ToWide("a\xFF" "b"), u"a\uFFFDb");
}

// The bulk path hands over at every byte that needs a decision, so those
// bytes are placed before, inside and after sixteen-byte blocks.
TEST(Utf8ToWide, DecidesEveryByteTheBulkPathHandsOver) {
    const std::string block = "0123456789abcdef";
    EXPECT_EQ(Utf8ToWide(block + "\r\n" + block), Utf8ToWide(block) + u"\r\n" + Utf8ToWide(block));
    EXPECT_EQ(Utf8ToWide(std::string("x\0y", 3)), WString(u"x\0y", 3));
    EXPECT_EQ(Utf8ToWide(block + "\xE4\xB8\xAD" + block), Utf8ToWide(block) + u"中" + Utf8ToWide(block));
    EXPECT_EQ(Utf8ToWide(block + "\xF0\x9F\x98\x80"), Utf8ToWide(block) + u"\U0001F600");
    // One U+FFFD per refused byte: a cut-off sequence, then a stray continuation.
    EXPECT_EQ(Utf8ToWide(block + "\xE4\xB8" "a\x80"), Utf8ToWide(block) + u"\uFFFD\uFFFDa\uFFFD");
    EXPECT_EQ(Utf8ToWide(block + "\xF0\x9F\x98"), Utf8ToWide(block) + u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToWide(""), u"");
}

TEST(Utf8ToWide, AgreesWithOneSequenceAtATime) {
    uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const char alphabet[] = {'a', ' ', '\r', '\n', '\0', '\x80', '\xBF', '\xC3', '\xE4', '\xED', '\xF0', '\xF4', '\xFF'};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const size_t length = next() >> 16 & 63;
        for (size_t k = 0; k < length; ++k)
            bytes.push_back(next() >> 16 & 1 ? 'q' : alphabet[(next() >> 16) % sizeof alphabet]);
        WString expected;
        for (size_t i = 0; i < bytes.size();) {
            const long cp = DecodeUtf8Sequence(bytes, i);
            char16_t units[2];
            expected.append(units, EncodeUtf16(cp < 0 ? 0xFFFD : static_cast<uint32_t>(cp), units));
        }
        ASSERT_EQ(Utf8ToWide(bytes), expected) << "round " << round;
    }
}

TEST(Utf16, EncodesAndCombinesSurrogatePairs) {
    char16_t units[2];
    ASSERT_EQ(EncodeUtf16(0x10000, units), 2u);
    EXPECT_EQ(units[0], 0xD800);
    EXPECT_EQ(units[1], 0xDC00);
    ASSERT_EQ(EncodeUtf16(0x10FFFF, units), 2u);
    EXPECT_EQ(CombineSurrogates(units[0], units[1]), 0x10FFFFu);
    EXPECT_TRUE(IsHighSurrogate(units[0]) && IsLowSurrogate(units[1]));
    ASSERT_EQ(EncodeUtf16(0xFFFF, units), 1u);
    EXPECT_EQ(units[0], 0xFFFF);
    EXPECT_EQ(WideToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(WideToUtf8(WString(1, char16_t(0xDC00))), "\xEF\xBF\xBD");  // a lone half
}
