#pragma once
// The program-wide settings record.
#include <cstdint>
#include <optional>
#include "base/limits.h"
#include "config/color.h"

struct SpecialChars;

// [Common] border_size when absent.
constexpr char16_t kDefaultBorderSize[] = u"2px";

// Longest [Common] line_height taken; a longer one is dropped, never cut.
constexpr size_t kLineHeightLength = 32;

// How the fragment carries its colours and font: inline styles, or, for
// sites whose sanitizer drops every style attribute, <font> tags and table
// attributes (which cannot carry a pixel font size, a line height or a
// sideways scroll).
enum class HtmlMarkup { InlineStyles, FontTags };
// "style" or "font", in any case; nothing for another name.
std::optional<HtmlMarkup> ParseHtmlMarkup(WStringView name);

struct AppSettings {
    char16_t iniPath[kMaxPath];
    char16_t fontFamily[256];
    char16_t fontSize[16];
    char16_t borderSize[16];
    char16_t lineHeight[kLineHeightLength + 1];  // empty: the cells get no line-height
    bool noWrap;  // each code line stays one line; a wide fragment scrolls sideways in its column
    HtmlMarkup markup;
    int32_t tabToSpaces;
    bool tabStops;  // a tab runs to the next multiple of tabToSpaces, not a fixed width
    void (*loadTheme)(ColorTheme* theme);
    int32_t colorThemeIndex;
    ColorTheme* activeTheme;
    SpecialChars* specialChars;
};

// Start-up reading of "Lumatype.ini" ([Common] and [ColorThemes]); the caller
// runs them in the documented order around the language and special-character
// loading.
void ReadTabToSpaces(AppSettings& settings);                    // [Common] TabToSpaces
void ReadTabStops(AppSettings& settings);                       // [Common] TabStops
// font_family, font_size, border_size, line_height, no_wrap, markup
void ReadFontSettings(AppSettings& settings);
void ReadActiveTheme(AppSettings& settings, ColorTheme& theme);  // ColorTheme, Name<n>, File<n>, colours

// The one theme loader of the program and the command line: Name<number> and
// File<number> of [ColorThemes] in iniPath, the file found in `directory`
// (the program's, or the settings file's for the command line), colours
// loaded. An empty directory or a path longer than the theme's field leaves
// the theme without a file: every colour empty but the border's.
void LoadNumberedTheme(const char16_t* iniPath, WStringView directory, int32_t number, ColorTheme& theme);
// Its first half: name and file set as above, colours untouched, for a
// caller that loads them through its own loader.
void ReadNumberedThemeEntry(const char16_t* iniPath, WStringView directory, int32_t number, ColorTheme& theme);
