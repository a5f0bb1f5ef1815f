#include "engine/convert.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include "config/html_setting.h"
#include "engine/code_table.h"

using namespace std::string_view_literals;

static constexpr size_t kStartLineTextLength = 511;  // what the 512-character read keeps

// The top bit of each 16-bit unit of `four` that is zero, and no other bit.
static uint64_t ZeroUnits(uint64_t four) {
    constexpr uint64_t kLow15 = 0x7FFF7FFF7FFF7FFFULL;
    return ~(((four & kLow15) + kLow15) | four | kLow15);
}

static uint64_t LoadFour(const char16_t* units) {
    uint64_t four;
    std::memcpy(&four, units, sizeof four);
    return four;
}

static bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

namespace {
// The part of a code text the pane would hold (up to its first NUL) and its
// number of lines up to the last non-empty one.
struct CodeExtent {
    size_t length;
    int32_t lines;
};
}  // namespace

// One pass over the text, for it may be long: a line break is a LF, or a CR
// that no LF follows; the breaks are counted up to the first NUL, and those
// that end the text start no line.
static CodeExtent MeasureCode(WStringView code) {
    const char16_t* const units = code.data();
    const size_t size = code.size();
    uint64_t breaks = 0;
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi16(u'\r'), lf = _mm_set1_epi16(u'\n'), zero = _mm_setzero_si128();
    const auto load = [units](size_t at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at)); };
    // All ones in each lane that holds a break.
    const auto breaksIn = [&](__m128i eight, __m128i next) {
        const __m128i loneCr = _mm_andnot_si128(_mm_cmpeq_epi16(next, lf), _mm_cmpeq_epi16(eight, cr));
        return _mm_or_si128(_mm_cmpeq_epi16(eight, lf), loneCr);
    };
    for (bool nul = false; !nul && i + 9 <= size;) {
        // Each lane counts down by one per break; 16-bit lanes hold 65535
        // breaks, and a step of sixteen units adds at most two to each.
        constexpr size_t kStepsPerRound = 65535 / 2;
        __m128i lanes = zero;
        size_t steps = 0;
        for (; steps < kStepsPerRound && i + 17 <= size; ++steps, i += 16) {
            const __m128i first = load(i), second = load(i + 8);
            if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(first, zero), _mm_cmpeq_epi16(second, zero)))) break;
            lanes = _mm_add_epi16(lanes, breaksIn(first, load(i + 1)));
            lanes = _mm_add_epi16(lanes, breaksIn(second, load(i + 9)));
        }
        // Short of the round's end, a NUL stands in the next sixteen units or
        // fewer than seventeen are left: eight at a time up to it.
        for (int half = 0; steps < kStepsPerRound && half < 2 && i + 9 <= size; ++half, i += 8) {
            const __m128i eight = load(i);
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(eight, zero))) {
                nul = true;
                break;
            }
            lanes = _mm_add_epi16(lanes, breaksIn(eight, load(i + 1)));
        }
        uint16_t counts[8];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(counts), lanes);
        for (uint16_t count : counts) breaks += static_cast<uint16_t>(-count);
    }
#endif
    constexpr uint64_t kFourCr = 0x000D000D000D000DULL, kFourLf = 0x000A000A000A000AULL;
    for (; i + 5 <= size; i += 4) {
        const uint64_t four = LoadFour(units + i);
        if (ZeroUnits(four)) break;
        const uint64_t lf = ZeroUnits(four ^ kFourLf);
        const uint64_t loneCr = ZeroUnits(four ^ kFourCr) & ~ZeroUnits(LoadFour(units + i + 1) ^ kFourLf);
        // One top bit per break: their number, summed by one multiplication.
        breaks += (((lf | loneCr) >> 15) * 0x0001000100010001ULL) >> 48;
    }
    auto isBreak = [&](size_t at) {
        return units[at] == u'\n' || (units[at] == u'\r' && !(at + 1 < size && units[at + 1] == u'\n'));
    };
    for (; i < size && units[i]; ++i) breaks += isBreak(i);
    const size_t length = i;
    size_t end = length;
    for (; end > 0 && IsLineBreak(units[end - 1]); --end) breaks -= isBreak(end - 1);
    return {length, end ? static_cast<int32_t>(std::min<uint64_t>(breaks + 1, INT32_MAX)) : 0};
}

int32_t CodeLineCount(WStringView code) { return MeasureCode(code).lines; }

int32_t ParseStartLine(WStringView text) {
    text = text.substr(0, kStartLineTextLength);
    if (text.empty()) return 1;
    const int32_t value = ParseLeadingLong(text);
    return value > 0 ? value : 1;
}

// The font family as it may stand inside a double-quoted attribute (the
// div's style, or the face of the cells' font tags): the usual CSS form "Code Font", monospace would end the attribute at its
// first double quote, so double quotes become single ones (same length)
// before the family is filtered like every setting written into the HTML.
constexpr size_t kFontFamilySize = sizeof AppSettings::fontFamily / sizeof(char16_t);

