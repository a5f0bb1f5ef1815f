#pragma once
#include <windows.h>

// Appends text at the end of a rich-edit pane in the given colour, bold or
// not. The only writer of the HTML pane.
void AppendColoredText(const wchar_t* text, HWND pane, COLORREF color, bool bold);
