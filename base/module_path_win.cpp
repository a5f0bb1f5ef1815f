#include <windows.h>

#include "base/module_path.h"

const WString& ProgramDirectory() {
    static const WString directory = [] {
        wchar_t path[kMaxPath];
        DWORD n = GetModuleFileNameW(nullptr, path, kMaxPath);
        // A path cut at the buffer's end is not the program's directory.
        if (n == 0 || n >= kMaxPath) return WString();
        WString p(reinterpret_cast<const char16_t*>(path), n);
        size_t slash = p.rfind(u'\\');
        return slash == WString::npos ? WString() : p.substr(0, slash);
    }();
    return directory;
}
