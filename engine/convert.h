#pragma once
// The portable part of the Convert command: everything between reading the
// controls and showing the result. The GUI reads its controls, calls
// ConvertCode with a sink that buffers the chunks, and on Converted or
// TableFailed replaces the HTML pane's text with them.
#include <cstdint>
#include "base/wide.h"
#include "config/settings.h"
#include "engine/emitter.h"
#include "engine/language.h"
#include "engine/output_sink.h"

enum class ConvertResult {
    Converted,
    NothingToDo,       // no language or empty code: nothing is shown, the pane stays
    TextBufferFailed,  // the program says so in a message box, the pane stays
    TableFailed,       // the program says so in its status bar and a message box, the partial HTML stays
};

// Number of lines up to the last non-empty one, lines separated by CR LF as
// the code pane holds them.
int32_t CodeLineCount(WStringView code);
// The start-line edit's text read as wcstol does; 1 for empty, zero or
// negative values.
int32_t ParseStartLine(WStringView text);

// Writes the opening div, the table and the closing div. The code is used up
// to its first NUL, as the pane would hold it.
ConvertResult ConvertCode(const AppSettings& settings, const ColorTheme& theme, const LanguageInfo* language,
                          WStringView code, bool showLineNumbers, WStringView startLineText, OutputSink& sink,
                          EngineAllocator allocator = DefaultEngineAllocator());

// Code already laid out as the scanner reads it: text[-1] and text[length]
// are NUL. Converts it in place, without the copy ConvertCode makes.
struct PaddedCode {
    const char16_t* text;
    size_t length;
    // The line count when the caller knows it, for text that holds no NUL
    // before `length` (decoded text); negative: counted here.
    int32_t lines = -1;
};
ConvertResult ConvertPaddedCode(const AppSettings& settings, const ColorTheme& theme, const LanguageInfo* language,
                                PaddedCode code, bool showLineNumbers, WStringView startLineText, OutputSink& sink);
