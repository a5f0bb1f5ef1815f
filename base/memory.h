#pragma once
// Allocation whose failure is never fatal.
#include <cstdint>

// Logs "MEM_Alloc(%u bytes) failed !" to the debugger output and returns
// null when the block cannot be had. Release with MEM_Free.
void* MEM_Alloc(uint32_t size);
void MEM_Free(void* block);
