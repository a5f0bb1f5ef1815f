// The converter takes the line count the decoder kept instead of counting
// again: the two counts must never differ, or line numbers drift.
#include <gtest/gtest.h>

#include <string>

#include "config/code_text.h"
#include "engine/convert.h"

namespace {

void ExpectCountsAgree(const std::string& bytes) {
    const DecodedText decoded = DecodeCodeText(bytes);
    ASSERT_TRUE(decoded.text) << bytes;
    EXPECT_EQ(decoded.text->Lines(), CodeLineCount(decoded.text->View())) << testing::PrintToString(bytes);
}

TEST(DecodedLines, AgreeWithTheConvertersCountForEveryKindOfLineEnd) {
    for (const char* text : {"", "\n", "\r\n\r\n", "\r", "a", "a\n", "a\nb", "a\r\nb\r\n\r\n", "a\rb\r\r", "\n\na",
                             "a\n\r\nb\n\n\r", "x\r\r\n\ny"})
        ExpectCountsAgree(text);
}

TEST(DecodedLines, AgreeWhenNulsAndEncodingsTakePart) {
    ExpectCountsAgree(std::string("a\0b\n\0\n", 6));
    ExpectCountsAgree(std::string("\xFF\xFE" "a\0\n\0b\0\r\0\n\0", 12));  // UTF-16 with a byte-order mark
    ExpectCountsAgree("caf\xE9\r\nna\xEFve\n\n");                           // Windows-1252
}

TEST(DecodedLines, AgreeOverALongTextWhoseLastLinesAreEmpty) {
    std::string text;
    for (int i = 0; i < 70000; ++i) text += i % 3 ? "line\n" : "\r\n";
    text += "\n\r\n\r";
    ExpectCountsAgree(text);
}

}  // namespace
