#include "app/indentation.h"

#include <gtest/gtest.h>

namespace {

TEST(RemoveIndent, TakesOneLevelOfBlanksAndTabs) {
    struct Case { WString line, left; int removed; };
    for (const Case& c : {Case{u"        text", u"    text", 4}, Case{u"\tx", u"x", 1}, Case{u"  \tx", u"x", 3},
                          Case{u"  x", u"x", 2}, Case{u"x  ", u"x  ", 0}, Case{u"", u"", 0}, Case{u"   ", u"", 3},
                          Case{u"\t\tx", u"\tx", 1}, Case{u" \t x", u" x", 2}}) {
        WString line = c.line;
        EXPECT_EQ(RemoveIndent(line), c.removed) << c.line.size();
        EXPECT_EQ(line, c.left) << c.line.size();
    }
}

TEST(AddIndent, PutsATabInFrontOfAnyLineButAnEmptyOne) {
    WString line = u"x", blank = u" ", empty;
    EXPECT_EQ(AddIndent(line), -1);
    EXPECT_EQ(line, u"\tx");
    EXPECT_EQ(AddIndent(blank), -1);
    EXPECT_EQ(blank, u"\t ");
    EXPECT_EQ(AddIndent(empty), 0);
    EXPECT_EQ(empty, u"");
}

TEST(ShiftedPosition, NeverLeavesItsLineOnADecrease) {
    // Line starting at 10, four characters of indentation removed from it,
    // six from the lines before.
    EXPECT_EQ(ShiftedPosition(10, 10, 4, 6), 4u);  // column 0 stays at its line's start
    EXPECT_EQ(ShiftedPosition(12, 10, 4, 6), 4u);  // inside the removed blanks: the line's start
    EXPECT_EQ(ShiftedPosition(14, 10, 4, 6), 4u);
    EXPECT_EQ(ShiftedPosition(17, 10, 4, 6), 7u);  // in the text: back by all of it
    EXPECT_EQ(ShiftedPosition(17, 10, 0, 6), 11u);
    // A tab put in front moves every position of the line, its start too.
    EXPECT_EQ(ShiftedPosition(10, 10, -1, -2), 13u);
}

std::vector<PaneLine> LinesOf(WStringView block) {
    std::vector<PaneLine> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = block.find(u"\r\n", start);
        lines.push_back({start, (end == WStringView::npos ? block.size() : end) - start});
        if (end == WStringView::npos) return lines;
        start = end + 2;
    }
}

ShiftedBlock Shift(WStringView block, size_t start, size_t end, bool decrease) {
    std::optional<ShiftedBlock> shifted = ShiftBlock(block, LinesOf(block), start, end, decrease);
    EXPECT_TRUE(shifted.has_value());
    return shifted.value_or(ShiftedBlock{});
}

TEST(ShiftBlock, IncreaseMovesTheSelectionWithItsText) {
    // Lines 2 to 4 of a pane, selected from line 2's start to line 4's end.
    const WString block = u"two\r\nthree\r\nfour";
    const ShiftedBlock shifted = Shift(block, 0, block.size(), false);
    EXPECT_EQ(shifted.text, u"\ttwo\r\n\tthree\r\n\tfour");
    EXPECT_EQ(shifted.selectionStart, 1u);
    EXPECT_EQ(shifted.selectionEnd, block.size() + 3);
    EXPECT_TRUE(shifted.changed);
}

TEST(ShiftBlock, EmptyLinesStayEmptyAndCountNothing) {
    const WString block = u"a\r\n\r\nb";
    const ShiftedBlock shifted = Shift(block, 0, block.size(), false);
    EXPECT_EQ(shifted.text, u"\ta\r\n\r\n\tb");
    EXPECT_EQ(shifted.selectionEnd, block.size() + 2);
}

TEST(ShiftBlock, DecreaseKeepsASelectionAtColumnZeroOnItsLine) {
    const WString block = u"    a\r\n\tb\r\nc";
    // From the first line's start to the start of the third line.
    const ShiftedBlock shifted = Shift(block, 0, 11, true);
    EXPECT_EQ(shifted.text, u"a\r\nb\r\nc");
    EXPECT_EQ(shifted.selectionStart, 0u);
    EXPECT_EQ(shifted.selectionEnd, 6u);  // still the third line's start

    // Dragged from the first line's start to the start of the second, both indented.
    const WString indented = u"    a\r\n    b";
    const ShiftedBlock again = Shift(indented, 0, 7, true);
    EXPECT_EQ(again.text, u"a\r\nb");
    EXPECT_EQ(again.selectionStart, 0u);
    EXPECT_EQ(again.selectionEnd, 3u);  // the second line's start, not its CR LF
}

TEST(ShiftBlock, DecreaseOfACaretInsideTheIndentationPutsItAtTheLineStart) {
    const WString block = u"      x";
    const ShiftedBlock shifted = Shift(block, 2, 2, true);
    EXPECT_EQ(shifted.text, u"  x");
    EXPECT_EQ(shifted.selectionStart, 0u);
    EXPECT_EQ(shifted.selectionEnd, 0u);
}

TEST(ShiftBlock, LinesWithoutIndentationLeaveTheBlockUnchanged) {
    const WString block = u"a\r\nb";
    const ShiftedBlock shifted = Shift(block, 1, 4, true);
    EXPECT_FALSE(shifted.changed);
    EXPECT_EQ(shifted.text, block);
    EXPECT_EQ(shifted.selectionStart, 1u);
    EXPECT_EQ(shifted.selectionEnd, 4u);
}

TEST(ShiftBlock, RefusesLinesOutsideTheBlockOrOutOfOrder) {
    const WString block = u"ab\r\ncd";
    EXPECT_FALSE(ShiftBlock(block, {{0, 2}, {4, 9}}, 0, 5, false));
    EXPECT_FALSE(ShiftBlock(block, {{4, 2}, {0, 2}}, 0, 1, false));
    EXPECT_FALSE(ShiftBlock(block, {}, 0, 0, false));
    EXPECT_FALSE(ShiftBlock(block, {{0, 2}, {4, 2}}, 3, 5, false));  // start beyond its line
}

}  // namespace
