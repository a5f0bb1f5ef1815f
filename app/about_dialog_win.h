#pragma once
#include <windows.h>

// The modal About dialog over `owner`; returns the id of the button that
// closed it (IDOK, or IDCANCEL for Esc and the close box).
INT_PTR ShowAboutDialog(HWND owner);
