#pragma once
// Placement of a dialog over its owner, in screen pixels.

struct CenterDialogInput {
    int parentLeft, parentTop, parentRight, parentBottom;  // owner client rect, screen coords
    int width, height;                                     // the dialog's window size
    int captionButtonWidth;                                // SM_CXSIZE
    bool hasSystemMenu;                                    // WS_SYSMENU
    int screenWidth, screenHeight;                         // SM_CXSCREEN, SM_CYSCREEN
};
struct DialogPosition { int x, y; };
DialogPosition CenterDialogPosition(const CenterDialogInput& in);
