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

// The properties of one style attribute, joined by "; "; the attribute is
// written only when it holds one.
class StyleAttribute {
public:
    explicit StyleAttribute(Chunk& chunk) : chunk_(chunk) {}
    void Add(WStringView name, WStringView value = WStringView()) {
        chunk_ << (empty_ ? u" style=\"" : u"; ") << name << value;
        empty_ = false;
    }
    void Close() {
        if (!empty_) chunk_ << u"\"";
    }

private:
    Chunk& chunk_;
    bool empty_ = true;
};

// The number cell or the code cell: its colours, and for numbers the
// alignment.
struct TextCell {
    const ThemeColor& background;
    const ThemeColor& text;
    bool rightAligned;
};

// Writes the opening of a text cell; returns what closes it before its </td>.
// Its longest form, with font tags, a 255-unit face and two unterminated
// 32-unit colour fields, is 402 units: one Chunk (512) holds it.
WStringView OpenTextCell(Emitter& emitter, const TableLook& look, const TextCell& cell) {
    const WStringView colour = FieldView(cell.text.html);
    Chunk open;
    open << u"<td";
    AppendBgcolor(open, cell.background);
    WStringView close;
    if (emitter.markup == HtmlMarkup::FontTags) {
        if (cell.rightAligned) open << u" align=\"right\"";
        // Cells centre their content; a code line taller than its number
        // (a fallback font's glyphs) would then shift every number.
        open << u" valign=\"top\"";
        if (look.noWrap) open << u" nowrap=\"nowrap\"";
        open << u">";
        if (!look.fontFace.empty() || !colour.empty()) {
            open << u"<font";
            if (!look.fontFace.empty()) open << u" face=\"" << look.fontFace << u"\"";
            if (!colour.empty()) open << u" color=\"" << colour << u"\"";
            open << u">";
            close = u"</font>";
        }
    } else {
        StyleAttribute style(open);
        if (!colour.empty()) style.Add(u"color:", colour);
        if (cell.rightAligned) style.Add(u"text-align:right");
        if (look.noWrap) style.Add(u"white-space:nowrap");
        // A line with CJK glyphs or emoji takes a fallback font's taller line
        // box, which the number column, all digits, does not: without one
        // line-height on both cells the numbers drift away from their lines.
        // Quirks mode resets line-height inside tables, so it goes on the
        // cells, not on the div.
        if (!look.lineHeight.empty()) style.Add(u"line-height:", look.lineHeight);
        style.Close();
        open << u">";
    }
    open << u"\r\n";
    WriteMarkup(emitter, open.View());
    return close;
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

void WriteLineNumberColumn(Emitter& emitter, const TableLook& look, int32_t startLine, int32_t lineCount) {
    const ThemeColor& background = emitter.Color(ColorRole::LineNoBkgnd);
    const ThemeColor& numbers = emitter.Color(ColorRole::LineNo);
    WriteSpacerCell(emitter, background, u"4px");
    const WStringView closeContent = OpenTextCell(emitter, look, {background, numbers, true});
    LineNumber number(startLine);
    for (int32_t h = 1; h <= lineCount; ++h, number.Increment()) {
        WriteContentAndUnit(emitter, number.Leading(), number.Last(), numbers.color, false);
        if (h < lineCount) WriteMarkup(emitter, u"<br/>"sv);
        if (h % 16 == 0) WriteMarkup(emitter, u"\r\n"sv);
    }
    Chunk close;
    if (lineCount % 16) close << u"\r\n";
    close << closeContent << u"</td>\r\n";
    WriteMarkup(emitter, close.View());
    WriteSpacerCell(emitter, background, u"4px");
    WriteBorderCell(emitter, look.borderSize);
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

bool WriteCodeTable(Emitter& emitter, const TableLook& look, bool showLineNumbers, const LanguageInfo& language,
                    const char16_t* text, int32_t startLine, int32_t lineCount) {
    ScanBufferOwner owner(emitter.allocator);
    if (!owner.Obtained()) return false;
    ForgetOpenSpan(emitter);
    const int columns = showLineNumbers ? 9 : 5;

    WriteMarkup(emitter, u"<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" border-collapse=\"collapse\">\r\n"sv);
    WriteMarkup(emitter, u"<tbody>\r\n"sv);
    WriteBorderRow(emitter, columns, look.borderSize, u"");
    WriteMarkup(emitter, u"<tr>\r\n"sv);
    WriteBorderCell(emitter, look.borderSize);
    if (showLineNumbers) WriteLineNumberColumn(emitter, look, startLine, lineCount);

    const ThemeColor& background = emitter.Color(ColorRole::Bkgnd);
    WriteSpacerCell(emitter, background, u"4px");
    const WStringView closeContent = OpenTextCell(emitter, look, {background, emitter.Color(ColorRole::Text), false});
    if (!HighlightCode(emitter, language, text, lineCount, owner.buffers)) return false;
    if (SpanIsOpen(emitter)) {
        Chunk closeSpan;
        closeSpan << emitter.closeSpanTag << u"\r\n";
        WriteMarkup(emitter, closeSpan.View());
    }
    ForgetOpenSpan(emitter);
    Chunk close;
    close << closeContent << u"</td>\r\n";
    WriteMarkup(emitter, close.View());
    WriteSpacerCell(emitter, background, u"8px");
    WriteBorderCell(emitter, look.borderSize);

    WriteMarkup(emitter, u"</tr>\r\n"sv);
    WriteBorderRow(emitter, columns, look.borderSize, u"\r\n");
    WriteMarkup(emitter, u"</tbody>\r\n</table>\r\n"sv);
    return true;
}
