#pragma once
#include <windows.h>

class MultiSelectWindow;

// The TSM_ messages (WM_USER + 100 .. + 139).
bool IsBuildingMessage(UINT message);
LRESULT OnBuildingMessage(MultiSelectWindow& control, UINT message, WPARAM wParam, LPARAM lParam);
