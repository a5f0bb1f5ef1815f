#pragma once
// The two indentation commands on the code pane.
#include <windows.h>

// Shifts every line the selection touches by one indentation level (a tab
// in front when increasing; up to four columns of blanks and tabs taken away
// when decreasing), as one undoable edit, and keeps the selection over the
// same text. 1 when the lines were processed, 0 when nothing was done (empty
// pane, no memory).
int ShiftLines(HWND pane, bool decrease);
