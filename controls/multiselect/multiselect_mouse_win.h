#pragma once
#include <windows.h>

class MultiSelectWindow;

// Clicks act on release, on the target of the press only.
void PressBuildingAt(MultiSelectWindow& control, int x, int y);
void ReleaseBuildingAt(MultiSelectWindow& control, int x, int y);
// Another window took the mouse mid-click: that press can never complete.
void AbandonPress(MultiSelectWindow& control, HWND newCapture);
// One step of the fold animation (timer 505).
void AdvanceFoldTick(MultiSelectWindow& control);
