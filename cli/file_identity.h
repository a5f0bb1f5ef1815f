#pragma once
// Which file a path names, so that two names of one file (a link, another
// spelling of the path) are known to be the same file.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <tuple>

struct FileIdentity {
    uint64_t volume;  // the device natively, the volume's serial number on Windows
    uint64_t file;    // the inode, or the file index on Windows
    bool operator==(const FileIdentity& other) const { return volume == other.volume && file == other.file; }
    bool operator<(const FileIdentity& other) const {
        return std::tie(volume, file) < std::tie(other.volume, other.file);
    }
};

// The file or folder the path names once symbolic links are followed; empty
// when it does not exist or cannot be asked.
std::optional<FileIdentity> IdentifyFile(const std::filesystem::path& path);
