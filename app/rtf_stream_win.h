#pragma once
#include <windows.h>

#include "app/rtf_sink.h"

enum class PaneFill {
    Complete,
    TooLarge,  // stopped before the pane would have exhausted memory
    Failed,    // the pane did not take all it was given
};

// Whether the process can give the pane another piece of the document.
bool RoomForAnotherPiece();

// Replaces the rich-edit pane's content with the document, streamed in
// piece by piece; roomForMore is asked before each piece.
PaneFill StreamRtfIntoPane(HWND pane, const RtfSink::Document& document, bool (*roomForMore)());
