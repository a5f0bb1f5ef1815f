#include "table/table_html.h"

#include <algorithm>

namespace {

// A field's text up to its NUL, never past the field's end.
template <size_t N>
WStringView FieldText(const char16_t (&field)[N]) {
    return WStringView(field, std::find(field, field + N, u'\0') - field);
}

void Put(OutputSink& sink, WStringView text, ColorRef color) { sink.Append(text.data(), text.size(), color, false); }

// ` name="value"`, the name part and the closing quote grey, the value
// (written in one or two pieces) red.
void PutAttribute(OutputSink& sink, WStringView nameAndQuote, WStringView value, WStringView valueEnd = {}) {
    Put(sink, nameAndQuote, kTableAttributeColor);
    Put(sink, value, kTableValueColor);
    if (!valueEnd.empty()) Put(sink, valueEnd, kTableValueColor);
    Put(sink, u"\"", kTableAttributeColor);
}

void PutCell(OutputSink& sink, bool header, bool prefill) {
    if (prefill) {
        Put(sink, header ? u"<th>" : u"<td>", kTableTagColor);
        Put(sink, u"0", kTableContentColor);
        Put(sink, header ? u"</th>\r\n" : u"</td>\r\n", kTableTagColor);
    } else {
        Put(sink, header ? u"<th></th>\r\n" : u"<td></td>\r\n", kTableTagColor);
    }
}

}  // namespace

void GenerateTableHtml(const TableOptions& options, OutputSink& sink) {
    const int32_t flags = options.flags;
    const WStringView collapse = FieldText(options.borderCollapse);
    // Cell spacing means nothing once the borders collapse.
    const bool spacingIgnored = (flags & kTableBorderCollapse) && collapse == u"collapse";

    Put(sink, u"<table", kTableTagColor);
    if (flags & kTableCellpadding) PutAttribute(sink, u" cellpadding=\"", FieldText(options.cellpadding));
    if ((flags & kTableCellspacing) && !spacingIgnored)
        PutAttribute(sink, u" cellspacing=\"", FieldText(options.cellspacing));
    if (flags & kTableBorder) PutAttribute(sink, u" border=\"", FieldText(options.border));
    if (flags & kTableBorderCollapse) PutAttribute(sink, u" border-collapse=\"", collapse);
    if (flags & kTableWidth)
        PutAttribute(sink, u" width=\"", FieldText(options.width), FieldText(options.widthUnit));
    Put(sink, u">\r\n", kTableTagColor);

    const WStringView caption = FieldText(options.caption);
    if (!caption.empty()) {
        Put(sink, u"<caption>", kTableTagColor);
        Put(sink, caption, kTableContentColor);
        Put(sink, u"</caption>\r\n", kTableTagColor);
    }

    Put(sink, u"<tbody>\r\n", kTableTagColor);
    // The dialog lets only 1 to 100 through; other callers get no runaway loop.
    const int32_t rows = std::clamp(options.rows, int32_t{0}, kMaxTableRows);
    const int32_t cols = std::clamp(options.cols, int32_t{0}, kMaxTableCols);
    for (int32_t r = 0; r < rows; ++r) {
        Put(sink, u"<tr>\r\n", kTableTagColor);
        for (int32_t c = 0; c < cols; ++c)
            PutCell(sink, (options.headerRow && r == 0) || (options.headerCol && c == 0), options.prefill != 0);
        Put(sink, u"</tr>\r\n", kTableTagColor);
    }
    Put(sink, u"</tbody>\r\n</table>\r\n", kTableTagColor);
}
