#include <windows.h>

#include "base/debug_output.h"

void PlatformDebugOutput(const char16_t* text) {
    OutputDebugStringW(reinterpret_cast<const wchar_t*>(text));
}
