#include "app/options_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/module_path.h"
#include "config/profile.h"
#include "tests/support/temp_file.h"

namespace {

std::vector<WString> loadedFiles;
void RecordingLoader(ColorTheme* theme) {
    loadedFiles.push_back(theme->file);
    (*theme)[ColorRole::Text] = {u"#111111", MakeRgb(0x11, 0x11, 0x11)};
}

const char kIni[] =
    "[Common]\r\nTabToSpaces=4\r\nTabStops=1\r\nfont_family=Consolas, monospace\r\nfont_size=13px\r\n"
    "border_size=2px\r\nColorTheme=2\r\nline_height=1.4\r\n"
    "[ColorThemes]\r\nCount=3\r\nName1=Light\r\nFile1=light.ini\r\nName2=Dark\r\nFile2=dark.ini\r\n"
    "Name3=Grey\r\nFile3=grey.ini\r\n";

class OptionsSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        loadedFiles.clear();
        settings_ = AppSettings{};
        CopyToField(settings_.iniPath, ini_.Path());
        CopyToField(settings_.fontFamily, u"Consolas, monospace");
        CopyToField(settings_.fontSize, u"13px");
        CopyToField(settings_.borderSize, u"2px");
        settings_.tabToSpaces = 4;
        settings_.colorThemeIndex = 2;
        settings_.loadTheme = RecordingLoader;
        settings_.activeTheme = &active_;
        CopyToField(active_.name, u"Dark");
        active_[ColorRole::Text] = {u"#ACTIVE", MakeRgb(1, 2, 3)};
    }
    std::string FileBytes() const { return ReadFileBytes(settings_.iniPath).value_or("<missing>"); }
    OptionsChoice Unchanged() const {
        return {settings_.fontFamily, settings_.fontSize, settings_.borderSize, 1, settings_.colorThemeIndex - 1};
    }
    WString Common(const char16_t* key) const {
        char16_t value[300];
        ProfileGetString(u"Common", key, u"<absent>", value, 300, settings_.iniPath);
        return value;
    }
    void Replace(const std::string& from, const std::string& to) {
        expected_.replace(expected_.find(from), from.size(), to);
    }

    TempFile ini_{"lumatype_options", ".ini", kIni};
    std::string expected_ = kIni;
    AppSettings settings_;
    ColorTheme active_{};
};

TEST_F(OptionsSettingsTest, ListsEveryThemeLoadingAllButTheActiveOne) {
    ThemeList themes;
    ASSERT_TRUE(themes.Load(settings_));
    ASSERT_EQ(themes.count(), 3);
    EXPECT_EQ(themes.ActivePosition(settings_), 1);
    EXPECT_EQ(WString(themes[0].name), u"Light");
    EXPECT_EQ(WString(themes[2].name), u"Grey");
    // The active record as it is, not read again.
    EXPECT_EQ(WString(themes[1][ColorRole::Text].html), u"#ACTIVE");
    ASSERT_EQ(loadedFiles.size(), 2u);
    char16_t expected[kMaxPath];
    ASSERT_TRUE(ModulePath(expected, u"light.ini"));
    EXPECT_EQ(loadedFiles[0], expected);
    EXPECT_EQ(WString(themes[0][ColorRole::Text].html), u"#111111");
}

TEST_F(OptionsSettingsTest, CountsBelowOneListOneThemeAndLongPathsAreMissingFiles) {
    WriteWholeFile(ini_.FilesystemPath(),
                   "[ColorThemes]\r\nCount=-4\r\nName1=Long\r\nFile1=" + std::string(kMaxPath - 1, 'x') + "\r\n");
    settings_.colorThemeIndex = 7;
    ThemeList themes;
    ASSERT_TRUE(themes.Load(settings_));
    EXPECT_EQ(themes.count(), 1);
    EXPECT_EQ(themes.ActivePosition(settings_), -1);
    ASSERT_EQ(loadedFiles.size(), 1u);
    EXPECT_EQ(loadedFiles[0], u"");
    settings_.colorThemeIndex = 0;
    EXPECT_EQ(themes.ActivePosition(settings_), -1);

    WriteWholeFile(ini_.FilesystemPath(), "[ColorThemes]\r\n");
    ThemeList absent;
    ASSERT_TRUE(absent.Load(settings_));
    EXPECT_EQ(absent.count(), 1);
}

TEST_F(OptionsSettingsTest, ACountBeyondA32BitSizeFailsWithoutReadingThemes) {
    WriteWholeFile(ini_.FilesystemPath(), "[ColorThemes]\r\nCount=2147483647\r\n");
    ThemeList themes;
    EXPECT_FALSE(themes.Load(settings_));
    EXPECT_EQ(themes.count(), 0);
    EXPECT_TRUE(loadedFiles.empty());
}

TEST_F(OptionsSettingsTest, NothingChangedWritesNothing) {
    ThemeList themes;
    ASSERT_TRUE(themes.Load(settings_));
    const AppSettings before = settings_;
    WriteBackOptions(settings_, Unchanged(), themes);
    EXPECT_EQ(FileBytes(), kIni);
    EXPECT_EQ(WString(settings_.fontSize), before.fontSize);
    EXPECT_EQ(WString(active_[ColorRole::Text].html), u"#ACTIVE");

    // A size longer than its field compares as the field will keep it.
    CopyToField(settings_.fontSize, u"123456789012345");
    OptionsChoice longer = Unchanged();
    longer.fontSize = u"12345678901234567890";
    WriteBackOptions(settings_, longer, themes);
    EXPECT_EQ(FileBytes(), kIni);

    // No theme selected keeps the active one.
    OptionsChoice none = Unchanged();
    none.themeItem = -1;
    WriteBackOptions(settings_, none, themes);
    EXPECT_EQ(FileBytes(), kIni);
    EXPECT_EQ(settings_.colorThemeIndex, 2);
}

