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

bool ReleaseConfiguration(AppSettings& settings) {
    // The loader still reads its param (owned by the caller) after it has
    // set the finished flag, while it posts its message: wait for the thread
    // itself, not the flag, before the caller frees the param.
    if (loaderThread) {
        if (!AwaitLanguageLoaderExit()) return false;
        CloseLanguageLoader();
    }
    ReleaseLanguages();
    FreeSpecialChars(settings.specialChars);
    settings.specialChars = nullptr;
    return true;
}
