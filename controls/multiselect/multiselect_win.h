#pragma once
#include <windows.h>

LRESULT CALLBACK MultiSelectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
