// The clipboard's "HTML Format" block for any UTF-16 text, lone surrogates
// included: read as a reader of the format reads it, the header's offsets
// frame the document and exactly the fragment, which is the text in UTF-8
// with each lone surrogate as U+FFFD.
#include <string>
#include <string_view>

#include "app/clipboard_html.h"

namespace {

// The offset the header line "name:0000000123" gives; npos when there is
// none or its digits are not ten.
size_t HeaderOffset(std::string_view document, std::string_view name) {
    const size_t header = document.find("<html>");
    const size_t at = document.substr(0, header).find("\r\n" + std::string(name) + ":");
    if (at == std::string_view::npos) return std::string_view::npos;
    const size_t digits = at + 2 + name.size() + 1;
    size_t offset = 0;
    for (size_t i = digits; i < digits + 10; ++i) {
        if (i >= document.size() || document[i] < '0' || document[i] > '9') return std::string_view::npos;
        offset = offset * 10 + static_cast<size_t>(document[i] - '0');
    }
    return document.substr(digits + 10, 2) == "\r\n" ? offset : std::string_view::npos;
}

bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The text as it reads back from UTF-8: lone surrogates became U+FFFD.
WString Paired(WStringView text) {
    WString paired(text);
    for (size_t i = 0; i < paired.size(); ++i) {
        if (IsHigh(paired[i]) && i + 1 < paired.size() && IsLow(paired[i + 1]))
            ++i;
        else if (IsHigh(paired[i]) || IsLow(paired[i]))
            paired[i] = 0xFFFD;
    }
    return paired;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WString text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    const std::string document = ClipboardHtml(text);
    if (document.rfind("Version:0.9\r\n", 0) != 0) __builtin_trap();
    const size_t startHtml = HeaderOffset(document, "StartHTML"), endHtml = HeaderOffset(document, "EndHTML");
    const size_t start = HeaderOffset(document, "StartFragment"), end = HeaderOffset(document, "EndFragment");
    if (startHtml == std::string::npos || endHtml != document.size() || start == std::string::npos ||
        end == std::string::npos || !(startHtml <= start && start <= end && end <= endHtml))
        __builtin_trap();
    if (document.compare(startHtml, 12, "<html><body>") != 0 || start < 20 ||
        document.compare(start - 20, 20, "<!--StartFragment-->") != 0 ||
        document.compare(end, std::string::npos, "<!--EndFragment--></body></html>") != 0)
        __builtin_trap();
    const std::string_view fragment = std::string_view(document).substr(start, end - start);
    if (!IsValidUtf8(fragment) || Utf8ToWide(fragment) != Paired(text)) __builtin_trap();
    return 0;
}
