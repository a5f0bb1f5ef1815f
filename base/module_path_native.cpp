#include <unistd.h>

#include <climits>

#include "base/module_path.h"

const WString& ProgramDirectory() {
    static const WString directory = [] {
        char path[PATH_MAX];
        ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
        if (n <= 0) return WString();
        std::string p(path, static_cast<size_t>(n));
        size_t slash = p.rfind('/');
        return Utf8ToWide(slash == std::string::npos ? std::string() : p.substr(0, slash));
    }();
    return directory;
}
