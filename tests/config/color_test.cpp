#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_io.h"
#include "config/color.h"
#include "tests/support/temp_file.h"

namespace {

constexpr ColorRef kRed = 0x000000FF;

TEST(ParseColorValue, ReadsEveryForm) {
    EXPECT_EQ(ParseColorValue(u"#FF0000"), kRed);
    EXPECT_EQ(ParseColorValue(u"RGB(255, 0, 0)"), kRed);
    EXPECT_EQ(ParseColorValue(u"255"), kRed);
    EXPECT_EQ(ParseColorValue(u"0x0000FF"), kRed);
    EXPECT_EQ(ParseColorValue(u"0XFF0000"), 0xFF0000u);  // GDI order: blue
    EXPECT_EQ(ParseColorValue(u"#abc"), ParseColorValue(u"#aabbcc"));
    EXPECT_EQ(ParseColorValue(u"#aabbcc"), MakeRgb(0xAA, 0xBB, 0xCC));
    EXPECT_EQ(ParseColorValue(u"12abc"), 12u);
}

TEST(ParseColorValue, ToleratesMalformedText) {
    for (const char16_t* zero : {u"#12345", u"#", u"#1234567", u"red", u"-5", u"", u"RGB", u" 255"})
        EXPECT_EQ(ParseColorValue(zero), 0u) << WideToUtf8(zero);
    EXPECT_EQ(ParseColorValue(nullptr), 0u);
    EXPECT_EQ(ParseColorValue(u"#1g2"), MakeRgb(0x11, 0, 0x22));  // an unreadable pair is 0
    EXPECT_EQ(ParseColorValue(u"#1g2233"), MakeRgb(1, 0x22, 0x33));  // a pair stops at its non-hex digit
}

TEST(ParseColorValue, ScansRgbLikeTheOriginal) {
    EXPECT_EQ(ParseColorValue(u"rgb(0x10,0x20,0x30)"), MakeRgb(16, 32, 48));
    EXPECT_EQ(ParseColorValue(u"RGB(300, 0, 0)"), MakeRgb(44, 0, 0));
    EXPECT_EQ(ParseColorValue(u"RGB(1, 2)"), MakeRgb(1, 2, 0));
    EXPECT_EQ(ParseColorValue(u"RGB(1,2,3,4)"), MakeRgb(1, 2, 3));
    EXPECT_EQ(ParseColorValue(u"Rgb(  7 ;; 8 )"), MakeRgb(7, 8, 0));
    // Inside a number every non-separator is a digit: capital X is 'X' - '0'
    // = 40, so 0X10 reads as ((0 * 10 + 40) * 10 + 1) * 10 + 0, modulo 256.
    EXPECT_EQ(ParseColorValue(u"RGB(0X10, 0, 0)"), MakeRgb(4010 % 256, 0, 0));
    EXPECT_EQ(ParseColorValue(u"RGB(1a, 0, 0)"), MakeRgb(20, 0, 0));  // 'a' counts 10
    EXPECT_EQ(ParseColorValue(u"RGB(2-, 0, 0)"), MakeRgb(17, 0, 0));  // '-' counts -3
}

class ThemeFile : public ::testing::Test {
protected:
    ColorTheme Load(const std::string& content) {
        EXPECT_TRUE(WriteFileBytes(file_.Path(), content));
        ColorTheme theme;
        CopyToField(theme.file, file_.Path());
        for (ThemeColor& c : theme.colors) c = ThemeColor{{u'x', 0}, 0x123456};  // must be cleared
        LoadColorTheme(&theme);
        return theme;
    }

