#include <iconv.h>

#include "config/file_io.h"

FILE* OpenFile(WStringView path, const char* mode) {
    std::string native = WideToUtf8(path);
    for (char& c : native)
        if (c == '\\') c = '/';
    return fopen(native.c_str(), mode);
}

// GBK through iconv; a byte iconv cannot place becomes U+FFFD and decoding
// resumes after it, so no input is ever dropped silently.
static WString GbkToWide(std::string_view bytes) {
    WString out;
    iconv_t cd = iconv_open("UTF-16LE", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        for (unsigned char c : bytes) out.push_back(c < 0x80 ? c : 0xFFFD);
        return out;
    }
    std::string buffer(bytes.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        size_t outLeft = buffer.size();
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        size_t produced = buffer.size() - outLeft;
        for (size_t i = 0; i + 1 < produced; i += 2)
            out.push_back(char16_t(static_cast<unsigned char>(buffer[i]) |
                                   (static_cast<unsigned char>(buffer[i + 1]) << 8)));
        if (r == static_cast<size_t>(-1) && inLeft > 0) {
            out.push_back(0xFFFD);
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
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
