#pragma once
// The options dialog's work on the settings, apart from the window: the
// list of every configured theme, and the write-back of what was chosen.
#include <cstdint>

#include "base/wide.h"
#include "config/settings.h"

// One ColorTheme per [ColorThemes] entry (Count, at least one), the active
// one copied, the others read and filled through settings.loadTheme.
class ThemeList {
public:
    ThemeList() = default;
    ~ThemeList();
    ThemeList(const ThemeList&) = delete;
    ThemeList& operator=(const ThemeList&) = delete;

    // False, with an empty list, when the array cannot be had (a Count too
    // large for memory or for a 32-bit size).
    bool Load(const AppSettings& settings);
    int32_t count() const { return count_; }
    const ColorTheme& operator[](int32_t index) const { return themes_[index]; }
    // The list position of the active theme; -1 when [Common] ColorTheme
    // names no listed theme.
    int32_t ActivePosition(const AppSettings& settings) const;

private:
    ColorTheme* themes_ = nullptr;
    int32_t count_ = 0;
};

// What the dialog's fields hold when OK is pressed.
struct OptionsChoice {
    WString fontFamily;
    WString fontSize;
    WString borderSize;
    int32_t tabItem;    // 0: two blanks, 1: four
    int32_t themeItem;  // list position; -1 without a selection
};

// Copies the changed values into settings (the chosen theme over the
// active record) and writes exactly their [Common] keys to settings.iniPath.
// Texts are compared as their fields will hold them, so an unchanged dialog
// writes nothing. A theme item outside the list keeps the active theme.
// False when a key could not be written; the settings hold every value even
// then.
bool WriteBackOptions(AppSettings& settings, const OptionsChoice& choice, const ThemeList& themes);
