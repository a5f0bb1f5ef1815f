#pragma once
// The parsers under test read files by path: each input is written to one
// file per fuzzing process and handed over by name.
#include <cstdint>
#include <string>
#include <unistd.h>
#include "base/file_io.h"

inline const WString& FuzzFilePath() {
    static const WString path = Utf8ToWide("/tmp/lumatype-fuzz-" + std::to_string(getpid()) + ".txt");
    return path;
}

inline const WString& WriteFuzzFile(const uint8_t* data, size_t size) {
    WriteFileBytes(FuzzFilePath(), std::string(reinterpret_cast<const char*>(data), size));
    return FuzzFilePath();
}
