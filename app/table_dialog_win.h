#pragma once
#include <windows.h>

#include "table/table_options.h"

// The modal table dialog over `owner`, showing and editing `options`.
// Returns 1 when OK stored valid fields, 2 for Cancel, Esc and the close box.
INT_PTR ShowTableDialog(HWND owner, TableOptions* options);
