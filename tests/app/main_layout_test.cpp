#include <gtest/gtest.h>

#include "app/main_layout.h"

namespace {

int32_t CodeHeight(const MainLayout& layout) { return layout.rects[kCodePane].Height(); }
int32_t HtmlHeight(const MainLayout& layout) { return layout.rects[kHtmlPane].Height(); }

TEST(MainLayout, PercentModeSplitsTheSharedHeightAndPlacesTheTenChildren) {
    Split split;
    MainLayout layout;
    ASSERT_TRUE(ComputeMainLayout(800, 601, LayoutMode::Percent, split, layout));
    // S = (H - 118) x 50 / 100, truncated; the HTML pane H - 120 - S.
    EXPECT_EQ(split.position, 241);
    EXPECT_EQ(CodeHeight(layout), 241);
    EXPECT_EQ(HtmlHeight(layout), 601 - 120 - 241);

    const LayoutRect& code = layout.rects[kCodePane];
    const LayoutRect& html = layout.rects[kHtmlPane];
    const LayoutRect& bar = layout.rects[kSplitter];
    EXPECT_EQ(code.left, 6);
    EXPECT_EQ(code.right, 794);
    EXPECT_EQ(code.top, 82);
    EXPECT_EQ(bar.top, code.bottom);
    EXPECT_EQ(bar.bottom, 88 + 241);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, 800);
    EXPECT_EQ(html.left, 7);
    EXPECT_EQ(html.right, 793);
    EXPECT_EQ(html.top, 89 + 241);
    EXPECT_EQ(html.bottom, 601 - 31);
    const LayoutRect& edit = layout.rects[kStartLineEdit];
    EXPECT_EQ(edit.left, 332);
    EXPECT_EQ(edit.top, 53);
    EXPECT_EQ(edit.right, 380);
    EXPECT_EQ(edit.bottom, 75);
    EXPECT_EQ(layout.rects[kLanguageCombo].bottom, 172);
}

TEST(MainLayout, ADragKeepsItsPositionAndAResizeKeepsTheDerivedPercentage) {
    Split split;
    MainLayout layout;
    ComputeMainLayout(800, 600, LayoutMode::Percent, split, layout);
    const int32_t before = split.position;
    split.position += 37;
    ComputeMainLayout(800, 600, LayoutMode::Position, split, layout);
    EXPECT_EQ(CodeHeight(layout), before + 37);
    EXPECT_EQ(split.percent, (before + 37) * 100 / 482);

    ComputeMainLayout(800, 900, LayoutMode::Percent, split, layout);
    EXPECT_EQ(CodeHeight(layout), (900 - 118) * split.percent / 100);
}

TEST(MainLayout, NoRoomForThePanesKeepsThePercentageAndNoRectangleIsInverted) {
    for (int32_t height : {1, 60, 117, 118, 119, 120, 121}) {
        Split split;
        split.percent = 40;
        MainLayout layout;
        split.position = 500;  // the end of a drag in a window that has no room
        ASSERT_TRUE(ComputeMainLayout(10, height, LayoutMode::Position, split, layout));
        if (height <= kFixedLayoutHeight) {
            EXPECT_EQ(split.percent, 40) << height;
        }
        for (const LayoutRect& r : layout.rects) {
            EXPECT_GE(r.Width(), 0) << height;
            EXPECT_GE(r.Height(), 0) << height;
        }
        EXPECT_EQ(split.position, CodeHeight(layout)) << height;
    }
}

TEST(MainLayout, AnEmptyClientAreaChangesNothing) {
    Split split;
    split.position = 77;
    MainLayout layout = {};
    EXPECT_FALSE(ComputeMainLayout(0, 500, LayoutMode::Percent, split, layout));
    EXPECT_FALSE(ComputeMainLayout(500, 0, LayoutMode::Position, split, layout));
    EXPECT_EQ(split.position, 77);
    EXPECT_EQ(split.percent, kInitialSplitPercent);
}

TEST(MainLayout, SplitterLimitsLeaveEachPane24PixelsAndAreNeverNegative) {
    Split split;
    MainLayout layout;
    ComputeMainLayout(800, 600, LayoutMode::Percent, split, layout);
    const uint32_t limits = PackSplitterLimits(layout);
    EXPECT_EQ(limits >> 16, static_cast<uint32_t>(CodeHeight(layout) - 24));
    EXPECT_EQ(limits & 0xFFFF, static_cast<uint32_t>(HtmlHeight(layout) - 24));

    // A 150-pixel client: panes of 16 and 14 pixels, already under 24.
    ComputeMainLayout(800, 150, LayoutMode::Percent, split, layout);
    ASSERT_LT(CodeHeight(layout), 24);
    EXPECT_EQ(PackSplitterLimits(layout), 0u);
}

}  // namespace
