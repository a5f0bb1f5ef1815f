#include "base/memory.h"

#include <cstdio>
#include <new>
#include "base/debug_output.h"

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
