#include "base/file_io.h"

std::optional<std::string> ReadFileBytes(WStringView path) {
    FILE* f = OpenFile(path, "rb");
    if (!f) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    bool failed = ferror(f) != 0;
    fclose(f);
    if (failed) return std::nullopt;
    return bytes;
}

bool WriteFileBytes(WStringView path, const std::string& bytes) {
    FILE* f = OpenFile(path, "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (fclose(f) == 0) && ok;
    return ok;
}
