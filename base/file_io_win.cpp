#include <windows.h>

#include "base/file_io.h"

FILE* OpenFile(WStringView path, const char* mode) {
    std::wstring wpath(path.begin(), path.end());
    std::wstring wmode(mode, mode + strlen(mode));
    return _wfopen(wpath.c_str(), wmode.c_str());
}
