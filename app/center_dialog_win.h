#pragma once
#include <windows.h>

// Places a dialog over its owner's client area (the desktop without one).
void CenterDialog(HWND window);
