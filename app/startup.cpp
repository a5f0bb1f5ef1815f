#include "app/startup.h"

#include "engine/special_chars.h"

void LoadConfiguration(AppSettings& settings, ColorTheme& activeTheme, LanguageCombo& combo,
                       LoaderThreadParam* loaderParam) {
    ReadTabToSpaces(settings);
    ReadTabStops(settings);
    LoadSpecialChars(settings);
    ReadFontSettings(settings);
    int defaultPosition = RegisterLanguages(settings.iniPath, combo, loaderParam);
    ReadActiveTheme(settings, activeTheme);
    SelectDefaultLanguage(combo, defaultPosition);

    settings.loadTheme = LoadColorTheme;
    settings.activeTheme = &activeTheme;
}

void ReleaseConfiguration(AppSettings& settings) {
    ReleaseLanguages();
    FreeSpecialChars(settings.specialChars);
    settings.specialChars = nullptr;
}