    TempFile file_{"lumatype_theme", ".ini"};
};

TEST_F(ThemeFile, InheritsKeywordAndStringColoursOnly) {
    ColorTheme theme = Load(
        "[Keyword0]\nHtml=#0000FF\nReal=#0000FF\n"
        "[Keyword2]\nHtml=\nReal=#FF0000\n"
        "[Keyword3]\nHtml=navy\nReal=RGB(0,0,128)\n"
        "[String0]\nHtml=#A31515\nReal=0x001515A3\n"
        "[Comment]\nReal=#00FF00\n"
        "[Border]\nHtml=#123\nReal=#112233\n");
    EXPECT_EQ(WString(theme[ColorRole::Keyword2].html), u"#0000FF");
    EXPECT_EQ(theme[ColorRole::Keyword2].color, MakeRgb(0, 0, 255));  // its own Real is not read
    EXPECT_EQ(WString(theme[ColorRole::Keyword1].html), u"#0000FF");
    EXPECT_EQ(theme[ColorRole::Keyword3].color, MakeRgb(0, 0, 128));
    for (ColorRole r : {ColorRole::String1, ColorRole::String2, ColorRole::String3}) {
        EXPECT_EQ(WString(theme[r].html), u"#A31515");
        EXPECT_EQ(theme[r].color, MakeRgb(0xA3, 0x15, 0x15));
    }
    EXPECT_EQ(WString(theme[ColorRole::Comment].html), u"");  // other roles do not inherit
    EXPECT_EQ(theme[ColorRole::Comment].color, MakeRgb(0, 255, 0));
    EXPECT_EQ(WString(theme[ColorRole::Text].html), u"");
    EXPECT_EQ(theme[ColorRole::Text].color, 0u);
    EXPECT_EQ(WString(theme[ColorRole::Border].html), u"#123");
}

TEST_F(ThemeFile, MissingFileOrBorderGivesTheGreyBorder) {
    ColorTheme theme = Load("[Text]\nHtml=#012345678901234567890123456789012345\nReal=#FFFFFF\n");
    EXPECT_EQ(WString(theme[ColorRole::Text].html), u"#012345678901234567890123456789");  // 31 kept
    EXPECT_EQ(WString(theme[ColorRole::Border].html), u"#A0A0A0");
    EXPECT_EQ(theme[ColorRole::Border].color, MakeRgb(160, 160, 160));

    std::filesystem::remove(file_.FilesystemPath());
    ColorTheme missing;
    CopyToField(missing.file, file_.Path());
    LoadColorTheme(&missing);
    for (int i = 0; i < kColorRoleCount - 1; ++i) {
        EXPECT_EQ(missing.colors[i].html[0], 0) << i;
        EXPECT_EQ(missing.colors[i].color, 0u) << i;
    }
    EXPECT_EQ(WString(missing[ColorRole::Border].html), u"#A0A0A0");
}

// An Html text that could end its attribute or add markup counts as absent:
// it is inherited where an empty one is, and the border gets its grey.
TEST_F(ThemeFile, HtmlThatCouldBreakItsAttributeCountsAsAbsent) {
    ColorTheme theme = Load(
        "[Text]\nHtml=#000000\" onmouseover=\"x\nReal=#FFFFFF\n"
        "[Comment]\nHtml=rgb(0, 128, 0)\nReal=#008000\n"
        "[Number]\nHtml=hsl(120, 50%, 25.5%)\nReal=#008000\n"
        "[Keyword0]\nHtml=#0000FF\nReal=#0000FF\n"
        "[Keyword1]\nHtml=red;font-size:40px\nReal=#FF0000\n"
        "[String0]\nHtml=#A31515\nReal=#A31515\n"
        "[String2]\nHtml=#A31515'\nReal=#FF0000\n"
        "[Seperator]\nHtml=\xE7\xBA\xA2\nReal=#FF0000\n"
        "[Border]\nHtml=#123<b>\nReal=#112233\n");
    EXPECT_EQ(WString(theme[ColorRole::Text].html), u"");
    EXPECT_EQ(theme[ColorRole::Text].color, MakeRgb(255, 255, 255));
    EXPECT_EQ(WString(theme[ColorRole::Comment].html), u"rgb(0, 128, 0)");
    EXPECT_EQ(WString(theme[ColorRole::Number].html), u"hsl(120, 50%, 25.5%)");
    EXPECT_EQ(WString(theme[ColorRole::Keyword1].html), u"#0000FF");
    EXPECT_EQ(theme[ColorRole::Keyword1].color, MakeRgb(0, 0, 255));
    EXPECT_EQ(WString(theme[ColorRole::String2].html), u"#A31515");
    EXPECT_EQ(WString(theme[ColorRole::Seperator].html), u"");
    EXPECT_EQ(WString(theme[ColorRole::Border].html), u"#A0A0A0");
    for (const char* html : {"a&b", "a\\b", "a>b", "a\x01", "a\tb"})
        EXPECT_EQ(WString(Load(std::string("[Comment]\nHtml=") + html + "\n")[ColorRole::Comment].html), u"") << html;
}

TEST(ColorRoleName, NamesTheThemeSections) {
    EXPECT_EQ(WString(ColorRoleName(ColorRole::Text)), u"Text");
    EXPECT_EQ(WString(ColorRoleName(ColorRole::LineNoBkgnd)), u"LineNoBkgnd");
    EXPECT_EQ(WString(ColorRoleName(ColorRole::Seperator)), u"Seperator");
    EXPECT_EQ(WString(ColorRoleName(ColorRole::Border)), u"Border");
}

}  // namespace
