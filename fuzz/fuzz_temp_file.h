#pragma once
// The parsers under test read files by path: each input is written to one
// file per fuzzing process and handed over by name.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include "config/wide.h"

inline const WString& FuzzFilePath() {
    static const WString path = Utf8ToWide("/tmp/lumatype-fuzz-" + std::to_string(getpid()) + ".txt");
    return path;
}

inline const WString& WriteFuzzFile(const uint8_t* data, size_t size) {
    const std::string native = WideToUtf8(FuzzFilePath());
    FILE* file = std::fopen(native.c_str(), "wb");
    if (file) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return FuzzFilePath();
}
