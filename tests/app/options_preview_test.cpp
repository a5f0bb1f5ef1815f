#include "app/options_preview.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(FirstFontFamily, TakesTheFirstNameOfTheList) {
    EXPECT_EQ(FirstFontFamily(u"'Courier New', monospace"), u"Courier New");
    EXPECT_EQ(FirstFontFamily(u"  \"Code A\", \"Code B\""), u"Code A");
    EXPECT_EQ(FirstFontFamily(u"Consolas  ; x"), u"Consolas");
    EXPECT_EQ(FirstFontFamily(u"Lucida Console"), u"Lucida Console");
    // An unclosed quote still ends at the comma.
    EXPECT_EQ(FirstFontFamily(u"\"Unclosed, x"), u"Unclosed");
    // The quote ends the name even with text behind it.
    EXPECT_EQ(FirstFontFamily(u"'A'B, C"), u"A");
    EXPECT_EQ(FirstFontFamily(u", monospace"), u"");
    EXPECT_EQ(FirstFontFamily(u""), u"");
}

TEST(FirstFontFamily, RefusesANameTooLongForAFace) {
    const WString longest(kFaceNameMax, u'f');
    EXPECT_EQ(FirstFontFamily(longest + u", serif"), longest);
    EXPECT_EQ(FirstFontFamily(longest + u"g, serif"), u"");
}

TEST(PreviewLength, ReadsTheLeadingNumberWithinDrawableBounds) {
    EXPECT_EQ(PreviewLength(u"13px"), 13);
    EXPECT_EQ(PreviewLength(u" 7pt"), 7);
    EXPECT_EQ(PreviewLength(u"px"), 0);
    EXPECT_EQ(PreviewLength(u""), 0);
    EXPECT_EQ(PreviewLength(u"1.5em"), 1);
    // The sign is read as part of the number; a negative length draws as none.
    EXPECT_EQ(PreviewLength(u"-5px"), 0);
    EXPECT_EQ(PreviewLength(u"+6px"), 6);
    // Ten digits would overflow seven line heights.
    EXPECT_EQ(PreviewLength(u"9999999999px"), kPreviewMaxLength);
    EXPECT_EQ(PreviewLength(u"1001"), kPreviewMaxLength);
}

PreviewMetrics SampleMetrics() {
    PreviewMetrics m{};
    m.digitWidth = 7;
    m.widestLineWidth = 200;
    m.textHeight = 14;
    m.blankWidth = 5;
    for (int i = 0; i < kPreviewTokenCount; ++i) m.tokenWidths[i] = kPreviewTokens[i].isTab ? 0 : 10 + i;
    return m;
}

TEST(PreviewGeometry, PlacesColumnsAndNumbersByTheBorderAndFont) {
    const PreviewGeometry g = ComputePreviewGeometry(SampleMetrics(), 3, 2);
    // d = 7 + 8 = 15, c = 200 + 36 = 236, h = 14 + 2 = 16, b = 3.
    EXPECT_EQ(g.lineHeight, 16);
    EXPECT_EQ((std::array<int, 4>{g.border.left, g.border.top, g.border.right, g.border.bottom}),
              (std::array<int, 4>{0, 0, 15 + 236 + 9, 7 * 16 + 6 + 2}));
    EXPECT_EQ((std::array<int, 4>{g.numberColumn.left, g.numberColumn.top, g.numberColumn.right,
                                  g.numberColumn.bottom}),
              (std::array<int, 4>{3, 3, 18, 7 * 16 + 5}));
    EXPECT_EQ((std::array<int, 4>{g.codeColumn.left, g.codeColumn.top, g.codeColumn.right, g.codeColumn.bottom}),
              (std::array<int, 4>{21, 3, 257, 7 * 16 + 5}));
    for (int k = 0; k < kPreviewLineCount; ++k) {
        EXPECT_EQ(g.numbers[k].x, 7);
        EXPECT_EQ(g.numbers[k].y, 5 + 16 * k);
    }
}

