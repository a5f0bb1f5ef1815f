#pragma once
// Finding the dialog a test opened on its own thread.
#include <windows.h>

#include <string>

inline BOOL CALLBACK KeepFirstDialog(HWND window, LPARAM result) {
    wchar_t className[16];
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770") return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

// The first dialog-class window of this thread; null when none is open.
inline HWND FindThreadDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepFirstDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}
