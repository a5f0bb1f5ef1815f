#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>

#include "base/windows_error_win.h"
#include "cli/output_file.h"

namespace fs = std::filesystem;

namespace {

constexpr unsigned kMaxAttempts = 1000;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string LastError() { return DescribeWindowsError(GetLastError()); }

// Marks the file to be deleted when its last handle closes, which a killed
// process closes too; cleared once the file is complete.
bool SetDeleteOnClose(HANDLE file, bool deleteOnClose) {
    FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(deleteOnClose)};
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

}  // namespace

struct OutputFile::Platform {
    fs::path resolved;   // the file the target resolves to
    fs::path temporary;  // beside it, while it exists
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool exists = false, direct = false, keepLinks = false;

    // What the target is: nothing yet, a disk file (its final path after
    // links) or something else, such as a device.
    bool Inspect(const fs::path& target, std::string& error);
    HANDLE CreateTemporary(std::string& error);
    bool CopyIntoTarget(std::string& error) const;
    bool Replace(std::string& error) const;
};

bool OutputFile::Platform::Inspect(const fs::path& target, std::string& error) {
    resolved = target;
    const HANDLE file = CreateFileW(target.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD reason = GetLastError();
        if (reason == ERROR_FILE_NOT_FOUND) return true;
        error = DescribeWindowsError(reason);
        return false;
    }
    exists = true;
    BY_HANDLE_FILE_INFORMATION information{};
    direct = GetFileType(file) != FILE_TYPE_DISK;
    bool known = direct || GetFileInformationByHandle(file, &information);
    if (known && !direct) {
        std::wstring path(32768, L'\0');
        const DWORD length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), 0);
        known = length > 0 && length < path.size();
        if (known) resolved = path.substr(0, length);
    }
    if (!known) error = LastError();
    CloseHandle(file);
    if (known && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = "is a directory";
        return false;
    }
    // The file is replaced by a new one, which its folder allows; its own
    // read-only attribute says whether the user may change it.
    if (known && (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) {
        error = DescribeWindowsError(ERROR_ACCESS_DENIED);
        return false;
    }
    keepLinks = information.nNumberOfLinks > 1;
    return known;
}

HANDLE OutputFile::Platform::CreateTemporary(std::string& error) {
    for (unsigned attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const fs::path candidate = TemporaryPath(resolved, _getpid(), attempt);
        const HANDLE file = CreateFileW(candidate.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            temporary = candidate;
            SetDeleteOnClose(file, true);  // where the system cannot, the destructor deletes it
            return file;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    error = LastError();
    return INVALID_HANDLE_VALUE;
}

// A file with several names is written in place, so all of them see the output.
bool OutputFile::Platform::CopyIntoTarget(std::string& error) const {
    const HANDLE target = CreateFileW(resolved.c_str(), GENERIC_WRITE, kShareAll, nullptr, TRUNCATE_EXISTING, 0, nullptr);
    LARGE_INTEGER start{};
    bool copied = target != INVALID_HANDLE_VALUE && SetFilePointerEx(handle, start, nullptr, FILE_BEGIN);
    char chunk[1 << 16];
    for (DWORD count = 1; copied && count > 0;) {
        DWORD written = 0;
        copied = ReadFile(handle, chunk, sizeof chunk, &count, nullptr) &&
                 (count == 0 || (WriteFile(target, chunk, count, &written, nullptr) && written == count));
    }
    if (!copied) error = LastError();
    if (target != INVALID_HANDLE_VALUE) CloseHandle(target);
    return copied;
}

bool OutputFile::Platform::Replace(std::string& error) const {
    // ReplaceFileW keeps the replaced file's attributes and security.
    if (exists && ReplaceFileW(resolved.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                               nullptr))
        return true;
    if ((!exists || GetLastError() == ERROR_FILE_NOT_FOUND) &&
        MoveFileExW(temporary.c_str(), resolved.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = LastError();
    return false;
}

OutputFile::OutputFile(std::unique_ptr<Platform> platform, FILE* stream)
    : platform_(std::move(platform)), stream_(stream) {}

std::unique_ptr<OutputFile> OutputFile::Open(const fs::path& target, std::string& error) {
    auto platform = std::make_unique<Platform>();
    if (!platform->Inspect(target, error)) return nullptr;
    HANDLE file = platform->direct ? CreateFileW(platform->resolved.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                                 OPEN_EXISTING, 0, nullptr)
                                   : platform->CreateTemporary(error);
    if (file == INVALID_HANDLE_VALUE) {
        if (platform->direct) error = LastError();
        return nullptr;
    }
    platform->handle = file;
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    FILE* stream = descriptor >= 0 ? _fdopen(descriptor, "wb") : nullptr;
    if (!stream) {
        error = "cannot open a stream";
        if (descriptor >= 0) _close(descriptor);
        else CloseHandle(file);
        if (!platform->temporary.empty()) DeleteFileW(platform->temporary.c_str());
        return nullptr;
    }
    return std::unique_ptr<OutputFile>(new OutputFile(std::move(platform), stream));
}

bool OutputFile::Commit(std::string& error) {
    Platform& p = *platform_;
    bool done = std::fflush(stream_) == 0;
    if (!done) error = LastError();
    if (done && !p.direct) {
        done = SetDeleteOnClose(p.handle, false);
        if (!done) error = LastError();
    }
    if (done && p.keepLinks) done = p.CopyIntoTarget(error);
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (done && !closed) error = "cannot close the file";
    done = done && closed;
    if (done && !p.direct && !p.keepLinks) done = p.Replace(error);
    if (!p.temporary.empty() && (!done || p.keepLinks)) DeleteFileW(p.temporary.c_str());
    p.temporary.clear();
    return done;
}

OutputFile::~OutputFile() {
    if (stream_) std::fclose(stream_);
    if (!platform_->temporary.empty()) DeleteFileW(platform_->temporary.c_str());
}

bool IsTerminal(FILE* stream) { return _isatty(_fileno(stream)) != 0; }
