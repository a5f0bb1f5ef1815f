#pragma once
// The table that frames the code: border rows and cells, the optional
// line-number column and the code cell.
#include <cstdint>
#include "base/wide.h"
#include "engine/emitter.h"
#include "engine/language.h"

// Writes the whole table. text must be NUL-terminated with a readable NUL
// before it; startLine >= 1. False when the scan buffer cannot be obtained
// (nothing written) or the escape buffer cannot grow (the table stops where
// the code did). A non-empty lineHeight ends the style of the number cell and
// the code cell.
bool WriteCodeTable(Emitter& emitter, WStringView borderSize, WStringView lineHeight, bool showLineNumbers,
                    const LanguageInfo& language, const char16_t* text, int32_t startLine, int32_t lineCount);
