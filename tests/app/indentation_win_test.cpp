#include "app/indentation_win.h"

#include <string>

#include "tests/app/pane_test_support_win.h"

namespace {

class ShiftLinesTest : public PaneTest {
protected:
    void Show(const std::wstring& text, DWORD start, DWORD end) {
        SetWindowTextW(code_, text.c_str());
        SendMessageW(code_, EM_SETSEL, start, end);
    }
    std::wstring SelectedText() {
        const auto [start, end] = Selection(code_);
        return TextOf(code_).substr(start, end - start);
    }
};

TEST_F(ShiftLinesTest, ACaretAloneShiftsItsLineAndMovesWithItsText) {
    Show(L"abc\r\n  def\r\nghi", 8, 8);  // "  d|ef"
    EXPECT_EQ(ShiftLines(code_, false), 1);
    EXPECT_EQ(TextOf(code_), L"abc\r\n\t  def\r\nghi");
    EXPECT_EQ(Selection(code_), std::make_pair(DWORD{9}, DWORD{9}));
    EXPECT_EQ(ShiftLines(code_, true), 1);
    EXPECT_EQ(TextOf(code_), L"abc\r\n  def\r\nghi");
    EXPECT_EQ(Selection(code_), std::make_pair(DWORD{8}, DWORD{8}));
}

TEST_F(ShiftLinesTest, ThreeLinesDraggedToTheStartOfTheFourthShiftFourLines) {
    Show(L"a\r\nb\r\nc\r\nd\r\ne", 0, 9);
    EXPECT_EQ(ShiftLines(code_, false), 1);
    EXPECT_EQ(TextOf(code_), L"\ta\r\n\tb\r\n\tc\r\n\td\r\ne");
}

TEST_F(ShiftLinesTest, AnEmptyLineStaysEmpty) {
    Show(L"a\r\n\r\nb", 0, 6);
    EXPECT_EQ(ShiftLines(code_, false), 1);
    EXPECT_EQ(TextOf(code_), L"\ta\r\n\r\n\tb");
}

TEST_F(ShiftLinesTest, DecreaseTakesFourBlanksOrATabAndLeavesALetter) {
    Show(L"        x\r\n\ty\r\nz", 0, 15);
    EXPECT_EQ(ShiftLines(code_, true), 1);
    EXPECT_EQ(TextOf(code_), L"    x\r\ny\r\nz");
}

TEST_F(ShiftLinesTest, LinesTwoToFourMoveTheSelectionByOneAndThree) {
    Show(L"one\r\ntwo\r\nthree\r\nfour\r\nfive", 6, 19);  // "t|wo" .. "fo|ur"
    const std::wstring selected = SelectedText();
    EXPECT_EQ(ShiftLines(code_, false), 1);
    EXPECT_EQ(Selection(code_), std::make_pair(DWORD{7}, DWORD{22}));
    EXPECT_EQ(SelectedText(), L"wo\r\n\tthree\r\n\tfo");
    EXPECT_EQ(selected, L"wo\r\nthree\r\nfo");
}

TEST_F(ShiftLinesTest, ASelectionAtColumnZeroNeverMovesIntoTheLineAbove) {
    // Line 2 selected whole, from its start to the start of line 3.
    Show(L"    one\r\n        two\r\n    three", 9, 22);
    EXPECT_EQ(ShiftLines(code_, true), 1);
    EXPECT_EQ(TextOf(code_), L"    one\r\n    two\r\nthree");
    EXPECT_EQ(Selection(code_), std::make_pair(DWORD{9}, DWORD{18}));
    // A second press works on the same lines, and line 1 keeps its blanks.
    EXPECT_EQ(ShiftLines(code_, true), 1);
    EXPECT_EQ(TextOf(code_), L"    one\r\ntwo\r\nthree");
    EXPECT_EQ(Selection(code_), std::make_pair(DWORD{9}, DWORD{14}));
}

TEST_F(ShiftLinesTest, OneUndoRestoresTheWholeBlock) {
    Show(L"a\r\nb\r\nc", 0, 7);
    EXPECT_EQ(ShiftLines(code_, false), 1);
    EXPECT_EQ(TextOf(code_), L"\ta\r\n\tb\r\n\tc");
    Undo(code_);
    EXPECT_EQ(TextOf(code_), L"a\r\nb\r\nc");
}

TEST_F(ShiftLinesTest, ALineOf70000CharactersIsShiftedWhole) {
    const std::wstring longLine(70000, L'y');
    Show(L"x\r\n" + longLine + L"\r\nz", 0, 0);
    SendMessageW(code_, EM_SETSEL, 0, -1);
    EXPECT_EQ(ShiftLines(code_, false), 1);
    EXPECT_EQ(TextOf(code_), L"\tx\r\n\t" + longLine + L"\r\n\tz");
    EXPECT_EQ(ShiftLines(code_, true), 1);
    EXPECT_EQ(TextOf(code_), L"x\r\n" + longLine + L"\r\nz");
}

TEST_F(ShiftLinesTest, AnEmptyPaneIsLeftAlone) {
    Show(L"", 0, 0);
    EXPECT_EQ(ShiftLines(code_, false), 0);
    EXPECT_EQ(TextOf(code_), L"");
}

}  // namespace
