#pragma once
#include <windows.h>

ATOM RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className);
HWND CreateMainWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* title);
