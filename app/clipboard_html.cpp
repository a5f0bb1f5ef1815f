#include "app/clipboard_html.h"

#include <string_view>

namespace {

constexpr std::string_view kDocumentStart = "<html><body><!--StartFragment-->";
constexpr std::string_view kDocumentEnd = "<!--EndFragment--></body></html>";
constexpr size_t kOffsetDigits = 10;
constexpr std::string_view kOffsetNames[] = {"StartHTML:", "EndHTML:", "StartFragment:", "EndFragment:"};
constexpr std::string_view kVersionLine = "Version:0.9\r\n";

// Fixed, because every offset is written with the same number of digits.
constexpr size_t HeaderLength() {
    size_t length = kVersionLine.size();
    for (std::string_view name : kOffsetNames) length += name.size() + kOffsetDigits + 2;
    return length;
}

void AppendOffsetLine(std::string& out, std::string_view name, size_t offset) {
    out += name;
    char digits[kOffsetDigits];
    for (size_t i = kOffsetDigits; i-- > 0; offset /= 10) digits[i] = static_cast<char>('0' + offset % 10);
    out.append(digits, kOffsetDigits);
    out += "\r\n";
}

}  // namespace

std::string ClipboardHtml(WStringView fragment) {
    const std::string utf8 = WideToUtf8(fragment);
    const size_t startHtml = HeaderLength();
    const size_t startFragment = startHtml + kDocumentStart.size();
    const size_t endFragment = startFragment + utf8.size();
    const size_t endHtml = endFragment + kDocumentEnd.size();

    std::string document;
    document.reserve(endHtml);
    document += kVersionLine;
    const size_t offsets[] = {startHtml, endHtml, startFragment, endFragment};
    for (size_t i = 0; i < 4; ++i) AppendOffsetLine(document, kOffsetNames[i], offsets[i]);
    document += kDocumentStart;
    document += utf8;
    document += kDocumentEnd;
    return document;
}
