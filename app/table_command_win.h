#pragma once
#include <windows.h>

#include "table/table_options.h"

// The table generator's options for the whole run; the main window gives
// them their start values when it is created.
extern TableOptions tableOptions;

// Runs the table dialog over the main window; after OK the table's HTML
// replaces the HTML pane's content. Returns 1 when the pane got the table.
int GenerateTableCommand(HWND mainWindow);
