#include <windows.h>

#include "config/ansi_text.h"

// The system ANSI code page through the platform's conversion.
static WString CodePageToWide(std::string_view bytes, DWORD flags) {
    if (bytes.empty()) return WString();
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(CP_ACP, flags, bytes.data(), size, nullptr, 0);
    if (n <= 0) return WString();
    WString out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, flags, bytes.data(), size, reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

WString AnsiToWide(std::string_view bytes) { return CodePageToWide(bytes, 0); }

AnsiFileEncoding DetectAnsiFileEncoding(std::string_view) { return AnsiFileEncoding::SystemCodePage; }

WString AnsiFileLineToWide(std::string_view line, AnsiFileEncoding) { return CodePageToWide(line, MB_PRECOMPOSED); }
