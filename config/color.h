#pragma once
// Colour values and colour themes.
#include <cstdint>
#include "base/limits.h"
#include "base/wide.h"

using ColorRef = uint32_t;  // GDI colour 0x00BBGGRR, red in the low byte
constexpr ColorRef MakeRgb(unsigned r, unsigned g, unsigned b) {
    return ColorRef((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

enum class ColorRole : int {
    Text, Bkgnd, Comment, Number, LineNo, LineNoBkgnd,
    Keyword0, Keyword1, Keyword2, Keyword3,
    String0, String1, String2, String3,
    Seperator, Border,
};
constexpr int kColorRoleCount = 16;
// Section name of a role in a theme file ("Text", "Bkgnd", ...).
const char16_t* ColorRoleName(ColorRole role);

struct ThemeColor {
    char16_t html[32];  // verbatim HTML colour text
    ColorRef color;     // screen colour
};

struct ColorTheme {
    char16_t name[128];
    char16_t file[kMaxPath];
    ThemeColor colors[kColorRoleCount];

    const ThemeColor& operator[](ColorRole r) const { return colors[static_cast<int>(r)]; }
    ThemeColor& operator[](ColorRole r) { return colors[static_cast<int>(r)]; }
};

ColorRef ParseColorValue(const char16_t* text);
// Fills theme->colors from theme->file (name and file must be set).
void LoadColorTheme(ColorTheme* theme);
