#include "base/debug_output.h"

static DebugOutputHook debugHook = nullptr;

DebugOutputHook SetDebugOutputHook(DebugOutputHook hook) {
    DebugOutputHook previous = debugHook;
    debugHook = hook;
    return previous;
}

void PlatformDebugOutput(const char16_t* text);  // debug_output_win.cpp / debug_output_native.cpp

void DebugOutput(const char16_t* text) {
    if (debugHook)
        debugHook(text);
    else
        PlatformDebugOutput(text);
}
