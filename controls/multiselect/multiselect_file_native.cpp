#include "controls/multiselect/multiselect_file.h"

#include <sys/stat.h>

#include <cstdio>

bool SavesThroughTemporary(const char* path) {
    struct stat status;
    if (lstat(path, &status) != 0) {
        return true;
    }
    return S_ISREG(status.st_mode);
}

bool ReplaceWithTemporary(const char* temporary, const char* target) {
    struct stat status;
    // A new file would otherwise take the process's default mode.
    if (stat(target, &status) == 0) {
        chmod(temporary, status.st_mode & 07777);
    }
    return std::rename(temporary, target) == 0;
}
