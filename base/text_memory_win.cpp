#include "base/text_memory.h"

// Huge pages need a privilege users do not have; the heap serves.
TextMemory AllocateTextMemory(size_t units) { return TextMemory(new char16_t[units], {units}); }

void TextMemoryRelease::operator()(char16_t* text) const { delete[] text; }
