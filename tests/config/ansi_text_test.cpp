#include <gtest/gtest.h>

#include "config/ansi_text.h"

// The Windows build runs with code page 936, as the program's users do.
TEST(AnsiToWide, ReadsGbk) {
    EXPECT_EQ(AnsiToWide("\xD6\xD0\xCE\xC4"), u"中文");
    EXPECT_EQ(AnsiToWide("plain"), u"plain");
}

#ifndef _WIN32
TEST(AnsiToWide, ReadsValidUtf8AsUtf8Natively) {
    EXPECT_EQ(AnsiToWide("\xE4\xB8\xAD\xE6\x96\x87"), u"中文");
}
#endif
