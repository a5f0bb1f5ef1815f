#include <windows.h>

#include "cli/file_identity.h"

// A volume's serial number and the file's index name a file as device and
// inode do; a folder opens only with backup semantics.
std::optional<FileIdentity> IdentifyFile(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != FALSE;
    CloseHandle(file);
    if (!known) return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        static_cast<uint64_t>(information.nFileIndexHigh) << 32 | information.nFileIndexLow};
}
