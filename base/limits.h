#pragma once
// Limits the whole program shares.
#include <cstddef>

// Characters of a path field, NUL included: the Windows MAX_PATH every
// path buffer of the program is sized by.
constexpr size_t kMaxPath = 260;
