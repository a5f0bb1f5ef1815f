#pragma once
#include <cstddef>

// Zero-filled memory for a control's state record: committed pages of their
// own, or null when none can be had.
void* AllocateStateMemory(size_t bytes);
void FreeStateMemory(void* block);

// A real shortage cannot be arranged on demand, so tests switch one on.
void FailStateAllocationsForTesting(bool fail);