static WStringView FontFamilyInStyle(const AppSettings& settings, char16_t (&quoted)[kFontFamilySize]) {
    const WStringView text = FieldView(settings.fontFamily);
    std::replace_copy(text.begin(), text.end(), quoted, u'"', u'\'');
    return UsableHtmlSetting(WStringView(quoted, text.size()), HtmlSetting::FontFamily, u"");
}

// With font tags the div is bare: the family goes to the cells' font tags,
// and a pixel size and the sideways scroll have no attribute form.
static void WriteOpeningDiv(Emitter& emitter, const AppSettings& settings) {
    Chunk tag;
    tag << u"<div";
    if (settings.markup == HtmlMarkup::InlineStyles) {
        char16_t familyText[kFontFamilySize];
        const WStringView family = FontFamilyInStyle(settings, familyText);
        const WStringView size = UsableHtmlSetting(FieldView(settings.fontSize), HtmlSetting::Length, u"");
        if (!family.empty() || !size.empty() || settings.noWrap) {
            tag << u" style=\"";
            if (!family.empty()) tag << u"font-family:" << family << u";";
            if (!size.empty()) tag << u"font-size:" << size << u";";
            // A fragment wider than its column scrolls inside it rather
            // than widening the page.
            if (settings.noWrap) tag << u"overflow-x:auto;";
            tag << u"\"";
        }
    }
    tag << u">";
    WriteMarkup(emitter, tag.View());
}

// The conversion proper, over text that has a NUL before it and after it.
static ConvertResult ConvertText(const AppSettings& settings, const ColorTheme& theme, const LanguageInfo& language,
                                 const char16_t* text, int32_t lineCount, bool showLineNumbers,
                                 WStringView startLineText, OutputSink& sink, EngineAllocator allocator) {
    const EscapeTable escapes(settings.specialChars, settings.tabToSpaces, settings.tabStops);
    Emitter emitter(sink, theme, settings.tabToSpaces, escapes, allocator, settings.markup);
    WriteOpeningDiv(emitter, settings);
    char16_t faceText[kFontFamilySize];
    const TableLook look{UsableHtmlSetting(FieldView(settings.borderSize), HtmlSetting::Length, kDefaultBorderSize),
                         FieldView(settings.lineHeight),
                         settings.markup == HtmlMarkup::FontTags ? FontFamilyInStyle(settings, faceText)
                                                                 : WStringView(),
                         settings.noWrap};
    if (!WriteCodeTable(emitter, look, showLineNumbers, language, text, ParseStartLine(startLineText), lineCount))
        return ConvertResult::TableFailed;
    const char16_t last = emitter.LastCharacter();
    const bool lastLineEmpty = last == u'\n' || last == u'\r';
    WriteMarkup(emitter, lastLineEmpty ? u"</div>\r\n"sv : u"\r\n</div>\r\n"sv);
    return ConvertResult::Converted;
}

ConvertResult ConvertCode(const AppSettings& settings, const ColorTheme& theme, const LanguageInfo* language,
                          WStringView code, bool showLineNumbers, WStringView startLineText, OutputSink& sink,
                          EngineAllocator allocator) {
    const CodeExtent extent = MeasureCode(code);
    if (!language || extent.length == 0) return ConvertResult::NothingToDo;
    // The scanner reads the character before the text: the buffer starts with a NUL.
    const uint64_t bytes = 2 * static_cast<uint64_t>(extent.length) + 4;
    auto* buffer = bytes > UINT32_MAX ? nullptr : static_cast<char16_t*>(allocator.allocate(static_cast<uint32_t>(bytes)));
    if (!buffer) return ConvertResult::TextBufferFailed;
    buffer[0] = 0;
    std::memcpy(buffer + 1, code.data(), extent.length * sizeof(char16_t));
    buffer[extent.length + 1] = 0;
    const ConvertResult result = ConvertText(settings, theme, *language, buffer + 1, extent.lines, showLineNumbers,
                                             startLineText, sink, allocator);
    allocator.release(buffer);
    return result;
}

ConvertResult ConvertPaddedCode(const AppSettings& settings, const ColorTheme& theme, const LanguageInfo* language,
                                PaddedCode code, bool showLineNumbers, WStringView startLineText, OutputSink& sink) {
    const CodeExtent extent =
        code.lines >= 0 ? CodeExtent{code.length, code.lines} : MeasureCode(WStringView(code.text, code.length));
    if (!language || extent.length == 0) return ConvertResult::NothingToDo;
    // The same limit as for the pane's text, which must fit one allocation.
    if (2 * static_cast<uint64_t>(extent.length) + 4 > UINT32_MAX) return ConvertResult::TextBufferFailed;
    return ConvertText(settings, theme, *language, code.text, extent.lines, showLineNumbers, startLineText, sink,
                       DefaultEngineAllocator());
}
