#pragma once
// Memory for a large text that is written once from front to back: natively
// in huge pages where the system offers them, as a fresh page costs more to
// map than to fill.
#include <cstddef>
#include <memory>

struct TextMemoryRelease {
    size_t units;
    void operator()(char16_t* text) const;
};
using TextMemory = std::unique_ptr<char16_t[], TextMemoryRelease>;

// Uninitialised; throws std::bad_alloc when memory runs out.
TextMemory AllocateTextMemory(size_t units);
