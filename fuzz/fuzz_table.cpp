// The table generator with any options and field texts, terminated or
// filling their fields: never bold, each field's text (up to its NUL, never
// past its field) in the value colour where its flag asks for it, the caption
// and the prefilled characters in the content colour, and in the tag colour
// exactly one row per row and one cell per column, header cells where the
// header flags put them.
#include <fuzzer/FuzzedDataProvider.h>
#include <algorithm>
#include <cstring>
#include <vector>
#include "table/table_html.h"

namespace {

// The HTML's text by display colour, as the pane would show it.
class ColourSink final : public OutputSink {
public:
    void Append(const char16_t* text, size_t length, ColorRef color, bool bold) override {
        WString* part = color == kTableValueColor     ? &values
                      : color == kTableContentColor   ? &content
                      : color == kTableTagColor       ? &tags
                      : color == kTableAttributeColor ? &attributes
                                                      : nullptr;
        if (bold || !part) __builtin_trap();
        part->append(text, length);
    }
    WString values, content, tags, attributes;
};

template <size_t N>
void Fill(FuzzedDataProvider& input, char16_t (&field)[N]) {
    static const char16_t kUnits[] = u"0 1%<>\"&\r\n\u4E2Dpx";
    std::fill(field, field + N, u'\0');
    const size_t length = input.ConsumeIntegralInRange<size_t>(0, N);  // N: no NUL at all
    for (size_t i = 0; i < length; ++i) field[i] = kUnits[input.ConsumeIntegral<uint8_t>() % (std::size(kUnits) - 1)];
}

template <size_t N>
WString FieldText(const char16_t (&field)[N]) {
    return WString(field, std::find(field, field + N, u'\0'));
}

size_t Count(WStringView text, WStringView what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != WStringView::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    TableOptions options;
    options.flags = input.ConsumeIntegral<int32_t>();
    // Mostly small tables, which are quick; sometimes any count, which the
    // generator must keep to its limits.
    auto count = [&input] {
        return input.ConsumeIntegralInRange(0, 15) ? input.ConsumeIntegralInRange<int32_t>(-2, 12)
                                                  : input.ConsumeIntegral<int32_t>();
    };
    options.rows = count();
    options.cols = count();
    options.headerRow = input.ConsumeIntegralInRange<int32_t>(0, 1);
    options.headerCol = input.ConsumeIntegralInRange<int32_t>(0, 1);
    options.prefill = input.ConsumeIntegralInRange<int32_t>(-1, 1);
    Fill(input, options.caption);
    Fill(input, options.cellpadding);
    Fill(input, options.cellspacing);
    Fill(input, options.border);
    if (input.ConsumeBool()) CopyToField(options.borderCollapse, u"collapse");
    else Fill(input, options.borderCollapse);
    Fill(input, options.width);
    Fill(input, options.widthUnit);

    ColourSink sink;
    GenerateTableHtml(options, sink);

    const int32_t flags = options.flags;
    const WString collapse = FieldText(options.borderCollapse);
    std::vector<WString> values;
    if (flags & kTableCellpadding) values.push_back(FieldText(options.cellpadding));
    if ((flags & kTableCellspacing) && !((flags & kTableBorderCollapse) && collapse == u"collapse"))
        values.push_back(FieldText(options.cellspacing));
    if (flags & kTableBorder) values.push_back(FieldText(options.border));
    if (flags & kTableBorderCollapse) values.push_back(collapse);
    if (flags & kTableWidth) values.push_back(FieldText(options.width) + FieldText(options.widthUnit));
    const int32_t rows = std::clamp(options.rows, 0, kMaxTableRows), cols = std::clamp(options.cols, 0, kMaxTableCols);
    const WString caption = FieldText(options.caption);
    const size_t cells = static_cast<size_t>(rows) * static_cast<size_t>(cols);
    const size_t headerCells = !(options.headerRow || options.headerCol) || cells == 0 ? 0
                             : options.headerRow && options.headerCol ? static_cast<size_t>(rows + cols - 1)
                             : options.headerRow ? static_cast<size_t>(cols) : static_cast<size_t>(rows);

    WString expectedValues;
    for (const WString& value : values) expectedValues += value;
    const WString expectedContent = caption + WString(options.prefill ? cells : 0, u'0');
    if (sink.values != expectedValues || sink.content != expectedContent) __builtin_trap();
    if (Count(sink.tags, u"<tr>\r\n") != static_cast<size_t>(rows) || Count(sink.tags, u"</tr>\r\n") != static_cast<size_t>(rows) ||
        Count(sink.tags, u"</th>\r\n") != headerCells || Count(sink.tags, u"</td>\r\n") != cells - headerCells ||
        Count(sink.tags, u"<caption>") != (caption.empty() ? 0u : 1u))
        __builtin_trap();
    return 0;
}
