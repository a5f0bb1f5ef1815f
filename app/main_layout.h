#pragma once
// Where the main window's children go for a client size and a split between
// the two panes. Plain integers, so the numbers are tested without windows.
#include <cstdint>

// Children in their creation order; control id = 500 + index.
enum MainChild : int {
    kToolbar,
    kStatusBar,
    kLanguageLabel,
    kLanguageCombo,
    kLineNumbersBox,
    kStartLineLabel,
    kStartLineEdit,
    kCodePane,
    kHtmlPane,
    kSplitter,
    kMainChildCount
};

struct LayoutRect {
    int32_t left, top, right, bottom;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

// The client height that the toolbar, the control row, the splitter bar, the
// frame and the status bar take: the two panes share the rest.
constexpr int32_t kFixedLayoutHeight = 118;
// How low a drag may make either pane.
constexpr int32_t kMinimumPaneHeight = 24;
constexpr int32_t kInitialSplitPercent = 50;

// The split lives only while the program runs: the code pane's height and
// the percentage of the shared height it stands for.
struct Split {
    int32_t position = 0;
    int32_t percent = kInitialSplitPercent;
};

enum class LayoutMode {
    Percent,   // a resize: the percentage stays, the position follows
    Position,  // the end of a drag: the position stays, the percentage follows
};

struct MainLayout {
    LayoutRect rects[kMainChildCount];
};

// Fills the layout for a client area of width x height; false (nothing
// changed) when the area is empty. When the panes have no height to share
// (height <= kFixedLayoutHeight) the percentage is kept in both modes and
// every rectangle is empty rather than inverted.
bool ComputeMainLayout(int32_t width, int32_t height, LayoutMode mode, Split& split, MainLayout& layout);

// The splitter's drag limits for VBSM_SETLIMITS: how far the bar may move up
// (high word) and down (low word) so each pane keeps kMinimumPaneHeight.
uint32_t PackSplitterLimits(const MainLayout& layout);
