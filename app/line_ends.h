#pragma once
// The code pane breaks lines only at CR LF, while the scanner also takes a
// lone CR or LF as a line end: text with lone ones would number its lines
// ahead of what the pane shows.
#include "base/wide.h"

// The text with every line end (CR LF, a lone CR, a lone LF) as CR LF.
WString WithCrLfLineEnds(WStringView text);
