// The scanner and the HTML writer with arbitrary language definitions, special
// characters, settings and code; either parsed from definition text or with
// raw record fields that need not even be terminated.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstring>
#include "app/helpers.h"
#include "engine/code_table.h"
#include "engine/convert.h"
#include "engine/highlight.h"
#include "engine/special_chars.h"
#include "fuzz_temp_file.h"

namespace {

WString ConsumeWide(FuzzedDataProvider& input, size_t maxUnits) {
    const std::vector<uint8_t> bytes = input.ConsumeBytes<uint8_t>(2 * input.ConsumeIntegralInRange<size_t>(0, maxUnits));
    WString text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    return text;
}

// Small alphabets make comments, strings and escapes meet often.
WString ConsumeCode(FuzzedDataProvider& input) {
    static const char16_t alphabet[] = u" \t\r\n/*\"'\\#<>&;.0123456789abxyz_\u4E2D\u3000\U0001F600";
    const std::string raw = input.ConsumeRandomLengthString(4096);
    WString code;
    for (unsigned char c : raw) code += c < 128 ? alphabet[c % (sizeof alphabet / 2 - 1)] : static_cast<char16_t>(c * 251);
    return code;
}

void FillRecord(FuzzedDataProvider& input, LanguageInfo& record) {
    if (input.ConsumeBool()) {
        const std::string definition = input.ConsumeRandomLengthString(2048);
        CopyToField(record.filePath, WriteFuzzFile(reinterpret_cast<const uint8_t*>(definition.data()), definition.size()));
        ParseLanguageFile(&record);
        return;
    }
    // Raw fields, terminated or not.
    auto fill = [&](char16_t* field, size_t units) {
        const WString value = ConsumeWide(input, units);
        std::memcpy(field, value.data(), value.size() * sizeof(char16_t));
    };
    record.escapeChar = input.ConsumeIntegral<char16_t>();
    for (auto& opener : record.lineComments) fill(opener, 8);
    fill(record.blockCommentOn, 8);
    fill(record.blockCommentOff, 8);
    fill(record.stringChars, 32);
    fill(record.delimiters, 96);
    fill(record.seperators, 96);
    record.lineCommentCount = input.ConsumeIntegralInRange<int32_t>(-2, 6);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    LanguageInfo record{};
    FillRecord(input, record);

    const int32_t tab = input.ConsumeBool() ? 2 : 4;
    SpecialChars* specials = nullptr;
    if (input.ConsumeBool()) {
        const int32_t items = input.ConsumeIntegralInRange<int32_t>(0, 6);
        specials = CreateSpecialChars(items, tab);
        for (int32_t i = 0; specials && i < items; ++i) SetSpecialCharItem(specials->rows[i], ConsumeWide(input, 60));
    }
    AppSettings settings{};
    settings.tabToSpaces = input.ConsumeBool() ? 2 : 4;
    settings.specialChars = specials;
    CopyToField(settings.borderSize, u"2px");
    ColorTheme theme{};
    for (ThemeColor& colour : theme.colors) {
        const WString html = ConsumeWide(input, 32);  // may fill the field without a terminator
        std::memcpy(colour.html, html.data(), html.size() * sizeof(char16_t));
        colour.color = input.ConsumeIntegral<uint32_t>();
    }
    const bool lineNumbers = input.ConsumeBool();
    const int32_t lineCount = input.ConsumeIntegralInRange<int32_t>(-1, 40);
    const bool direct = input.ConsumeBool();
    const WString code = ConsumeCode(input);

    StringSink sink;
    if (direct) {
        // A line count that need not match the text.
        const WString text = u'\0' + code;
        const EscapeTable escapes(specials, settings.tabToSpaces);
        Emitter emitter(sink, theme, settings.tabToSpaces, escapes);
        WriteCodeTable(emitter, u"2px", lineNumbers, record, text.c_str() + 1, 1, lineCount);
    } else {
        ConvertCode(settings, theme, &record, code, lineNumbers, u"7", sink);
    }
    FreeSpecialChars(specials);
    MEM_Free(record.keywords);
    return 0;
}
