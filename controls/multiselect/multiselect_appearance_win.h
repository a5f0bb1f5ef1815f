#pragma once
#include <windows.h>

class MultiSelectWindow;

// TSM_GETSTYLE .. TSM_SETROOMSIZE but TSM_GETCHECK; 0 for any other message.
LRESULT OnAppearanceMessage(MultiSelectWindow& control, UINT message, WPARAM wParam, LPARAM lParam);
