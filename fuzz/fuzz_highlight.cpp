// The scanner and the HTML writer with arbitrary language definitions, special
// characters, settings and code; either parsed from definition text or with
// raw record fields that need not even be terminated. Where the theme and the
// special characters write no "<br/>" of their own, every conversion must have
// one "<br/>" fewer in its code cell (and in its number column) than lines,
// every colour being set, close each coloured run it opens, in either
// markup, and settings of any text never end the div's style or the border
// row's attributes.
#include <fuzzer/FuzzedDataProvider.h>
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include "base/memory.h"
#include "engine/code_table.h"
#include "engine/convert.h"
#include "engine/highlight.h"
#include "engine/special_chars.h"

namespace {

WString ConsumeWide(FuzzedDataProvider& input, size_t maxUnits) {
    const std::vector<uint8_t> bytes = input.ConsumeBytes<uint8_t>(2 * input.ConsumeIntegralInRange<size_t>(0, maxUnits));
    WString text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    return text;
}

// Small alphabets make comments, strings and escapes meet often: code and,
// for units without their top bit, raw markers come from this one.
const char16_t kAlphabet[] = u" \t\r\n/*\"'\\#<>&;.0123456789abxyz_~=[]()-`:\u4E2D\u3000\U0001F600";
constexpr size_t kAlphabetSize = sizeof kAlphabet / sizeof kAlphabet[0] - 1;

WString ConsumeCode(FuzzedDataProvider& input) {
    const std::string raw = input.ConsumeRandomLengthString(4096);
    WString code;
    for (unsigned char c : raw) code += c < 128 ? kAlphabet[c % kAlphabetSize] : static_cast<char16_t>(c * 251);
    return code;
}

char16_t MarkerUnit(char16_t raw) { return raw & 0x8000 ? raw : kAlphabet[raw % kAlphabetSize]; }

// Lines of the optional keys with markers from the alphabet: every key,
// tags up to past their longest, options in any order.
std::string ConstructKeys(FuzzedDataProvider& input) {
    static const char* const kKeys[] = {"LongString=", "LongComment=", "TaggedString=", "TaggedComment=",
                                        "Heredoc=",    "AnchoredComment=", "NestedComments=", "DirectiveChar=",
                                        "RegexLiterals=", "Keys=", "Markup="};
    static const char* const kOptions[] = {" escapes", " linestart", " nested", " blank", " indented",
                                           " prefix=ab", " words", " return", " code=${",
                                           " brackets"};
    std::string lines;
    const int count = input.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < count; ++i) {
        lines += input.PickValueInArray(kKeys);
        lines += std::to_string(input.ConsumeIntegralInRange(0, 4));
        for (int word = input.ConsumeIntegralInRange(0, 3); word > 0; --word) {
            lines += ' ';
            for (int length = input.ConsumeIntegralInRange(1, 40); length > 0; --length)
                lines += static_cast<char>(kAlphabet[input.ConsumeIntegralInRange<size_t>(4, 39)]);
        }
        for (int option = input.ConsumeIntegralInRange(0, 2); option > 0; --option)
            lines += input.PickValueInArray(kOptions);
        lines += '\n';
    }
    return lines;
}

