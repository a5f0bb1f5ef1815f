#include "config/color.h"

#include "config/html_setting.h"
#include "config/profile.h"

namespace {

const char16_t* const kRoleNames[kColorRoleCount] = {
    u"Text",     u"Bkgnd",    u"Comment",  u"Number",  u"LineNo",  u"LineNoBkgnd", u"Keyword0",  u"Keyword1",
    u"Keyword2", u"Keyword3", u"String0",  u"String1", u"String2", u"String3",     u"Seperator", u"Border",
};

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Reads digits of `base` up to the first character that is not one; the
// value wraps at 32 bits.
ColorRef ReadNumber(WStringView text, unsigned base) {
    ColorRef value = 0;
    for (char16_t c : text) {
        int digit = HexDigit(c);
        if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
        value = value * base + static_cast<ColorRef>(digit);
    }
    return value;
}

// "#rgb" or "#rrggbb".
ColorRef ParseHashColor(WStringView text) {
    WString pairs;
    if (text.size() == 4) {
        for (char16_t c : text.substr(1)) pairs += {c, c};
    } else if (text.size() == 7) {
        pairs = text.substr(1);
    } else {
        return 0;
    }
    WStringView p(pairs);
    return MakeRgb(ReadNumber(p.substr(0, 2), 16), ReadNumber(p.substr(2, 2), 16), ReadNumber(p.substr(4, 2), 16));
}

// "RGB(r, g, b)": one forgiving left-to-right scan. Inside a number every
// character but the four separators counts as a digit, so malformed text
// still yields some colour, never a failure.
ColorRef ParseRgbFunction(WStringView text) {
    unsigned components[3] = {0, 0, 0};
    int current = -1;  // index of the number being read, -1 between numbers
    int count = 0;
    unsigned base = 10;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (current < 0) {
            if (c < u'0' || c > u'9') continue;
            if (count == 3) break;  // a fourth number is ignored
            current = count++;
            base = 10;
            if (c == u'0' && i + 1 < text.size() && text[i + 1] == u'x') {
                base = 16;
                ++i;
                continue;
            }
        } else if (c == u',' || c == u' ' || c == u'(' || c == u')') {
            current = -1;
            continue;
        }
        int digit = HexDigit(c);
        if (digit < 0) digit = static_cast<int>(c) - u'0';
        components[current] = static_cast<unsigned>(static_cast<int>(components[current] * base) + digit) & 0xFF;
    }
    return MakeRgb(components[0], components[1], components[2]);
}

}  // namespace

const char16_t* ColorRoleName(ColorRole role) {
    int index = static_cast<int>(role);
    return index >= 0 && index < kColorRoleCount ? kRoleNames[index] : u"";
}

ColorRef ParseColorValue(const char16_t* text) {
    WStringView t(text ? text : u"");
    if (t.empty()) return 0;
    if (t[0] == u'#') return ParseHashColor(t);
    if (t.size() >= 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) return ReadNumber(t.substr(2), 16);
    if (t[0] >= u'0' && t[0] <= u'9') return ReadNumber(t, 10);
    if (StartsWithIgnoreAsciiCase(t, u"RGB(")) return ParseRgbFunction(t);
    return 0;
}

void LoadColorTheme(ColorTheme* theme) {
    for (ThemeColor& entry : theme->colors) entry = ThemeColor{};
    // No theme file: no colours but the border's.
    bool hasFile = theme->file[0] != 0;
    for (int i = 0; hasFile && i < kColorRoleCount; ++i) {
        ColorRole role = static_cast<ColorRole>(i);
        ThemeColor& entry = theme->colors[i];
        ProfileGetString(ColorRoleName(role), u"Html", u"", entry.html, 32, theme->file);
        if (!IsUsableHtmlSetting(entry.html, HtmlSetting::Length)) entry.html[0] = 0;
        bool inheritsKeyword = role >= ColorRole::Keyword1 && role <= ColorRole::Keyword3;
        bool inheritsString = role >= ColorRole::String1 && role <= ColorRole::String3;
        if (entry.html[0] == 0 && (inheritsKeyword || inheritsString)) {
            entry = (*theme)[inheritsKeyword ? ColorRole::Keyword0 : ColorRole::String0];
            continue;
        }
        char16_t real[96];
        ProfileGetString(ColorRoleName(role), u"Real", u"", real, 96, theme->file);
        entry.color = ParseColorValue(real);
    }
    ThemeColor& border = (*theme)[ColorRole::Border];
    if (border.html[0] == 0) {
        CopyToField(border.html, u"#A0A0A0");
        border.color = MakeRgb(160, 160, 160);
    }
}
