#include <errno.h>
#include <iconv.h>

#include "config/platform_encoding.h"

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
const size_t kConversionFailed = static_cast<size_t>(-1);

// To little-endian UTF-16 without a mark, assembled unit by unit below so
// that the host's byte order does not matter.
iconv_t OpenConverter(const std::string& from) { return iconv_open("UTF-16LE", from.c_str()); }

void AppendUnits(WString& text, const char* bytes, size_t count) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i + 1 < count; i += 2) text.push_back(static_cast<char16_t>(p[i] | p[i + 1] << 8));
}

// One iconv call into a chunk whose output is appended to text: false when
// the input does not fit (errno tells why), true when it was converted or
// the chunk was full.
bool ConvertStep(iconv_t converter, char** in, size_t* inLeft, WString& text, bool& chunkFull) {
    char chunk[65536];
    char* out = chunk;
    size_t outLeft = sizeof chunk;
    const size_t status = iconv(converter, in, inLeft, &out, &outLeft);
    chunkFull = status == kConversionFailed && errno == E2BIG;
    AppendUnits(text, chunk, sizeof chunk - outLeft);
    return status != kConversionFailed || chunkFull;
}

}  // namespace

std::optional<std::string> FindPlatformEncoding(WStringView name) {
    const std::string narrow = WideToUtf8(name);
    const iconv_t converter = OpenConverter(narrow);
    if (converter == kNoConverter) return std::nullopt;
    iconv_close(converter);
    return narrow;
}

PlatformDecoded DecodeWithPlatform(const std::string& platformName, std::string_view bytes) {
    PlatformDecoded result;
    const iconv_t converter = OpenConverter(platformName);
    if (converter == kNoConverter) return result;
    WString text;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    bool fits = true, chunkFull = false;
    while (fits && inLeft > 0) fits = ConvertStep(converter, &in, &inLeft, text, chunkFull);
    // A stateful encoding may still owe the characters of a pending shift.
    do {
        fits = fits && ConvertStep(converter, nullptr, nullptr, text, chunkFull);
    } while (fits && chunkFull);
    iconv_close(converter);
    if (fits)
        result.text = std::move(text);
    else
        result.failedAt = static_cast<size_t>(in - bytes.data());
    return result;
}
