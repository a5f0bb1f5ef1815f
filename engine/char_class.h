#pragma once
// Character tests of the scanner. Both builds must classify alike, so these
// do not depend on the C library's locale tables. Surrogate halves are
// told apart by base/wide.h.
#include "base/wide.h"

// The blanks that separate words on a line: blank and tab.
inline bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// iswdigit: the ten ASCII digits.
inline bool IsDecimalDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// iswspace: the Unicode white-space characters of the Basic Multilingual
// Plane (ASCII blanks and controls, no-break space, ideographic space, ...).
inline bool IsWideSpace(char16_t c) {
    // Below U+0085 without a branch on c, which follows the text: tab, LF,
    // VT, FF, CR and blank are bits 9 to 13 and 32 of one constant.
    if (c < 0x85) return (c <= 0x20) & static_cast<bool>((0x100003E00ULL >> (c & 0x3F)) & 1);
    return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
           c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}
