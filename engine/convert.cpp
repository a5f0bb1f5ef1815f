#include "engine/convert.h"

#include <algorithm>
#include <cstring>
#include "engine/code_table.h"

static constexpr size_t kStartLineTextLength = 511;  // what the 512-character read keeps

// Whether one of the four 16-bit units packed in `four` is zero.
static bool HasZeroUnit(uint64_t four) {
    return (four - 0x0001000100010001ULL) & ~four & 0x8000800080008000ULL;
}

// Units before the first NUL, as the pane would hold them; fast on long texts.
static size_t TextLength(WStringView code) {
    size_t i = 0;
    for (uint64_t four; i + 4 <= code.size(); i += 4) {
        std::memcpy(&four, code.data() + i, sizeof four);
        if (HasZeroUnit(four)) break;
    }
    while (i < code.size() && code[i]) ++i;
    return i;
}

int32_t CodeLineCount(WStringView code) {
    int32_t count = 0;  // up to the last non-empty line
    int32_t line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i + 1 < code.size(); ++i) {
        // Skip four units at a time while none of them is a CR.
        for (uint64_t four; i + 5 <= code.size(); i += 4) {
            std::memcpy(&four, code.data() + i, sizeof four);
            if (HasZeroUnit(four ^ 0x000D000D000D000DULL)) break;  // some unit is a CR
        }
        if (code[i] == u'\r' && code[i + 1] == u'\n') {
            if (i > lineStart) count = line;
            ++line;
            lineStart = ++i + 1;
        }
    }
    return code.size() > lineStart ? line : count;
}

int32_t ParseStartLine(WStringView text) {
    text = text.substr(0, kStartLineTextLength);
    if (text.empty()) return 1;
    const int32_t value = ParseLeadingLong(text);
    return value > 0 ? value : 1;
}

static void WriteOpeningDiv(Emitter& emitter, const AppSettings& settings) {
    const WStringView family = FieldView(settings.fontFamily);
    const WStringView size = FieldView(settings.fontSize);
    Chunk tag;
    tag << u"<div";
    if (!family.empty() || !size.empty()) {
        tag << u" style=\"";
        if (!family.empty()) tag << u"font-family:" << family << u";";
        if (!size.empty()) tag << u"font-size:" << size << u";";
        tag << u"\"";
    }
    tag << u">";
    WriteMarkup(emitter, tag.View());
}

// The conversion proper, over text that has a NUL before it and after it.
static ConvertResult ConvertText(const AppSettings& settings, const ColorTheme& theme, const LanguageInfo& language,
                                 const char16_t* text, WStringView code, bool showLineNumbers,
                                 WStringView startLineText, OutputSink& sink, EngineAllocator allocator) {
    const EscapeTable escapes(settings.specialChars, settings.tabToSpaces);
    Emitter emitter(sink, theme, settings.tabToSpaces, escapes, allocator);
    WriteOpeningDiv(emitter, settings);
    if (!WriteCodeTable(emitter, FieldView(settings.borderSize), showLineNumbers, language, text,
                        ParseStartLine(startLineText), CodeLineCount(code)))
        return ConvertResult::TableFailed;
    const bool lastLineEmpty = emitter.lastCharacter == u'\n' || emitter.lastCharacter == u'\r';
    WriteMarkup(emitter, lastLineEmpty ? u"</div>\r\n" : u"\r\n</div>\r\n");
    return ConvertResult::Converted;
}

ConvertResult ConvertCode(const AppSettings& settings, const ColorTheme& theme, const LanguageInfo* language,
                          WStringView code, bool showLineNumbers, WStringView startLineText, OutputSink& sink,
                          EngineAllocator allocator) {
    code = code.substr(0, TextLength(code));
    if (!language || code.empty()) return ConvertResult::NothingToDo;
    // The scanner reads the character before the text: the buffer starts with a NUL.
    const uint64_t bytes = 2 * static_cast<uint64_t>(code.size()) + 4;
    auto* buffer = bytes > UINT32_MAX ? nullptr : static_cast<char16_t*>(allocator.allocate(static_cast<uint32_t>(bytes)));
    if (!buffer) return ConvertResult::TextBufferFailed;
    buffer[0] = 0;
    std::memcpy(buffer + 1, code.data(), code.size() * sizeof(char16_t));
    buffer[code.size() + 1] = 0;
    const ConvertResult result = ConvertText(settings, theme, *language, buffer + 1, WStringView(buffer + 1, code.size()),
                                             showLineNumbers, startLineText, sink, allocator);
    allocator.release(buffer);
    return result;
}

ConvertResult ConvertPaddedCode(const AppSettings& settings, const ColorTheme& theme, const LanguageInfo* language,
                                PaddedCode code, bool showLineNumbers, WStringView startLineText, OutputSink& sink) {
    const WStringView text(code.text, TextLength(WStringView(code.text, code.length)));
    if (!language || text.empty()) return ConvertResult::NothingToDo;
    // The same limit as for the pane's text, which must fit one allocation.
    if (2 * static_cast<uint64_t>(text.size()) + 4 > UINT32_MAX) return ConvertResult::TextBufferFailed;
    return ConvertText(settings, theme, *language, code.text, text, showLineNumbers, startLineText, sink,
                       DefaultEngineAllocator());
}
