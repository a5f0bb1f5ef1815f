#pragma once
#include <windows.h>

class MultiSelectWindow;

// WM_VSCROLL / WM_HSCROLL; refused while a fold runs.
LRESULT ScrollBuilding(MultiSelectWindow& control, UINT message, WPARAM wParam);
void ScrollByKey(MultiSelectWindow& control, UINT virtualKey);
void ScrollByWheel(MultiSelectWindow& control, int delta);
