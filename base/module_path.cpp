#include "base/module_path.h"

bool JoinModulePath(char16_t* destination, size_t destinationSize, WStringView directory,
                    const char16_t* name) {
    if (destinationSize == 0) return false;
    WString path(directory);
    if (name) {
        path += u'\\';
        path += name;
    }
    if (path.size() + 1 > destinationSize) {
        destination[0] = 0;
        return false;
    }
    path.copy(destination, path.size());
    destination[path.size()] = 0;
    return true;
}

bool ModulePath(char16_t* destination, const char16_t* name) {
    const WString& directory = ProgramDirectory();
    if (directory.empty()) {  // the program's own path did not fit
        destination[0] = 0;
        return false;
    }
    return JoinModulePath(destination, kMaxPath, directory, name);
}
