#pragma once
// Settings that go into the generated HTML as they stand: inside attribute
// values (border size, theme colours) and inside the double-quoted style of
// the opening div and the cells (font family, font size, line height). A
// quote, '<', '>', '&', ';' or '\' there would let a settings or theme file
// end the attribute, add properties or markup, so each setting takes only
// the characters its CSS values are written with, and a value holding any
// other counts as absent: its default is used, never a mended value, for
// what is left of it may be another value.
#include "base/wide.h"

enum class HtmlSetting {
    Length,      // border_size, font_size, a colour's Html: letters, digits, blanks and # % . , ( ) + -
    FontFamily,  // as Length, and ' (quoted names), _ and the letters of any script
    LineHeight,  // letters, digits, blanks and . % + - * / ( ) (numbers, lengths and calc())
};

bool IsUsableHtmlSetting(WStringView text, HtmlSetting kind);
// The text when it is usable, else the fallback.
WStringView UsableHtmlSetting(WStringView text, HtmlSetting kind, WStringView fallback);
