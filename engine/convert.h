#pragma once
// The portable part of the Convert command: everything between reading the
// controls and showing the result. The GUI reads its controls, calls
// ConvertCode with a sink that buffers the chunks, and on Converted or
// TableFailed replaces the HTML pane's text with them.
#include <cstdint>
#include "config/settings.h"
#include "config/wide.h"
#include "engine/emitter.h"
#include "engine/language.h"
#include "engine/output_sink.h"

enum class ConvertResult {
    Converted,
    NothingToDo,       // no language or empty code: nothing is shown, the pane stays
    TextBufferFailed,  // message box kTextBufferFailedMessage, the pane stays
    TableFailed,       // status and message box kTableFailedMessage, the partial HTML stays
};

inline constexpr char16_t kConvertingStatus[] = u"正在转换代码，请耐心等待...";
inline constexpr char16_t kConvertedStatus[] = u"代码转换已完成。";
inline constexpr char16_t kTextBufferFailedMessage[] = u"转换无法完成，内存不足！";
inline constexpr char16_t kTableFailedMessage[] = u"转换无法完成，大概是因为内存严重不足！";
inline constexpr char16_t kLoaderFailedMessage[] = u"加载语言信息不正常，请检查配置文件后，重新启动程序。";

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
};
ConvertResult ConvertPaddedCode(const AppSettings& settings, const ColorTheme& theme, const LanguageInfo* language,
                                PaddedCode code, bool showLineNumbers, WStringView startLineText, OutputSink& sink);
