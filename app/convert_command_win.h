#pragma once
#include <windows.h>

// The Convert command: reads the main window's controls, waits for the
// language loader, converts, and replaces the HTML pane's content with the
// coloured result in one operation. 1 when converted, 0 otherwise.
int ConvertCommand(HWND mainWindow);
