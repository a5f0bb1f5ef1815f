#pragma once
#include <windows.h>

// The main window's class: icon, menu and cursor from the program's
// resources (a missing one is left out rather than failing).
ATOM RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className);
// Creates the main window with its children and reads the configuration;
// null on failure. The caller shows it.
HWND CreateMainWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* title);
