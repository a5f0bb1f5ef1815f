#pragma once
// Debugger output (OutputDebugStringW on Windows, standard error natively).

// Writes one line. Tests may capture it through the hook.
void DebugOutput(const char16_t* text);
using DebugOutputHook = void (*)(const char16_t* text);
DebugOutputHook SetDebugOutputHook(DebugOutputHook hook);
