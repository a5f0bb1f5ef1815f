#include "engine/code_table.h"

#include <algorithm>
#include "engine/highlight.h"

using namespace std::string_view_literals;

namespace {
// A colour attribute such as ` bgcolor="#fff"`, written only for a non-empty colour text.
Chunk& AppendBgcolor(Chunk& chunk, const ThemeColor& colour) {
    const WStringView html = FieldView(colour.html);
    if (!html.empty()) chunk << u" bgcolor=\"" << html << u"\"";
    return chunk;
}

// A line with CJK glyphs or emoji takes a fallback font's taller line box,
// which the number column, all digits, does not: without one line-height on
// both cells the numbers drift away from their lines. Quirks mode resets
// line-height inside tables, so it goes on the cells, not on the div.
Chunk& AppendLineHeight(Chunk& chunk, WStringView lineHeight, WStringView separator) {
    if (!lineHeight.empty()) chunk << separator << u"line-height:" << lineHeight;
    return chunk;
}

void WriteBorderRow(Emitter& emitter, int columns, WStringView borderSize, WStringView after) {
    Chunk chunk;
    chunk << u"<tr><td colspan=\"" << columns << u"\" bgcolor=\"" << FieldView(emitter.Color(ColorRole::Border).html)
          << u"\" height=\"" << borderSize << u"\"></td></tr>" << after;
    WriteMarkup(emitter, chunk.View());
}

void WriteBorderCell(Emitter& emitter, WStringView borderSize) {
    Chunk chunk;
    chunk << u"<td bgcolor=\"" << FieldView(emitter.Color(ColorRole::Border).html) << u"\" width=\"" << borderSize
          << u"\"></td>\r\n";
    WriteMarkup(emitter, chunk.View());
}

void WriteSpacerCell(Emitter& emitter, const ThemeColor& background, WStringView width) {
    Chunk chunk;
    chunk << u"<td";
    AppendBgcolor(chunk, background) << u" width=\"" << width << u"\"></td>\r\n";
    WriteMarkup(emitter, chunk.View());
}

// The decimal text of a positive number that counts up, digit by digit: the
// last digit apart from the others, which change once in ten steps.
class LineNumber {
public:
    explicit LineNumber(int32_t first) {
        Chunk text;
        text << static_cast<long long>(first);
        const WStringView all = text.View();
        begin_ = kDigits - (all.size() - 1);
        std::copy(all.begin(), all.end() - 1, digits_ + begin_);
        last_ = all.back();
    }
    // Every digit but the last.
    WStringView Leading() const { return WStringView(digits_ + begin_, kDigits - begin_); }
    char16_t Last() const { return last_; }
    void Increment() {
        if (last_ != u'9') {
            ++last_;
            return;
        }
        last_ = u'0';
        for (size_t i = kDigits; i-- > begin_;) {
            if (digits_[i] != u'9') {
                ++digits_[i];
                return;
            }
            digits_[i] = u'0';
        }
        digits_[--begin_] = u'1';
    }

private:
    static constexpr size_t kDigits = 24;
    char16_t digits_[kDigits];
    size_t begin_;
    char16_t last_;
};

void WriteLineNumberColumn(Emitter& emitter, WStringView borderSize, WStringView lineHeight, int32_t startLine,
                           int32_t lineCount) {
    const ThemeColor& background = emitter.Color(ColorRole::LineNoBkgnd);
    const ThemeColor& numbers = emitter.Color(ColorRole::LineNo);
    WriteSpacerCell(emitter, background, u"4px");
    Chunk open;
    open << u"<td";
    AppendBgcolor(open, background) << u" style=\"";
    if (!FieldView(numbers.html).empty()) open << u"color:" << FieldView(numbers.html) << u"; ";
    open << u"text-align:right";
    AppendLineHeight(open, lineHeight, u"; ") << u"\">\r\n";
    WriteMarkup(emitter, open.View());
    LineNumber number(startLine);
    for (int32_t h = 1; h <= lineCount; ++h, number.Increment()) {
        WriteContentAndUnit(emitter, number.Leading(), number.Last(), numbers.color, false);
        if (h < lineCount) WriteMarkup(emitter, u"<br/>"sv);
        if (h % 16 == 0) WriteMarkup(emitter, u"\r\n"sv);
    }
    WriteMarkup(emitter, lineCount % 16 ? u"\r\n</td>\r\n"sv : u"</td>\r\n"sv);
    WriteSpacerCell(emitter, background, u"4px");
    WriteBorderCell(emitter, borderSize);
}

// The buffer of one scan, released whatever way the table ends.
class ScanBufferOwner {
public:
    explicit ScanBufferOwner(const EngineAllocator& allocator) : allocator_(allocator) {
        buffers.escape = static_cast<char16_t*>(allocator_.allocate(kInitialEscapeBytes));
        buffers.escapeCapacity = kInitialEscapeBytes;
    }
    ~ScanBufferOwner() { allocator_.release(buffers.escape); }
    ScanBufferOwner(const ScanBufferOwner&) = delete;
    ScanBufferOwner& operator=(const ScanBufferOwner&) = delete;
    bool Obtained() const { return buffers.escape; }

    ScanBuffers buffers;

private:
    EngineAllocator allocator_;
};
}  // namespace

bool WriteCodeTable(Emitter& emitter, WStringView borderSize, WStringView lineHeight, bool showLineNumbers,
                    const LanguageInfo& language, const char16_t* text, int32_t startLine, int32_t lineCount) {
    ScanBufferOwner owner(emitter.allocator);
    if (!owner.Obtained()) return false;
    ForgetOpenSpan(emitter);
    const int columns = showLineNumbers ? 9 : 5;

    WriteMarkup(emitter, u"<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" border-collapse=\"collapse\">\r\n"sv);
    WriteMarkup(emitter, u"<tbody>\r\n"sv);
    WriteBorderRow(emitter, columns, borderSize, u"");
    WriteMarkup(emitter, u"<tr>\r\n"sv);
    WriteBorderCell(emitter, borderSize);
    if (showLineNumbers) WriteLineNumberColumn(emitter, borderSize, lineHeight, startLine, lineCount);

    const ThemeColor& background = emitter.Color(ColorRole::Bkgnd);
    WriteSpacerCell(emitter, background, u"4px");
    Chunk codeCell;
    codeCell << u"<td";
    AppendBgcolor(codeCell, background);
    const WStringView textColour = FieldView(emitter.Color(ColorRole::Text).html);
    if (!textColour.empty() || !lineHeight.empty()) {
        codeCell << u" style=\"";
        if (!textColour.empty()) codeCell << u"color:" << textColour;
        AppendLineHeight(codeCell, lineHeight, textColour.empty() ? u"" : u"; ") << u"\"";
    }
    codeCell << u">\r\n";
    WriteMarkup(emitter, codeCell.View());
    if (!HighlightCode(emitter, language, text, lineCount, owner.buffers)) return false;
    if (SpanIsOpen(emitter)) WriteMarkup(emitter, u"</span>\r\n"sv);
    ForgetOpenSpan(emitter);
    WriteMarkup(emitter, u"</td>\r\n"sv);
    WriteSpacerCell(emitter, background, u"8px");
    WriteBorderCell(emitter, borderSize);

    WriteMarkup(emitter, u"</tr>\r\n"sv);
    WriteBorderRow(emitter, columns, borderSize, u"\r\n");
    WriteMarkup(emitter, u"</tbody>\r\n</table>\r\n"sv);
    return true;
}
