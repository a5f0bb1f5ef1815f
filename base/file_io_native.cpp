#include "base/file_io.h"

FILE* OpenFile(WStringView path, const char* mode) {
    std::string native = WideToUtf8(path);
    for (char& c : native)
        if (c == '\\') c = '/';
    return fopen(native.c_str(), mode);
}
