#pragma once
// Indentation of the code pane's lines, apart from the window: the window
// gathers the lines the selection touches, this code computes their new text
// and where the selection goes.
#include <cstddef>
#include <optional>
#include <vector>
#include "base/wide.h"

// Takes up to one indentation level from the line's start: four blanks, one
// tab, or blanks up to and including the first tab (a tab counts as four
// columns). Returns how many characters were removed (0: unchanged).
int RemoveIndent(WString& line);
// Puts a tab in front of a non-empty line and returns -1; an empty line stays
// as it is: 0. Like RemoveIndent's, the result is the change of the line's
// length with its sign reversed.
int AddIndent(WString& line);

// Where a position on a line starting at lineStart ends up when that line's
// start changed by `delta` (as RemoveIndent / AddIndent report it) and the
// lines before it by `earlierDelta` in all. A position inside removed
// indentation stays on its line, at its start: it never moves into the line
// above or between a CR and its LF.
size_t ShiftedPosition(size_t position, size_t lineStart, int delta, ptrdiff_t earlierDelta);

// A line as the pane counts it, in offsets of the block it belongs to; the
// characters between two lines are the line end.
struct PaneLine {
    size_t start, length;
};
struct ShiftedBlock {
    WString text;
    size_t selectionStart, selectionEnd;
    bool changed;
};

// The lines from the one holding the selection's start to the one holding
// its end, as one block of text beginning at the first line's start and
// ending with the last line's end; the selection in offsets of the block.
// Returns the block with each line shifted and the selection over the same
// text; empty when the lines do not lie in the block in order.
std::optional<ShiftedBlock> ShiftBlock(WStringView block, const std::vector<PaneLine>& lines, size_t selectionStart,
                                       size_t selectionEnd, bool decrease);
