#pragma once
// Resource numbers of Tessella.dll that hosts and the resource compiler share.
#define IDB_MULTISELECT_GLYPHS 101
