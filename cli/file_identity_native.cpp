#include <sys/stat.h>

#include "cli/file_identity.h"

std::optional<FileIdentity> IdentifyFile(const std::filesystem::path& path) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}
