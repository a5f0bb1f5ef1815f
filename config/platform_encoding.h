#pragma once
// Encodings that only the platform's converter knows: iconv natively, and
// MultiByteToWideChar with a code page on Windows.
#include <optional>
#include <string>
#include <string_view>
#include "base/wide.h"

// The form of `name` the converter takes (natively the name itself; on
// Windows a code page number, from a number or a usual name such as
// "shift_jis"); empty when the platform does not know it.
std::optional<std::string> FindPlatformEncoding(WStringView name);

struct PlatformDecoded {
    std::optional<WString> text;  // empty when the bytes do not fit
    size_t failedAt = 0;          // then: offset of the first byte that does not fit
};
PlatformDecoded DecodeWithPlatform(const std::string& platformName, std::string_view bytes);
