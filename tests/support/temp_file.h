#pragma once
// Files and folders in the system temp directory that a test owns for its
// lifetime. Names carry the process id and a serial number, so parallel test
// processes (native, ASan and Wine runs alike) never share a file.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include "base/wide.h"
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

// stem + "_" + process id + "_" + serial + extension, unique while the process runs.
inline std::string UniqueFileName(const std::string& stem, const std::string& extension) {
    static std::atomic<unsigned> serial{0};
#ifdef _WIN32
    const long processId = _getpid();
#else
    const long processId = getpid();
#endif
    return stem + "_" + std::to_string(processId) + "_" + std::to_string(serial++) + extension;
}

// Throws, so a fixture that cannot write its input fails instead of testing nothing.
inline void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw std::runtime_error("cannot write test file " + path.u8string());
}

class TempFile {
public:
    // A name only: the file does not exist until something writes it.
    TempFile(const std::string& stem, const std::string& extension)
        : path_(std::filesystem::temp_directory_path() / UniqueFileName(stem, extension)),
          widePath_(path_.u16string()) {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);  // left behind by a crashed run with the same pid
    }
    TempFile(const std::string& stem, const std::string& extension, const std::string& bytes)
        : TempFile(stem, extension) {
        WriteWholeFile(path_, bytes);
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const WString& Path() const { return widePath_; }
    const std::filesystem::path& FilesystemPath() const { return path_; }

private:
    std::filesystem::path path_;
    WString widePath_;
};

// An empty folder, removed with everything in it.
class TempDir {
public:
    explicit TempDir(const std::string& stem)
        : path_(std::filesystem::temp_directory_path() / UniqueFileName(stem, "")) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The path of `name` inside the folder; `name` may contain subfolders.
    WString Path(const std::string& name) const { return (path_ / name).u16string(); }
    WString Write(const std::string& name, const std::string& bytes) const {
        WriteWholeFile(path_ / name, bytes);
        return Path(name);
    }

private:
    std::filesystem::path path_;
};
