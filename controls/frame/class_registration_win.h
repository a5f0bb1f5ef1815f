#pragma once
#include <windows.h>

ATOM RegisterMultiSelectClass(HINSTANCE instance);
ATOM RegisterClockClass(HINSTANCE instance);
ATOM RegisterSliderClass(HINSTANCE instance);
void UnregisterMultiSelectClass(HINSTANCE instance);
