#pragma once
#include <windows.h>

// The main window's class: icon, menu and cursor from the program's
// resources (a missing one is left out rather than failing).
ATOM RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className);
// Creates the main window with its children and reads the configuration;
// null on failure. The caller shows it.
HWND CreateMainWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* title);

// Convert fills a new, hidden HTML pane and swaps it in for the old one:
// under Wine, emptying a rich-edit pane costs more than quadratically in
// its text (a full pane takes longer to empty than to fill), while
// destroying one is quick. Null when no pane could be made.
HWND CreateSpareHtmlPane(HWND mainWindow);
// Shows the spare pane in the HTML pane's place, order and focus, and
// destroys the old one.
void SwapInHtmlPane(HWND mainWindow, HWND spare);
