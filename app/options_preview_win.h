#pragma once
// Draws the options preview onto a drawing context (the dialog's memory
// bitmap): the font measured, then the shapes and texts where
// ComputePreviewGeometry puts them.
#include <windows.h>

#include "app/options_preview.h"

struct PreviewRequest {
    const wchar_t* faceName;
    int fontHeight;  // pixels of the cell; 0 for the platform's default
    int border;
    int tabWidth;    // 2 or 4
    const ColorTheme* theme;
};

// Returns the geometry it drew with, for the callers that check pixels.
PreviewGeometry RenderOptionsPreview(HDC dc, int width, int height, const PreviewRequest& request);
