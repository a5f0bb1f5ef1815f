#include <gtest/gtest.h>

#include <cstdint>

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
