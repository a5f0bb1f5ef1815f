#pragma once
// Text another program put on the clipboard: its block need not end in a
// NUL, so the block's size bounds the text.
#include <cstddef>
#include "base/wide.h"

// The UTF-16 text in a block of `bytes` bytes: up to its first NUL, or all
// of it (less an odd last byte) when there is none.
WStringView TextOfBlock(const void* block, size_t bytes);
