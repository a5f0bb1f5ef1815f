#pragma once
// The platform calls of the pane commands that tests must watch or make
// fail: a message box would wait for a click, and a failed allocation, a
// refused clipboard hand-over or memory running short cannot be provoked
// for real. Everything else the commands do goes to the platform directly.
#include <windows.h>

#include "app/rtf_sink.h"

struct PaneCalls {
    int(WINAPI* messageBox)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
    HGLOBAL(WINAPI* globalAlloc)(UINT flags, SIZE_T bytes);
    HANDLE(WINAPI* setClipboardData)(UINT format, HANDLE data);
    bool (*roomForAnotherPiece)();  // see StreamRtfIntoPane
    RtfSink::Reallocate rtfSinkMemory;  // where Convert's RTF sink grows
};
extern PaneCalls paneCalls;  // the real calls unless a test put others in place

// A message box captioned "Lumatype", as the program's every message is.
int ShowProgramMessage(HWND owner, const wchar_t* text, UINT icon);