// Raw rules, as far as a definition file can give them: the reader refuses a
// marker holding a line break (the language target checks it), which would
// swallow that break.
void FillRules(FuzzedDataProvider& input, LanguageRules& rules, const std::function<void(char16_t*, size_t)>& anyFill) {
    const auto fill = [&anyFill](char16_t* field, size_t units) {
        anyFill(field, units);
        std::replace_if(field, field + units, [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    };
    rules.ruleCount = input.ConsumeIntegralInRange<int32_t>(-2, kMaxRegionRules + 2);
    for (RegionRule& rule : rules.rules) {
        rule.kind = static_cast<RegionKind>(input.ConsumeIntegralInRange(0, 6));
        rule.stringClass = input.ConsumeIntegral<uint8_t>();
        rule.options = input.ConsumeIntegral<uint8_t>();
        fill(rule.opener, kRegionMarkerUnits);
        fill(rule.closer, kRegionMarkerUnits);
        fill(rule.letters, kRegionMarkerUnits);
    }
    rules.nestedComments = input.ConsumeBool();
    rules.directiveChar = MarkerUnit(input.ConsumeIntegral<char16_t>());
    rules.regexLiterals = input.ConsumeBool();
    rules.regexClass = input.ConsumeIntegral<int32_t>();
    fill(rules.regexKeywords, kRegexKeywordUnits);
    rules.keys = static_cast<KeyKind>(input.ConsumeIntegralInRange(0, 2));
    rules.keyClass = input.ConsumeIntegral<int32_t>();
    rules.markup = input.ConsumeBool();
    rules.tagBrackets = input.ConsumeBool();
    rules.tagClass = input.ConsumeIntegral<int32_t>();
    rules.attributeClass = input.ConsumeIntegral<int32_t>();
}

void FillRecord(FuzzedDataProvider& input, LanguageInfo& record) {
    if (input.ConsumeBool()) {
        const std::string keys = ConstructKeys(input);
        // Sometimes a nesting comment whose opener the code may repeat past
        // the depth the scanner counts.
        const std::string nesting =
            input.ConsumeBool() ? "BlockCommentOn=[(\nBlockCommentOff=)]\nNestedComments=1\n" : "";
        const std::string definition =
            "[LanguageInfo]\n" + nesting + keys + input.ConsumeRandomLengthString(2048);
        ParseLanguageText(&record, definition);
        return;
    }
    // Raw fields, terminated or not.
    const std::function<void(char16_t*, size_t)> fill = [&](char16_t* field, size_t units) {
        WString value = ConsumeWide(input, units);
        for (char16_t& unit : value) unit = MarkerUnit(unit);
        std::memcpy(field, value.data(), value.size() * sizeof(char16_t));
    };
    record.escapeChar = MarkerUnit(input.ConsumeIntegral<char16_t>());
    for (auto& opener : record.lineComments) fill(opener, 8);
    fill(record.blockCommentOn, 8);
    fill(record.blockCommentOff, 8);
    fill(record.stringChars, 32);
    fill(record.delimiters, 96);
    fill(record.seperators, 96);
    record.lineCommentCount = input.ConsumeIntegralInRange<int32_t>(-2, 6);
    if (input.ConsumeBool()) FillRules(input, record.rules, fill);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    LanguageInfo record{};
    FillRecord(input, record);

    const int32_t tab = input.ConsumeBool() ? 2 : 4;
    // Lines are checked with a plain theme and no special characters.
    const bool checkLines = input.ConsumeBool();
    SpecialChars* specials = nullptr;
    if (!checkLines && input.ConsumeBool()) {
        const int32_t items = input.ConsumeIntegralInRange<int32_t>(0, 6);
        specials = CreateSpecialChars(items, tab);
        for (int32_t i = 0; specials && i < items; ++i) SetSpecialCharItem(specials->rows[i], ConsumeWide(input, 60));
    }
    AppSettings settings{};
    settings.tabToSpaces = input.ConsumeBool() ? 2 : 4;
    settings.tabStops = input.ConsumeBool();
    settings.specialChars = specials;
    settings.markup = input.ConsumeBool() ? HtmlMarkup::FontTags : HtmlMarkup::InlineStyles;
    settings.noWrap = input.ConsumeBool();
    for (auto* field : {settings.fontFamily, settings.fontSize, settings.borderSize}) {
        WString text = ConsumeWide(input, 20);
        for (char16_t& unit : text) unit = MarkerUnit(unit);
        CopyToField(field, 16, text);
    }
    ColorTheme theme{};
    for (ThemeColor& colour : theme.colors) {
        const WString html = checkLines ? u"#123456" : ConsumeWide(input, 32);  // may fill the field unterminated
        std::memcpy(colour.html, html.data(), html.size() * sizeof(char16_t));
        colour.color = input.ConsumeIntegral<uint32_t>();
    }
    const bool lineNumbers = input.ConsumeBool();
    const int32_t lineCount = input.ConsumeIntegralInRange<int32_t>(-1, 40);
    const bool direct = input.ConsumeBool();
    WString code;
    for (int deep = input.ConsumeBool() ? kMaxNesting + 2 : 0; deep > 0; --deep) code += u"[(";
    code += ConsumeCode(input);

    StringSink sink;
    if (direct) {
        // A line count that need not match the text.
        const WString text = u'\0' + code;
        const EscapeTable escapes(specials, settings.tabToSpaces, settings.tabStops);
        Emitter emitter(sink, theme, settings.tabToSpaces, escapes, DefaultEngineAllocator(), settings.markup);
        WriteCodeTable(emitter, TableLook{u"2px", u"", u"mono", settings.noWrap}, lineNumbers, record, text.c_str() + 1, 1, lineCount);
    } else if (ConvertCode(settings, theme, &record, code, lineNumbers, u"7", sink) == ConvertResult::Converted) {
        const WStringView html = sink.View();
        const WStringView div = html.substr(0, html.find(u'>') + 1);
        const size_t quotes = std::count(div.begin(), div.end(), u'"');
        if (html.substr(div.size(), 6) != u"<table" || (quotes != 0 && quotes != 2)) __builtin_trap();
        if (checkLines) {
            // The top border row's three attributes hold six quotes.
            const size_t row = html.find(u"<tbody>\r\n") + 9;
            const WStringView border = html.substr(row, html.find(u"</td></tr>", row) - row);
            if (std::count(border.begin(), border.end(), u'"') != 6) __builtin_trap();
            // The code has no 'r', 'f' or 's', so every "<br/>", "<font" and
            // "<span" is the converter's.
            const int32_t lines = CodeLineCount(WStringView(code).substr(0, code.find(u'\0')));
            const auto count = [html](WStringView markup) {
                size_t found = 0;
                for (size_t at = html.find(markup); at != WStringView::npos; at = html.find(markup, at + 1)) ++found;
                return found;
            };
            if (count(u"<br/>") != (lineNumbers ? 2u : 1u) * static_cast<size_t>(std::max(lines - 1, 0)))
                __builtin_trap();
            if (count(u"<font") != count(u"</font>") || count(u"<span") != count(u"</span>")) __builtin_trap();
        }
    }
    FreeSpecialChars(specials);
    MEM_Free(record.keywords);
    return 0;
}
