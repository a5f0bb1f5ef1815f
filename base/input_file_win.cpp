#include <windows.h>

#include <cerrno>
#include <cstring>
#include "base/input_file.h"
#include "base/windows_error_win.h"

namespace {

long long ReadFrom(HANDLE file, char* buffer, size_t size) {
    DWORD count = 0;
    const DWORD wanted = size < 0x40000000 ? static_cast<DWORD>(size) : 0x40000000;
    if (ReadFile(file, buffer, wanted, &count, nullptr)) return count;
    // A pipe whose writer has gone is at its end.
    if (GetLastError() == ERROR_BROKEN_PIPE) return 0;
    errno = ErrnoOfWindowsError(GetLastError());
    return -1;
}

class DiskFile final : public SizedInput {
public:
    DiskFile(HANDLE file, uint64_t size) : SizedInput(size), file_(file) {}
    ~DiskFile() override { CloseHandle(file_); }
    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

private:
    long long ReadSome(char* buffer, size_t size) override { return ReadFrom(file_, buffer, size); }
    bool SeekToStart() override {
        LARGE_INTEGER start{};
        if (SetFilePointerEx(file_, start, nullptr, FILE_BEGIN)) return true;
        errno = ErrnoOfWindowsError(GetLastError());
        return false;
    }

    HANDLE file_;
};

}  // namespace

std::unique_ptr<InputSource> OpenInputFile(const std::filesystem::path& path, std::string& error) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = "is a directory";
        return nullptr;
    }
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = DescribeWindowsError(GetLastError());
        return nullptr;
    }
    LARGE_INTEGER size{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart > 0)
        return std::make_unique<DiskFile>(file, static_cast<uint64_t>(size.QuadPart));
    // Pipes and devices cannot be sized in advance.
    std::unique_ptr<InputSource> whole = ReadWhole([file](char* buffer, size_t count) { return ReadFrom(file, buffer, count); });
    if (!whole) error = std::strerror(errno);
    CloseHandle(file);
    return whole;
}
