#pragma once
#include <windows.h>

// Gives a dialog the program's icon, large (32 x 32) and small (16 x 16),
// from the dialog's own module.
void SetDialogIcons(HWND window);
