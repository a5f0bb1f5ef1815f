#include "controls/frame/state_memory_win.h"

#include <windows.h>

namespace {
bool g_failAllocations = false;
}

void* AllocateStateMemory(size_t bytes) {
    if (g_failAllocations) return nullptr;
    return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void FreeStateMemory(void* block) {
    if (block) VirtualFree(block, 0, MEM_RELEASE);
}

void FailStateAllocationsForTesting(bool fail) { g_failAllocations = fail; }