TEST_F(OptionsSettingsTest, EachChangedFieldWritesExactlyItsKey) {
    ThemeList themes;
    ASSERT_TRUE(themes.Load(settings_));
    OptionsChoice choice = Unchanged();
    choice.fontFamily = u"Courier New";
    WriteBackOptions(settings_, choice, themes);
    Replace("font_family=Consolas, monospace", "font_family=Courier New");
    EXPECT_EQ(FileBytes(), expected_);
    EXPECT_EQ(WString(settings_.fontFamily), u"Courier New");

    choice.fontSize = u"16px";
    WriteBackOptions(settings_, choice, themes);
    Replace("font_size=13px", "font_size=16px");
    EXPECT_EQ(FileBytes(), expected_);

    choice.borderSize = u"12345678901234567890";
    WriteBackOptions(settings_, choice, themes);
    Replace("border_size=2px", "border_size=123456789012345");
    EXPECT_EQ(FileBytes(), expected_);
    EXPECT_EQ(WString(settings_.borderSize), u"123456789012345");

    choice.tabItem = 0;
    WriteBackOptions(settings_, choice, themes);
    Replace("TabToSpaces=4", "TabToSpaces=2");
    EXPECT_EQ(FileBytes(), expected_);
    EXPECT_EQ(settings_.tabToSpaces, 2);

    choice.themeItem = 2;
    WriteBackOptions(settings_, choice, themes);
    Replace("ColorTheme=2", "ColorTheme=3");
    EXPECT_EQ(FileBytes(), expected_);
    EXPECT_EQ(settings_.colorThemeIndex, 3);
    EXPECT_EQ(WString(active_.name), u"Grey");
    EXPECT_EQ(WString(active_[ColorRole::Text].html), u"#111111");
}

// A Lumatype.ini in a folder that cannot be written (here: one that is not
// there) is reported, and the values apply all the same for this run.
TEST_F(OptionsSettingsTest, AFailedWriteIsReportedAndEveryValueStillApplies) {
    ThemeList themes;
    ASSERT_TRUE(themes.Load(settings_));
    OptionsChoice choice = Unchanged();
    EXPECT_TRUE(WriteBackOptions(settings_, choice, themes));
    CopyToField(settings_.iniPath, ini_.Path() + u".missing/Lumatype.ini");
    EXPECT_TRUE(WriteBackOptions(settings_, choice, themes)) << "nothing to write";
    choice.fontFamily = u"Courier New";
    choice.tabItem = 0;
    choice.themeItem = 2;
    EXPECT_FALSE(WriteBackOptions(settings_, choice, themes));
    EXPECT_EQ(WString(settings_.fontFamily), u"Courier New");
    EXPECT_EQ(settings_.tabToSpaces, 2);
    EXPECT_EQ(settings_.colorThemeIndex, 3);
    EXPECT_EQ(WString(active_.name), u"Grey");
    choice.fontSize = u"20px";  // one key that fails is enough
    EXPECT_FALSE(WriteBackOptions(settings_, choice, themes));
    EXPECT_EQ(WString(settings_.fontSize), u"20px");
}

TEST_F(OptionsSettingsTest, WrittenTextsReadBackAsTyped) {
    ThemeList themes;
    ASSERT_TRUE(themes.Load(settings_));
    const WString families[] = {u"\"Code A\", \"Code B\"", u"'Courier New'", u" Consolas ", u"'", u"\"A\" ",
                                u"Plain, 'Quoted'"};
    for (const WString& family : families) {
        OptionsChoice choice = Unchanged();
        choice.fontFamily = family;
        WriteBackOptions(settings_, choice, themes);
        EXPECT_EQ(Common(u"font_family"), family);
        EXPECT_EQ(WString(settings_.fontFamily), family);
    }
    EXPECT_EQ(ProfileValueFor(u"Consolas, monospace"), u"Consolas, monospace");
    EXPECT_EQ(ProfileValueFor(u"'Courier New'"), u"\"'Courier New'\"");
}

// A value the write-back quotes reads back whole after a restart, also when
// it fills its field: the reader once lost its last character there.
TEST_F(OptionsSettingsTest, QuotedValuesAtTheFieldsLengthReadBackWhole) {
    ThemeList themes;
    ASSERT_TRUE(themes.Load(settings_));
    auto valuesOf = [](size_t length) {
        const WString inner(length - 2, u'x');
        return std::vector<WString>{u"'" + inner + u"'", u"\"" + inner + u"\"", u" " + inner + u"x",
                                    u"x" + inner + u"\t", u"\"" + inner + u"x", WString(length, u'y')};
    };
    for (size_t length : {14u, 15u, 254u, 255u}) {
        for (const WString& value : valuesOf(length)) {
            OptionsChoice choice = Unchanged();
            choice.fontFamily = value;
            if (length < 16) choice.fontSize = choice.borderSize = value;
            WriteBackOptions(settings_, choice, themes);
            AppSettings restarted{};
            CopyToField(restarted.iniPath, settings_.iniPath);
            ReadFontSettings(restarted);
            EXPECT_EQ(WString(restarted.fontFamily), value) << length;
            if (length < 16) {
                EXPECT_EQ(WString(restarted.fontSize), value) << length;
                EXPECT_EQ(WString(restarted.borderSize), value) << length;
            }
        }
    }
}

}  // namespace
