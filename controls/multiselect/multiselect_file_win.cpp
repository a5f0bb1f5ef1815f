#include "controls/multiselect/multiselect_file.h"

#include <windows.h>

bool SavesThroughTemporary(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool ReplaceWithTemporary(const char* temporary, const char* target) {
    // ReplaceFileA keeps the replaced file's attributes; a new name is moved.
    if (GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES &&
        ReplaceFileA(target, temporary, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return true;
    }
    return MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
