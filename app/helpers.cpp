#include "app/helpers.h"

#include <cstdio>
#include <new>

static DebugOutputHook debugHook = nullptr;

DebugOutputHook SetDebugOutputHook(DebugOutputHook hook) {
    DebugOutputHook previous = debugHook;
    debugHook = hook;
    return previous;
}

void PlatformDebugOutput(const char16_t* text);  // helpers_win.cpp / helpers_native.cpp

void DebugOutput(const char16_t* text) {
    if (debugHook)
        debugHook(text);
    else
        PlatformDebugOutput(text);
}

void* MEM_Alloc(uint32_t size) {
    try {
        return new char[size];
    } catch (const std::bad_alloc&) {
        char message[256];
        snprintf(message, sizeof message, "MEM_Alloc(%u bytes) failed !", static_cast<unsigned>(size));
        char16_t wide[256];
        size_t i = 0;
        for (; message[i] && i + 1 < 256; ++i) wide[i] = static_cast<unsigned char>(message[i]);
        wide[i] = 0;
        DebugOutput(wide);
        return nullptr;
    }
}

void MEM_Free(void* block) { delete[] static_cast<char*>(block); }

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
