#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include "base/input_file.h"

namespace {

long long ReadFrom(int file, char* buffer, size_t size) {
    ssize_t count;
    do count = read(file, buffer, size < SSIZE_MAX ? size : SSIZE_MAX);
    while (count < 0 && errno == EINTR);
    return count;
}

class RegularFile final : public SizedInput {
public:
    RegularFile(int file, uint64_t size) : SizedInput(size), file_(file) {}
    ~RegularFile() override { close(file_); }
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

private:
    long long ReadSome(char* buffer, size_t size) override { return ReadFrom(file_, buffer, size); }
    bool SeekToStart() override { return lseek(file_, 0, SEEK_SET) == 0; }

    int file_;
};

}  // namespace

std::unique_ptr<InputSource> OpenInputFile(const std::filesystem::path& path, std::string& error) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    struct stat status;
    const bool known = fstat(file, &status) == 0;
    if (!known || S_ISDIR(status.st_mode)) {
        error = known ? "is a directory" : std::strerror(errno);
        close(file);
        return nullptr;
    }
    if (S_ISREG(status.st_mode) && status.st_size > 0)
        return std::make_unique<RegularFile>(file, static_cast<uint64_t>(status.st_size));
    // Pipes, devices and files of the kernel (which report no size) cannot
    // be sized in advance.
    std::unique_ptr<InputSource> whole = ReadWhole([file](char* buffer, size_t size) { return ReadFrom(file, buffer, size); });
    if (!whole) error = std::strerror(errno);
    close(file);
    return whole;
}
