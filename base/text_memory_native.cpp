#include <sys/mman.h>

#include <cstdint>
#include <new>
#include "base/text_memory.h"

namespace {

constexpr size_t kHugePage = size_t{2} << 20;
// Below this a huge page would mostly hold nothing.
constexpr size_t kHugePageMinimum = 4 * kHugePage;

size_t MappedBytes(size_t units) { return (units * sizeof(char16_t) + kHugePage - 1) / kHugePage * kHugePage; }

}  // namespace

TextMemory AllocateTextMemory(size_t units) {
    if (units > SIZE_MAX / sizeof(char16_t) - kHugePage) throw std::bad_alloc();
    if (units * sizeof(char16_t) < kHugePageMinimum) return TextMemory(new char16_t[units], {units});
    // Huge pages need an aligned start: map one more, then give back the edges.
    const size_t bytes = MappedBytes(units);
    void* mapped = mmap(nullptr, bytes + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const uintptr_t start = reinterpret_cast<uintptr_t>(mapped);
    const uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > start) munmap(mapped, aligned - start);
    munmap(reinterpret_cast<void*>(aligned + bytes), start + kHugePage - aligned);
    madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
    return TextMemory(reinterpret_cast<char16_t*>(aligned), {units});
}

void TextMemoryRelease::operator()(char16_t* text) const {
    if (units * sizeof(char16_t) < kHugePageMinimum)
        delete[] text;
    else
        munmap(text, MappedBytes(units));
}
