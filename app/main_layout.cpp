#include "app/main_layout.h"

#include <algorithm>

static LayoutRect Place(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    // A window too small for the fixed rows must not give a child a negative size.
    return {left, top, std::max(left, right), std::max(top, bottom)};
}

bool ComputeMainLayout(int32_t width, int32_t height, LayoutMode mode, Split& split, MainLayout& layout) {
    if (width <= 0 || height <= 0) return false;
    const int32_t shared = height - kFixedLayoutHeight;
    // The HTML pane is 2 pixels lower than what the code pane leaves of the
    // shared height (its frame), so the code pane may take at most shared - 2.
    const int32_t largest = std::max(0, shared - 2);
    if (mode == LayoutMode::Position && shared > 0) {
        split.position = std::clamp(split.position, 0, largest);
        split.percent = split.position * 100 / shared;
    } else {
        split.position = std::clamp(shared * split.percent / 100, 0, largest);
    }

    const int32_t s = split.position;
    LayoutRect* r = layout.rects;
    r[kToolbar] = r[kStatusBar] = LayoutRect{0, 0, 0, 0};  // they dock themselves
    r[kLanguageLabel] = Place(6, 52, 66, 76);
    r[kLanguageCombo] = Place(72, 52, 162, 172);
    r[kLineNumbersBox] = Place(174, 52, 254, 76);
    r[kStartLineLabel] = Place(266, 52, 326, 76);
    r[kStartLineEdit] = Place(332, 53, 380, 75);
    r[kCodePane] = Place(6, 82, width - 6, 82 + s);
    r[kHtmlPane] = Place(7, 89 + s, width - 7, height - 31);
    r[kSplitter] = Place(0, 82 + s, width, 88 + s);
    return true;
}

static uint32_t DragRoom(const LayoutRect& pane) {
    // A pane already under the minimum leaves no room, not a negative number
    // the slider would read as a huge unsigned one.
    return static_cast<uint32_t>(std::clamp(pane.Height() - kMinimumPaneHeight, 0, 0xFFFF));
}

uint32_t PackSplitterLimits(const MainLayout& layout) {
    return DragRoom(layout.rects[kCodePane]) << 16 | DragRoom(layout.rects[kHtmlPane]);
}
