#pragma once
// Small helpers every part of the program uses.
#include <cstdint>
#include "config/wide.h"

constexpr size_t kMaxPath = 260;

// Allocation whose failure is never fatal: logs "MEM_Alloc(%u bytes) failed !"
// to the debugger output and returns null. Release with MEM_Free.
void* MEM_Alloc(uint32_t size);
void MEM_Free(void* block);

// Debugger output (OutputDebugStringW on Windows). Tests may capture it.
void DebugOutput(const char16_t* text);
using DebugOutputHook = void (*)(const char16_t* text);
DebugOutputHook SetDebugOutputHook(DebugOutputHook hook);

// The program's directory, cached on first use ("" when it cannot be found).
const WString& ProgramDirectory();

// destination = directory "\" name (or the bare directory when name is null).
// Fails, leaving an empty destination, when the result does not fit in
// destinationSize units; callers then treat the file as missing.
bool JoinModulePath(char16_t* destination, size_t destinationSize, WStringView directory,
                    const char16_t* name);
bool ModulePath(char16_t* destination /* kMaxPath units */, const char16_t* name);

// Placement of a dialog over its owner, in screen pixels.
struct CenterDialogInput {
    int parentLeft, parentTop, parentRight, parentBottom;  // owner client rect, screen coords
    int width, height;                                     // the dialog's window size
    int captionButtonWidth;                                // SM_CXSIZE
    bool hasSystemMenu;                                    // WS_SYSMENU
    int screenWidth, screenHeight;                         // SM_CXSCREEN, SM_CYSCREEN
};
struct DialogPosition { int x, y; };
DialogPosition CenterDialogPosition(const CenterDialogInput& in);
