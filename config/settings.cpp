#include "config/settings.h"

#include "base/module_path.h"
#include "config/html_setting.h"
#include "config/profile.h"

void ReadTabToSpaces(AppSettings& settings) {
    settings.tabToSpaces = ProfileGetInt(u"Common", u"TabToSpaces", 2, settings.iniPath);
}

void ReadTabStops(AppSettings& settings) {
    settings.tabStops = ProfileGetInt(u"Common", u"TabStops", 0, settings.iniPath) != 0;
}

// A value too long to keep whole is dropped like one with a character it
// may not hold: what is left of it may be another value.
static void ReadLineHeight(AppSettings& settings) {
    char16_t value[kLineHeightLength + 2];
    const uint32_t length =
        ProfileGetString(u"Common", u"line_height", u"", value, kLineHeightLength + 2, settings.iniPath);
    const WStringView text(value, length);
    const bool usable = length <= kLineHeightLength && IsUsableHtmlSetting(text, HtmlSetting::LineHeight);
    CopyToField(settings.lineHeight, usable ? text : WStringView());
}

std::optional<HtmlMarkup> ParseHtmlMarkup(WStringView name) {
    if (EqualsIgnoreAsciiCase(name, u"style")) return HtmlMarkup::InlineStyles;
    if (EqualsIgnoreAsciiCase(name, u"font")) return HtmlMarkup::FontTags;
    return std::nullopt;
}

// A name this version does not know keeps the inline styles every site
// showed before.
static void ReadMarkup(AppSettings& settings) {
    char16_t value[16];
    const uint32_t length = ProfileGetString(u"Common", u"markup", u"", value, 16, settings.iniPath);
    settings.markup = ParseHtmlMarkup(WStringView(value, length)).value_or(HtmlMarkup::InlineStyles);
}

void ReadFontSettings(AppSettings& settings) {
    // The options dialog writes these back: each is read as it wrote it.
    ProfileGetField(u"Common", u"font_family", u"", settings.fontFamily, 256, settings.iniPath);
    ProfileGetField(u"Common", u"font_size", u"", settings.fontSize, 16, settings.iniPath);
    ProfileGetField(u"Common", u"border_size", kDefaultBorderSize, settings.borderSize, 16, settings.iniPath);
    ReadLineHeight(settings);
    settings.noWrap = ProfileGetInt(u"Common", u"no_wrap", 0, settings.iniPath) != 0;
    ReadMarkup(settings);
}

void ReadNumberedThemeEntry(const char16_t* iniPath, WStringView directory, int32_t number, ColorTheme& theme) {
    const WString key = FormatInt(number);
    ProfileGetString(u"ColorThemes", (u"Name" + key).c_str(), u"", theme.name, 128, iniPath);
    char16_t fileName[kMaxPath];
    ProfileGetString(u"ColorThemes", (u"File" + key).c_str(), u"", fileName, kMaxPath, iniPath);
    // Without a File<n> the theme has no file rather than the directory; a
    // path that does not fit is no file either, never a cut one that may name
    // another file.
    theme.file[0] = 0;
    if (fileName[0] && !directory.empty()) JoinModulePath(theme.file, kMaxPath, directory, fileName);
}

void LoadNumberedTheme(const char16_t* iniPath, WStringView directory, int32_t number, ColorTheme& theme) {
    ReadNumberedThemeEntry(iniPath, directory, number, theme);
    LoadColorTheme(&theme);
}

void ReadActiveTheme(AppSettings& settings, ColorTheme& theme) {
    settings.colorThemeIndex = ProfileGetInt(u"Common", u"ColorTheme", 1, settings.iniPath);
    LoadNumberedTheme(settings.iniPath, ProgramDirectory(), settings.colorThemeIndex, theme);
}
