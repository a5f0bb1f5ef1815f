// The language files and the configuration that ship with the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/memory.h"
#include "base/module_path.h"
#include "config/html_setting.h"
#include "config/profile.h"
#include "engine/language_registry.h"
#include "tests/engine/engine_test_support.h"

namespace {

struct Expected {
    const char16_t* word;
    int keywordClass;  // -1: not a keyword
};

struct ShippedLanguage {
    const char16_t* file;
    std::vector<Expected> words;
};

const ShippedLanguage kLanguages[] = {
    {u"languages\\cpp.lang",
     {{u"int", 0}, {u"constexpr", 0}, {u"_Bool", 0}, {u"size_t", 1}, {u"printf", 2}, {u"#include", 3},
      {u"NULL", 3}, {u"__LINE__", 3}, {u"Int", -1}, {u"main", -1}}},
    {u"languages\\csharp.lang",
     {{u"namespace", 0}, {u"async", 0}, {u"var", 1}, {u"Console", 2}, {u"#region", 3}, {u"null", 3},
      {u"Namespace", -1}}},
    {u"languages\\java.lang",
     {{u"synchronized", 0}, {u"String", 1}, {u"println", 2}, {u"@Override", 3}, {u"null", 3},
      {u"string", -1}}},
    {u"languages\\javascript.lang",
     {{u"function", 0}, {u"Promise", 1}, {u"console", 2}, {u"undefined", 3}, {u"Function", 1},
      {u"foo", -1}}},
    {u"languages\\python.lang",
     {{u"def", 0}, {u"lambda", 0}, {u"dict", 1}, {u"print", 2}, {u"None", 3}, {u"__init__", 3},
      {u"none", -1}}},
    {u"languages\\sql.lang",
     {{u"select", 0}, {u"SELECT", 0}, {u"Where", 0}, {u"varchar", 1}, {u"COUNT", 2},
      {u"current_date", 3}, {u"customers", -1}}},
    {u"languages\\go.lang",
     {{u"func", 0}, {u"rune", 1}, {u"append", 2}, {u"iota", 3}, {u"Func", -1}}},
    {u"languages\\rust.lang",
     {{u"impl", 0}, {u"Self", 0}, {u"usize", 1}, {u"println", 2}, {u"Some", 3}, {u"some", -1}}},
    {u"languages\\typescript.lang",
     {{u"interface", 0}, {u"keyof", 0}, {u"unknown", 1}, {u"console", 2}, {u"undefined", 3}}},
    {u"languages\\kotlin.lang",
     {{u"fun", 0}, {u"noinline", 0}, {u"Unit", 1}, {u"listOf", 2}, {u"null", 3}, {u"unit", -1}}},
    {u"languages\\swift.lang",
     {{u"guard", 0}, {u"Self", 0}, {u"Int", 1}, {u"print", 2}, {u"#available", 3}, {u"int", -1}}},
    {u"languages\\php.lang",
     {{u"foreach", 0}, {u"FUNCTION", 0}, {u"mixed", 1}, {u"strlen", 2}, {u"__DIR__", 3}, {u"TRUE", 3}}},
    {u"languages\\ruby.lang",
     {{u"elsif", 0}, {u"BEGIN", 0}, {u"Hash", 1}, {u"puts", 2}, {u"nil", 3}, {u"Nil", -1}}},
    {u"languages\\shell.lang",
     {{u"esac", 0}, {u"echo", 2}, {u"readonly", 2}, {u"Echo", -1}}},
    {u"languages\\powershell.lang",
     {{u"foreach", 0}, {u"string", 1}, {u"write-host", 2}, {u"$True", 3}, {u"$foo", -1}}},
    {u"languages\\batch.lang",
     {{u"GOTO", 0}, {u"echo", 2}, {u"NUL", 3}, {u"rem", -1}}},
    {u"languages\\lua.lang",
     {{u"local", 0}, {u"table", 1}, {u"ipairs", 2}, {u"_G", 3}, {u"Local", -1}}},
    {u"languages\\perl.lang",
     {{u"elsif", 0}, {u"BEGIN", 0}, {u"chomp", 2}, {u"@ARGV", 3}, {u"__END__", 3}, {u"ARGV", -1}}},
    {u"languages\\objc.lang",
     {{u"typedef", 0}, {u"NSString", 1}, {u"NSLog", 2}, {u"@interface", 3}, {u"#import", 3}, {u"YES", 3}}},
    {u"languages\\dart.lang",
     {{u"late", 0}, {u"Future", 1}, {u"print", 2}, {u"null", 3}, {u"Null", 1}}},
    {u"languages\\zig.lang",
     {{u"comptime", 0}, {u"usize", 1}, {u"@import", 2}, {u"undefined", 3}, {u"import", -1}}},
};

TEST(ShippedLanguagesTest, EveryFileParsesWithItsKeywordClasses) {
    for (const ShippedLanguage& language : kLanguages) {
        SCOPED_TRACE(WideToUtf8(language.file));
        LanguageInfo info;
        std::memset(&info, 0, sizeof info);
        ASSERT_TRUE(ModulePath(info.filePath, language.file));
        ASSERT_EQ(ParseLanguageFile(&info), 1);
        EXPECT_GT(info.lineCommentCount, 0);
        EXPECT_EQ(WString(info.delimiters).substr(WideLength(info.delimiters) - 4), u" \t\r\n");
        EXPECT_GE(WideLength(info.stringChars), 3u);
        EXPECT_EQ(WideLength(info.stringChars) % 3, 0u);
        for (const Expected& expected : language.words) {
            KeywordMatch match = FindKeyword(&info, expected.word);
            EXPECT_EQ(match.found ? match.keywordClass : -1, expected.keywordClass) << WideToUtf8(expected.word);
        }
        MEM_Free(info.keywords);
    }
}

TEST(ShippedLanguagesTest, ConfigurationRegistersEveryLanguage) {
    struct Combo : LanguageCombo {
        void ResetContent() override { items.clear(); }
        int AddString(const char16_t* text) override {
            items.push_back(text);
            return static_cast<int>(items.size()) - 1;
        }
        void SetItemData(int, intptr_t) override {}
        void SetCurSel(int) override {}
        int GetCount() const override { return static_cast<int>(items.size()); }
        std::vector<WString> items;
    } combo;
    LoaderThreadParam param{-1, nullptr, kLoadedMessage};
    char16_t iniPath[kMaxPath];
    ASSERT_TRUE(ModulePath(iniPath, u"Lumatype.ini"));

    int position = RegisterLanguages(iniPath, combo, &param);
    ASSERT_NE(languageTable, nullptr);
    ASSERT_TRUE(WaitForLanguageLoader());
    const std::vector<WString> first{u"C/C++", u"C#", u"Java", u"JavaScript", u"Python", u"SQL"};
    ASSERT_EQ(combo.items.size(), static_cast<size_t>(languageTable->count));
    EXPECT_TRUE(std::equal(first.begin(), first.end(), combo.items.begin()));
    EXPECT_EQ(position, 0);
    // Markup and data formats have no line comments; a delimiter set shows
    // that the settings section of every file was read.
    for (int32_t i = 0; i < languageTable->count; ++i) {
        const LanguageInfo& record = languageTable->records[i];
        EXPECT_NE(record.keywords, nullptr) << WideToUtf8(record.name);
        EXPECT_GT(WideLength(record.delimiters), 4u) << WideToUtf8(record.name);
    }
    ReleaseLanguages();
}

WString ReadIni(const char16_t* section, const char16_t* key, const char16_t* file) {
    char16_t value[kMaxPath];
    ProfileGetString(section, key, u"", value, kMaxPath, file);
    return value;
}

TEST(ShippedLanguagesTest, ConfigurationListsCompleteThemesAndSpecialChars) {
    char16_t iniPath[kMaxPath];
    ASSERT_TRUE(ModulePath(iniPath, u"Lumatype.ini"));
    EXPECT_EQ(ProfileGetInt(u"Common", u"TabToSpaces", 0, iniPath), 4);
    EXPECT_EQ(ReadIni(u"Common", u"font_size", iniPath), u"13px");
    // Every shipped setting reaches the HTML unchanged.
    EXPECT_TRUE(IsUsableHtmlSetting(ReadIni(u"Common", u"font_family", iniPath), HtmlSetting::FontFamily));
    for (const char16_t* key : {u"font_size", u"border_size"})
        EXPECT_TRUE(IsUsableHtmlSetting(ReadIni(u"Common", key, iniPath), HtmlSetting::Length)) << WideToUtf8(key);
    EXPECT_TRUE(IsUsableHtmlSetting(ReadIni(u"Common", u"line_height", iniPath), HtmlSetting::LineHeight));

    const char16_t* roles[] = {u"Text", u"Bkgnd", u"Comment", u"Number", u"LineNo", u"LineNoBkgnd",
                               u"Keyword0", u"Keyword1", u"Keyword2", u"Keyword3", u"String0", u"String1",
                               u"String2", u"String3", u"Seperator", u"Border"};
    int32_t themes = ProfileGetInt(u"ColorThemes", u"Count", 0, iniPath);
    EXPECT_GE(themes, 3);
    EXPECT_EQ(ReadIni(u"ColorThemes", u"File1", iniPath), u"themes\\default.ini");
    for (int32_t n = 1; n <= themes; ++n) {
        WString number = FormatInt(n);
        EXPECT_NE(ReadIni(u"ColorThemes", (u"Name" + number).c_str(), iniPath), u"");
        char16_t themePath[kMaxPath];
        ASSERT_TRUE(ModulePath(themePath, ReadIni(u"ColorThemes", (u"File" + number).c_str(), iniPath).c_str()));
        SCOPED_TRACE(WideToUtf8(themePath));
        for (int role = 0; role < 16; ++role) {
            WString html = ReadIni(roles[role], u"Html", themePath);
            bool inherits = html.empty() && ((role >= 7 && role <= 9) || (role >= 11 && role <= 13));
            EXPECT_TRUE(inherits || (html.size() >= 4 && html[0] == u'#')) << WideToUtf8(roles[role]);
            // The filter of settings written into the HTML lets every shipped colour through.
            EXPECT_TRUE(IsUsableHtmlSetting(html, HtmlSetting::Length)) << WideToUtf8(html);
            EXPECT_TRUE(inherits || !ReadIni(roles[role], u"Real", themePath).empty()) << WideToUtf8(roles[role]);
        }
    }

    EXPECT_EQ(ProfileGetInt(u"SpecialChars", u"Count", 0, iniPath), 4);
    EXPECT_EQ(ReadIni(u"SpecialChars", u"Item4", iniPath), u"\",&quot;");
}

}  // namespace
