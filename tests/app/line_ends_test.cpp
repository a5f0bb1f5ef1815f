#include "app/line_ends.h"

#include <gtest/gtest.h>

namespace {

TEST(WithCrLfLineEnds, MakesEveryLineEndCrLf) {
    EXPECT_EQ(WithCrLfLineEnds(u"a\nb\rc\r\nd"), u"a\r\nb\r\nc\r\nd");
    EXPECT_EQ(WithCrLfLineEnds(u"\n\n"), u"\r\n\r\n");
    EXPECT_EQ(WithCrLfLineEnds(u"\r\r\n\n\r"), u"\r\n\r\n\r\n\r\n");  // CR, CR LF, LF, CR
    EXPECT_EQ(WithCrLfLineEnds(u"x\r"), u"x\r\n");
    EXPECT_EQ(WithCrLfLineEnds(u"代码\r\n"), u"代码\r\n");
    EXPECT_EQ(WithCrLfLineEnds(u""), u"");
}

}  // namespace
