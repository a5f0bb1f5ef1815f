#pragma once
#include <windows.h>

#include "config/settings.h"

// The modal options dialog over `owner`, at the top-left corner of its
// client area. On OK the changed [Common] values go into settings and its
// file; returns IDOK, or IDCANCEL after Cancel, the close box, or when the
// theme list cannot be had.
INT_PTR ShowOptionsDialog(HWND owner, AppSettings& settings);
