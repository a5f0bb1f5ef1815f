#pragma once
// The table that frames the code: border rows and cells, the optional
// line-number column and the code cell.
#include <cstdint>
#include "base/wide.h"
#include "engine/emitter.h"
#include "engine/language.h"

// What the settings put into the table besides the theme's colours, each
// written as it stands.
struct TableLook {
    WStringView borderSize{};
    WStringView lineHeight{};  // empty: none; a non-empty one ends the style of the number and the code cell
    WStringView fontFace{};    // with font tags, the face of both text cells; empty: none
    bool noWrap = false;       // both text cells keep each line on one line
};

// Writes the whole table in the emitter's markup. text must be
// NUL-terminated with a readable NUL before it; startLine >= 1. False when
// the scan buffer cannot be obtained (nothing written) or the escape buffer
// cannot grow (the table stops where the code did). Font tags have no form
// for a line height: with them it is left out.
bool WriteCodeTable(Emitter& emitter, const TableLook& look, bool showLineNumbers, const LanguageInfo& language,
                    const char16_t* text, int32_t startLine, int32_t lineCount);
