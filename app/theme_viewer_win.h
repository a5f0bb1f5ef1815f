#pragma once
#include <windows.h>

#include "config/color.h"

// The modal viewer of `theme`'s sixteen colours over `owner`; it changes
// nothing. Returns the id that closed it (IDOK, or IDCANCEL for Esc and the
// close box).
INT_PTR ShowThemeViewer(HWND owner, const ColorTheme& theme);
