#include "cli/path_text.h"

#include <cstdio>

namespace {

// The native build's names are bytes, the Windows build's UTF-16 units.
template <typename Unit>
WString TextOf(const std::basic_string<Unit>& name) {
    if constexpr (sizeof(Unit) == 1) return Utf8ToWide(name);
    else return WString(name.begin(), name.end());
}

// Bytes as they stand; UTF-16 as UTF-8, a lone surrogate as U+FFFD.
template <typename Unit>
std::string BytesOf(const std::basic_string<Unit>& name) {
    if constexpr (sizeof(Unit) == 1) return name;
    else return WideToUtf8(TextOf(name));
}

std::string Escaped(unsigned char byte) {
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02X", byte);
    return escape;
}

bool IsControl(long code) { return code < 0x20 || code == 0x7F; }

std::string Shown(const std::string& bytes) {
    std::string shown;
    for (size_t i = 0; i < bytes.size();) {
        const size_t start = i;
        const long code = DecodeUtf8Sequence(bytes, i);
        if (code < 0 || IsControl(code)) shown += Escaped(static_cast<unsigned char>(bytes[start]));
        else shown.append(bytes, start, i - start);
    }
    return shown;
}

}  // namespace

WString PathText(const std::filesystem::path& path) { return TextOf(path.native()); }

std::string ShownPath(const std::filesystem::path& path) { return Shown(BytesOf(path.native())); }
