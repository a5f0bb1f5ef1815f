#pragma once
#include <windows.h>

// Ctrl+A (without Shift or Alt) on the code pane or the HTML pane selects all
// of it and is consumed; true when the message was such a keystroke.
bool SelectAllInPane(const MSG& message, HWND mainWindow);

// Runs until WM_QUIT: Ctrl+A on the panes, then the accelerators (sent to the
// window the keystroke is addressed to), then translation and dispatch.
// Returns the WM_QUIT wParam.
int RunMessageLoop(HWND mainWindow, HACCEL accelerators);
