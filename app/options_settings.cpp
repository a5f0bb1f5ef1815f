#include "app/options_settings.h"

#include <cstring>

#include "base/memory.h"
#include "base/module_path.h"
#include "config/profile.h"

ThemeList::~ThemeList() { MEM_Free(themes_); }

bool ThemeList::Load(const AppSettings& settings) {
    int32_t count = ProfileGetInt(u"ColorThemes", u"Count", 1, settings.iniPath);
    if (count < 1) count = 1;
    // MEM_Alloc takes a 32-bit size: a larger Count must fail, not wrap
    // around into a small block that the loop below would overrun.
    if (static_cast<uint64_t>(count) * sizeof(ColorTheme) > UINT32_MAX) return false;
    auto* themes = static_cast<ColorTheme*>(MEM_Alloc(static_cast<uint32_t>(count * sizeof(ColorTheme))));
    if (!themes) return false;
    std::memset(static_cast<void*>(themes), 0, count * sizeof(ColorTheme));
    for (int32_t n = 1; n <= count; ++n) {
        ColorTheme& theme = themes[n - 1];
        if (n == settings.colorThemeIndex) {
            theme = *settings.activeTheme;
            continue;
        }
        ReadNumberedThemeEntry(settings.iniPath, ProgramDirectory(), n, theme);
        settings.loadTheme(&theme);
    }
    themes_ = themes;
    count_ = count;
    return true;
}

int32_t ThemeList::ActivePosition(const AppSettings& settings) const {
    const int32_t position = settings.colorThemeIndex - 1;
    return position >= 0 && position < count_ ? position : -1;
}

namespace {

// Puts `value`, cut to the field as it will be kept, into the field and
// the key when it differs from what the field holds. False when the key
// could not be written.
template <size_t N>
bool WriteTextIfChanged(char16_t (&field)[N], WStringView value, const char16_t* key, const char16_t* iniPath) {
    const WStringView kept = value.substr(0, N - 1);
    if (kept == WStringView(field)) return true;
    CopyToField(field, kept);
    return ProfileWriteString(u"Common", key, ProfileValueFor(kept).c_str(), iniPath);
}

bool WriteInt(const char16_t* key, int32_t value, const char16_t* iniPath) {
    return ProfileWriteString(u"Common", key, FormatInt(value).c_str(), iniPath);
}

}  // namespace

bool WriteBackOptions(AppSettings& settings, const OptionsChoice& choice, const ThemeList& themes) {
    // Every value applies, whichever write fails before it.
    bool written = WriteTextIfChanged(settings.fontFamily, choice.fontFamily, u"font_family", settings.iniPath);
    written &= WriteTextIfChanged(settings.fontSize, choice.fontSize, u"font_size", settings.iniPath);
    written &= WriteTextIfChanged(settings.borderSize, choice.borderSize, u"border_size", settings.iniPath);
    const int32_t tabToSpaces = 2 * choice.tabItem + 2;
    if (choice.tabItem >= 0 && tabToSpaces != settings.tabToSpaces) {
        settings.tabToSpaces = tabToSpaces;
        written &= WriteInt(u"TabToSpaces", tabToSpaces, settings.iniPath);
    }
    const int32_t s = choice.themeItem;
    if (s >= 0 && s < themes.count() && s + 1 != settings.colorThemeIndex) {
        *settings.activeTheme = themes[s];
        settings.colorThemeIndex = s + 1;
        written &= WriteInt(u"ColorTheme", s + 1, settings.iniPath);
    }
    return written;
}
