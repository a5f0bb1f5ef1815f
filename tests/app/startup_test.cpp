#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_messages.h"
#include "app/startup.h"
#include "base/module_path.h"
#include "engine/special_chars.h"

namespace {

// Records what the start-up does to the combo, and what theme was loaded when
// the default language got selected.
class RecordingCombo : public LanguageCombo {
public:
    explicit RecordingCombo(const ColorTheme* theme) : theme_(theme) {}
    void ResetContent() override { items.clear(); }
    int AddString(const char16_t* text) override {
        items.emplace_back(text);
        return static_cast<int>(items.size()) - 1;
    }
    void SetItemData(int position, intptr_t value) override {
        if (data.size() <= size_t(position)) data.resize(position + 1);
        data[position] = value;
    }
    void SetCurSel(int position) override {
        selected = position;
        themeAtSelection = theme_->name;
    }
    int GetCount() const override { return static_cast<int>(items.size()); }

    std::vector<WString> items;
    std::vector<intptr_t> data;
    int selected = -1;
    WString themeAtSelection;

private:
    const ColorTheme* theme_;
};

struct Startup : testing::Test {
    AppSettings settings{};
    ColorTheme theme{};
    RecordingCombo combo{&theme};
    LoaderThreadParam param{0, nullptr, WM_LANGUAGES_LOADED};

    void TearDown() override { ReleaseConfiguration(settings); }
};

TEST_F(Startup, ShippedConfigurationFillsEverything) {
    ASSERT_TRUE(ModulePath(settings.iniPath, u"Lumatype.ini"));
    LoadConfiguration(settings, theme, combo, &param);

    ASSERT_TRUE(WaitForLanguageLoader());
    EXPECT_EQ(languagesLoaded.load(), 1);
    ASSERT_NE(languageTable, nullptr);
    EXPECT_GE(combo.GetCount(), 6);
    ASSERT_GE(combo.selected, 0);
    EXPECT_EQ(combo.items[combo.selected], u"C/C++");
    // The selection comes after the theme, as the main window expects.
    EXPECT_FALSE(combo.themeAtSelection.empty());
    EXPECT_EQ(combo.themeAtSelection, WString(theme.name));

    int record = static_cast<int>(combo.data[combo.selected]);
    EXPECT_GT(languageTable->records[record].keywordCount, 0);
    EXPECT_TRUE(FindKeyword(&languageTable->records[record], u"while").found);

    ASSERT_NE(settings.specialChars, nullptr);
    EXPECT_EQ(settings.activeTheme, &theme);
    EXPECT_EQ(settings.loadTheme, &LoadColorTheme);
    EXPECT_TRUE(settings.tabToSpaces == 2 || settings.tabToSpaces == 4);
    EXPECT_NE(theme[ColorRole::Keyword0].html[0], 0);
    // What the program's Convert writes for the columns posts land in.
    EXPECT_NE(settings.lineHeight[0], 0);
    EXPECT_TRUE(settings.noWrap);
    EXPECT_EQ(settings.markup, HtmlMarkup::InlineStyles);
}

TEST_F(Startup, MissingFileGivesDefaultsAndNoLanguages) {
    ASSERT_TRUE(ModulePath(settings.iniPath, u"no-such-config.ini"));
    LoadConfiguration(settings, theme, combo, &param);

    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.selected, -1);
    EXPECT_EQ(languageTable, nullptr);
    EXPECT_EQ(loaderThread, nullptr);
    EXPECT_EQ(settings.specialChars, nullptr);
    EXPECT_EQ(settings.tabToSpaces, 2);
    EXPECT_EQ(WString(settings.borderSize), u"2px");
    EXPECT_EQ(WString(settings.fontFamily), u"");
    EXPECT_EQ(settings.colorThemeIndex, 1);
    EXPECT_EQ(WString(theme[ColorRole::Border].html), u"#A0A0A0");
    EXPECT_EQ(theme[ColorRole::Border].color, MakeRgb(160, 160, 160));
    EXPECT_EQ(WString(theme[ColorRole::Text].html), u"");
}

}  // namespace
