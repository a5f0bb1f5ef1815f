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

WString AnsiToWide(std::string_view bytes) {
    bool ascii = true;
    for (unsigned char c : bytes)
        if (c >= 0x80) { ascii = false; break; }
    if (ascii) return WString(bytes.begin(), bytes.end());
    if (IsValidUtf8(bytes)) return Utf8ToWide(bytes);
    return GbkToWide(bytes);
}

AnsiFileEncoding DetectAnsiFileEncoding(std::string_view wholeFile) {
    return IsValidUtf8(wholeFile) ? AnsiFileEncoding::Utf8 : AnsiFileEncoding::Gbk;
}

WString AnsiFileLineToWide(std::string_view line, AnsiFileEncoding encoding) {
    switch (encoding) {
    case AnsiFileEncoding::Utf8: return Utf8ToWide(line);
    case AnsiFileEncoding::Gbk: return GbkToWide(line);
    case AnsiFileEncoding::SystemCodePage: break;
    }
    return AnsiToWide(line);
}