TEST(PreviewGeometry, PlacesTokensLineByLineWithTabsAsBlanks) {
    const PreviewMetrics m = SampleMetrics();
    const int x0 = 15 + 6 + 4;
    for (int tabWidth : {2, 4}) {
        const PreviewGeometry g = ComputePreviewGeometry(m, 3, tabWidth);
        EXPECT_EQ(g.tokens[0].x, x0);
        EXPECT_EQ(g.tokens[0].y, 5);
        EXPECT_EQ(g.tokens[1].x, x0);      // "#include " opens line 2
        EXPECT_EQ(g.tokens[1].y, 5 + 16);
        EXPECT_EQ(g.tokens[2].x, x0 + m.tokenWidths[1]);
        EXPECT_EQ(g.tokens[4].x, x0 + m.tokenWidths[3]);  // "main(" after "int "
        EXPECT_EQ(g.tokens[8].x, x0 + m.tokenWidths[3] + m.tokenWidths[4] + m.tokenWidths[5] + m.tokenWidths[6] +
                                     m.tokenWidths[7]);
        // The two tab-indented lines start tabWidth blanks right of line 2.
        EXPECT_EQ(g.tokens[11].x, x0 + tabWidth * m.blankWidth);
        EXPECT_EQ(g.tokens[11].y, 5 + 4 * 16);
        EXPECT_EQ(g.tokens[15].x, x0 + tabWidth * m.blankWidth);
        EXPECT_EQ(g.tokens[15].y, 5 + 5 * 16);
        EXPECT_EQ(g.tokens[16].x, x0 + tabWidth * m.blankWidth + m.tokenWidths[15]);
        EXPECT_EQ(g.tokens[18].x, x0);
        EXPECT_EQ(g.tokens[18].y, 5 + 6 * 16);
    }
}

TEST(PreviewSample, HasSevenLinesAndTheSixteenCharacterString) {
    int lines = 0;
    for (const PreviewToken& token : kPreviewTokens) lines += token.endsLine;
    EXPECT_EQ(lines, kPreviewLineCount);
    EXPECT_EQ(WString(kPreviewTokens[12].text).size(), 16u);
    EXPECT_EQ(kPreviewTokens[12].role, ColorRole::String0);
}

TEST(PreviewColors, FallBackToTheFaceColourAndBlackText) {
    ColorTheme theme{};
    theme[ColorRole::Border] = {u"#010203", MakeRgb(1, 2, 3)};
    theme[ColorRole::LineNo] = {u"#040506", MakeRgb(4, 5, 6)};
    theme[ColorRole::Keyword0] = {u"blue", MakeRgb(0, 0, 255)};
    theme[ColorRole::Text].color = MakeRgb(9, 9, 9);  // without html: black
    theme[ColorRole::Bkgnd].color = MakeRgb(7, 7, 7);  // without html: the face
    theme[ColorRole::LineNoBkgnd] = {u"#080808", MakeRgb(8, 8, 8)};
    const ColorRef face = MakeRgb(240, 240, 240);
    PreviewColors colors = ChoosePreviewColors(theme, face);
    EXPECT_EQ(colors.border, MakeRgb(1, 2, 3));
    EXPECT_EQ(colors.lineNumbers, MakeRgb(4, 5, 6));
    EXPECT_EQ(colors.codeColumn, face);
    EXPECT_EQ(colors.numberColumn, MakeRgb(8, 8, 8));
    EXPECT_EQ(colors.tokens[1], MakeRgb(0, 0, 255));
    EXPECT_EQ(colors.tokens[2], MakeRgb(0, 0, 0));

    theme[ColorRole::Text].html[0] = u'x';
    theme[ColorRole::Bkgnd].html[0] = u'x';
    theme[ColorRole::LineNoBkgnd].html[0] = 0;
    colors = ChoosePreviewColors(theme, face);
    EXPECT_EQ(colors.tokens[2], MakeRgb(9, 9, 9));
    EXPECT_EQ(colors.codeColumn, MakeRgb(7, 7, 7));
    EXPECT_EQ(colors.numberColumn, face);
}

}  // namespace
