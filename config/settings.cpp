#include "config/settings.h"

#include "app/helpers.h"
#include "config/profile.h"

void ReadTabToSpaces(AppSettings& settings) {
    settings.tabToSpaces = ProfileGetInt(u"Common", u"TabToSpaces", 2, settings.iniPath);
}

void ReadTabStops(AppSettings& settings) {
    settings.tabStops = ProfileGetInt(u"Common", u"TabStops", 0, settings.iniPath) != 0;
}

void ReadFontSettings(AppSettings& settings) {
    ProfileGetString(u"Common", u"font_family", u"", settings.fontFamily, 256, settings.iniPath);
    ProfileGetString(u"Common", u"font_size", u"", settings.fontSize, 16, settings.iniPath);
    ProfileGetString(u"Common", u"border_size", u"2px", settings.borderSize, 16, settings.iniPath);
}

void ReadActiveTheme(AppSettings& settings, ColorTheme& theme) {
    settings.colorThemeIndex = ProfileGetInt(u"Common", u"ColorTheme", 1, settings.iniPath);
    WString number = FormatInt(settings.colorThemeIndex);
    ProfileGetString(u"ColorThemes", (u"Name" + number).c_str(), u"", theme.name, 128, settings.iniPath);
    char16_t fileName[kMaxPath];
    ProfileGetString(u"ColorThemes", (u"File" + number).c_str(), u"", fileName, kMaxPath, settings.iniPath);
    // Without a File<n> the theme has no file rather than the program directory.
    theme.file[0] = 0;
    if (fileName[0]) ModulePath(theme.file, fileName);
    LoadColorTheme(&theme);
}
