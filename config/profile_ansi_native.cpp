#include <iconv.h>

#include "config/profile_ansi.h"

// One character at a time so that a character GBK lacks costs only itself.
static std::string WideToGbk(WStringView text) {
    std::string out;
    iconv_t cd = iconv_open("GBK", "UTF-16LE");
    for (size_t i = 0; i < text.size(); ++i) {
        size_t units = (IsHighSurrogate(text[i]) && i + 1 < text.size()) ? 2 : 1;
        if (text[i] < 0x80 || cd == reinterpret_cast<iconv_t>(-1)) {
            out.push_back(text[i] < 0x80 ? char(text[i]) : '?');
            continue;
        }
        char in[4];
        for (size_t k = 0; k < units; ++k) {
            in[2 * k] = char(text[i + k] & 0xFF);
            in[2 * k + 1] = char(text[i + k] >> 8);
        }
        char encoded[8];
        char* inPtr = in;
        char* outPtr = encoded;
        size_t inLeft = 2 * units, outLeft = sizeof encoded;
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
            out.push_back('?');
        else
            out.append(encoded, sizeof encoded - outLeft);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        i += units - 1;
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return out;
}

std::string WideToProfileAnsi(WStringView text, std::string_view fileBytes) {
    return IsValidUtf8(fileBytes) ? WideToUtf8(text) : WideToGbk(text);
}
