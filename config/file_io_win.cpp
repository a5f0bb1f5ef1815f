#include <windows.h>

#include "config/file_io.h"

FILE* OpenFile(WStringView path, const char* mode) {
    std::wstring wpath(path.begin(), path.end());
    std::wstring wmode(mode, mode + strlen(mode));
    return _wfopen(wpath.c_str(), wmode.c_str());
}

WString AnsiToWide(std::string_view bytes) {
    if (bytes.empty()) return WString();
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return WString();
    WString out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

AnsiFileEncoding DetectAnsiFileEncoding(std::string_view) { return AnsiFileEncoding::SystemCodePage; }

WString AnsiFileLineToWide(std::string_view line, AnsiFileEncoding) {
    if (line.empty()) return WString();
    int size = static_cast<int>(line.size());
    int n = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, line.data(), size, nullptr, 0);
    if (n <= 0) return WString();
    WString out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, line.data(), size, reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}
