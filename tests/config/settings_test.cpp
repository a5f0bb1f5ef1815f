#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/file_io.h"
#include "base/module_path.h"
#include "config/settings.h"
#include "tests/support/temp_file.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings_ = AppSettings{};
        CopyToField(settings_.iniPath, ini_.Path());
    }
    void TearDown() override {
        if (!themeName_.empty()) std::filesystem::remove(ProgramDirectory() + u"/" + themeName_);
    }

    void ReadAll() {
        ReadTabToSpaces(settings_);
        ReadTabStops(settings_);
        ReadFontSettings(settings_);
        ReadActiveTheme(settings_, theme_);
    }

    TempFile ini_{"lumatype_settings", ".ini"};
    AppSettings settings_;
    ColorTheme theme_{};
    WString themeName_;
};

TEST_F(SettingsTest, MissingIniGivesTheDefaults) {
    CopyToField(theme_.name, u"stale");
    CopyToField(theme_.file, u"stale");
    ReadAll();
    EXPECT_EQ(settings_.tabToSpaces, 2);
    EXPECT_FALSE(settings_.tabStops);
    EXPECT_EQ(WString(settings_.fontFamily), u"");
    EXPECT_EQ(WString(settings_.fontSize), u"");
    EXPECT_EQ(WString(settings_.borderSize), u"2px");
    EXPECT_EQ(WString(settings_.lineHeight), u"");
    EXPECT_FALSE(settings_.noWrap);
    EXPECT_EQ(settings_.markup, HtmlMarkup::InlineStyles);
    EXPECT_EQ(settings_.colorThemeIndex, 1);
    EXPECT_EQ(WString(theme_.name), u"");
    EXPECT_EQ(WString(theme_.file), u"");
    EXPECT_EQ(WString(theme_[ColorRole::Text].html), u"");
    EXPECT_EQ(WString(theme_[ColorRole::Border].html), u"#A0A0A0");
}

TEST_F(SettingsTest, ReadsValuesCutToTheirFields) {
    themeName_ = Utf8ToWide(UniqueFileName("lumatype_theme", ".ini"));
    ASSERT_TRUE(WriteFileBytes(ProgramDirectory() + u"\\" + themeName_, "[Text]\r\nHtml=#DCDCDC\r\nReal=#DCDCDC\r\n"));
    std::string family(300, 'f');
    ASSERT_TRUE(WriteFileBytes(settings_.iniPath,
                               "[Common]\r\nTabToSpaces=4\r\nTabStops=1\r\nfont_family=" + family +
                                   "\r\nfont_size=12345678901234567890\r\nborder_size=1px solid\r\nColorTheme=2\r\n"
                                   "[ColorThemes]\r\nName1=Light\r\nFile1=light.ini\r\nName2=Dark\r\nFile2=" +
                                   WideToUtf8(themeName_) + "\r\n"));
    ReadAll();
    EXPECT_EQ(settings_.tabToSpaces, 4);
    EXPECT_TRUE(settings_.tabStops);
    EXPECT_EQ(WString(settings_.fontFamily), WString(255, u'f'));
    EXPECT_EQ(WString(settings_.fontSize), u"123456789012345");
    EXPECT_EQ(WString(settings_.borderSize), u"1px solid");
    EXPECT_EQ(settings_.colorThemeIndex, 2);
    EXPECT_EQ(WString(theme_.name), u"Dark");
    EXPECT_EQ(WString(theme_.file), ProgramDirectory() + u"\\" + themeName_);
    EXPECT_EQ(WString(theme_[ColorRole::Text].html), u"#DCDCDC");
    EXPECT_EQ(theme_[ColorRole::Text].color, MakeRgb(0xDC, 0xDC, 0xDC));
}

