#include "config/ansi_text.h"

#include "config/code_pages.h"

// A byte that begins no GBK character becomes U+FFFD and decoding resumes
// after it, so no input is ever dropped silently.
static WString GbkToWide(std::string_view bytes) {
    WString out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const long unit = DecodeGbkCharacter(bytes, i);
        out.push_back(unit < 0 ? u'\xFFFD' : static_cast<char16_t>(unit));
    }
    return out;
}

AnsiFileEncoding DetectAnsiFileEncoding(std::string_view wholeFile) {
    return IsValidUtf8(wholeFile) ? AnsiFileEncoding::Utf8 : AnsiFileEncoding::Gbk;
}

// Without a system code page, GBK stands for it: code page 936 is what the
// program's users write their files in.
WString AnsiFileLineToWide(std::string_view line, AnsiFileEncoding encoding) {
    return encoding == AnsiFileEncoding::Utf8 ? Utf8ToWide(line) : GbkToWide(line);
}

WString AnsiToWide(std::string_view bytes) { return AnsiFileLineToWide(bytes, DetectAnsiFileEncoding(bytes)); }
