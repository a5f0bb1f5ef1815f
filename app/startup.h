#pragma once
// The configuration reading the main window does when it is created.
#include "config/settings.h"
#include "engine/language_registry.h"

// Reads settings.iniPath in the program's order: the tab width, the special
// characters (which need it), the fonts and border, the languages (combo,
// table, loader thread), the active theme, then the default language
// selection. Completes settings with the theme pointer and loader.
void LoadConfiguration(AppSettings& settings, ColorTheme& activeTheme, LanguageCombo& combo,
                       LoaderThreadParam* loaderParam);

// Releases what LoadConfiguration created, after the loader thread has
// ended. False, releasing nothing, when the thread could not be waited for:
// the loader's param must then outlive the call.
bool ReleaseConfiguration(AppSettings& settings);