// line_height lands inside a style attribute: a value that could end the
// attribute, add a property or markup is dropped whole, as is one too long to
// keep whole.
TEST_F(SettingsTest, LineHeightIsTakenWholeOrNotAtAll) {
    const std::string longest = "calc(" + std::string(24, '1') + "px)";
    ASSERT_EQ(longest.size(), kLineHeightLength);
    const std::pair<std::string, WString> cases[] = {
        {"1.4", u"1.4"},
        {"  20px  ", u"20px"},
        {"150%", u"150%"},
        {"normal", u"normal"},
        {"calc(1em + 4px)", u"calc(1em + 4px)"},
        {longest, Utf8ToWide(longest)},
        {longest + "1", u""},
        {"1.4;color:red", u""},
        {"1.4\" onmouseover=\"x", u""},
        {"1.4'", u""},
        {"1.4<b>", u""},
        {"1.4&quot;", u""},
        {"1.4\x01", u""},
        {"1.4\t2", u""},
        {"\xE4\xB8\x80", u""},
        {"", u""},
    };
    for (const auto& [value, expected] : cases) {
        ASSERT_TRUE(WriteFileBytes(settings_.iniPath, "[Common]\r\nline_height=" + value + "\r\n"));
        CopyToField(settings_.lineHeight, u"stale");
        ReadFontSettings(settings_);
        EXPECT_EQ(WString(settings_.lineHeight), expected) << value;
    }
}

// A markup name this version does not know keeps the inline styles.
TEST_F(SettingsTest, NoWrapAndMarkupOnlyWhenAskedFor) {
    const struct {
        const char* common;
        bool noWrap;
        HtmlMarkup markup;
    } cases[] = {
        {"no_wrap=1\r\nmarkup=font\r\n", true, HtmlMarkup::FontTags},
        {"no_wrap=2\r\nmarkup=FONT\r\n", true, HtmlMarkup::FontTags},
        {"no_wrap=0\r\nmarkup=style\r\n", false, HtmlMarkup::InlineStyles},
        {"no_wrap=\r\nmarkup=fonts\r\n", false, HtmlMarkup::InlineStyles},
        {"no_wrap=yes\r\nmarkup=\r\n", false, HtmlMarkup::InlineStyles},
        {"markup=font tags and more than fits\r\n", false, HtmlMarkup::InlineStyles},
    };
    for (const auto& [common, noWrap, markup] : cases) {
        ASSERT_TRUE(WriteFileBytes(settings_.iniPath, std::string("[Common]\r\n") + common));
        settings_.noWrap = !noWrap;
        settings_.markup = markup == HtmlMarkup::FontTags ? HtmlMarkup::InlineStyles : HtmlMarkup::FontTags;
        ReadFontSettings(settings_);
        EXPECT_EQ(settings_.noWrap, noWrap) << common;
        EXPECT_EQ(settings_.markup, markup) << common;
    }
}

TEST_F(SettingsTest, ThemePathTooLongMeansNoThemeFile) {
    ASSERT_TRUE(WriteFileBytes(settings_.iniPath,
                               "[ColorThemes]\r\nName1=Long\r\nFile1=" + std::string(259, 'x') + "\r\n"));
    ReadAll();
    EXPECT_EQ(WString(theme_.file), u"");
    EXPECT_EQ(WString(theme_[ColorRole::Border].html), u"#A0A0A0");
}

TEST_F(SettingsTest, TheCommandLineFindsThemesBesideItsSettingsFile) {
    const TempDir dir("lumatype_theme_dir");
    dir.Write("mine.ini", "[Text]\r\nHtml=#123456\r\n");
    ASSERT_TRUE(WriteFileBytes(settings_.iniPath, "[ColorThemes]\r\nName2=Mine\r\nFile2=mine.ini\r\n"
                                                  "Name3=Long\r\nFile3=" + std::string(250, 'x') + "\r\n"));
    const WString directory = dir.Path("").substr(0, dir.Path("").size() - 1);
    LoadNumberedTheme(settings_.iniPath, directory, 2, theme_);
    EXPECT_EQ(WString(theme_.name), u"Mine");
    EXPECT_EQ(WString(theme_.file), directory + u"\\mine.ini");
    EXPECT_EQ(WString(theme_[ColorRole::Text].html), u"#123456");
    // The same file name in a directory long enough to overflow the field:
    // no file at all, never a cut path that may name another file.
    LoadNumberedTheme(settings_.iniPath, directory, 3, theme_);
    EXPECT_EQ(WString(theme_.file), u"");
    EXPECT_EQ(WString(theme_[ColorRole::Text].html), u"");
    LoadNumberedTheme(settings_.iniPath, u"", 2, theme_);
    EXPECT_EQ(WString(theme_.file), u"") << "no directory, no file";
}

}  // namespace
