#include "table/table_html.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "tests/engine/engine_test_support.h"

namespace {

constexpr ColorRef kBlue = MakeRgb(0, 0, 255), kGrey = MakeRgb(128, 128, 128), kRed = MakeRgb(255, 0, 0),
                   kBlack = MakeRgb(0, 0, 0);

using ColorRun = std::pair<WString, ColorRef>;

// The chunks as the pane shows them: adjacent chunks of one colour joined.
std::vector<ColorRun> Runs(const RecordingSink& sink) {
    std::vector<ColorRun> runs;
    for (const RecordedChunk& chunk : sink.chunks) {
        EXPECT_FALSE(chunk.bold);
        if (chunk.text.empty()) continue;
        if (!runs.empty() && runs.back().second == chunk.color)
            runs.back().first += chunk.text;
        else
            runs.push_back({chunk.text, chunk.color});
    }
    return runs;
}

RecordingSink Generate(const TableOptions& options) {
    RecordingSink sink;
    GenerateTableHtml(options, sink);
    return sink;
}

TableOptions Initial() {
    TableOptions options;
    SetInitialTableOptions(options);
    return options;
}

// The opening tag of the table, up to and including its ">\r\n".
std::string TableTag(const TableOptions& options) {
    const std::string html = Generate(options).Html();
    return html.substr(0, html.find(">\r\n") + 3);
}

TEST(TableHtml, InitialOptionsGiveThreeRowsOfFourPrefilledCellsUnderAHeaderRow) {
    const RecordingSink sink = Generate(Initial());
    const std::string headerRow = "<tr>\r\n<th>0</th>\r\n<th>0</th>\r\n<th>0</th>\r\n<th>0</th>\r\n</tr>\r\n";
    const std::string row = "<tr>\r\n<td>0</td>\r\n<td>0</td>\r\n<td>0</td>\r\n<td>0</td>\r\n</tr>\r\n";
    EXPECT_EQ(sink.Html(), "<table cellpadding=\"1\" border=\"1\" border-collapse=\"collapse\">\r\n<tbody>\r\n" +
                               headerRow + row + row + "</tbody>\r\n</table>\r\n");

    const std::vector<ColorRun> runs = Runs(sink);
    const std::vector<ColorRun> opening = {
        {u"<table", kBlue},    {u" cellpadding=\"", kGrey},
        {u"1", kRed},          {u"\" border=\"", kGrey},
        {u"1", kRed},          {u"\" border-collapse=\"", kGrey},
        {u"collapse", kRed},   {u"\"", kGrey},
        {u">\r\n<tbody>\r\n<tr>\r\n<th>", kBlue}, {u"0", kBlack},
        {u"</th>\r\n<th>", kBlue}};
    ASSERT_GE(runs.size(), opening.size());
    EXPECT_EQ(std::vector<ColorRun>(runs.begin(), runs.begin() + opening.size()), opening);
    EXPECT_EQ(runs.back(), ColorRun(u"</td>\r\n</tr>\r\n</tbody>\r\n</table>\r\n", kBlue));
    // Twelve prefilled characters, each its own black run between blue tags.
    int black = 0;
    for (const ColorRun& run : runs) black += run.second == kBlack;
    EXPECT_EQ(black, 12);
}

TEST(TableHtml, CellspacingIsLeftOutOnlyWhenTheBordersCollapse) {
    TableOptions options = Initial();
    for (const char16_t* mode : {u"separate", u"inherit"}) {
        CopyToField(options.borderCollapse, mode);
        EXPECT_EQ(TableTag(options), "<table cellpadding=\"1\" cellspacing=\"0\" border=\"1\" border-collapse=\"" +
                                         WideToUtf8(mode) + "\">\r\n");
    }
    // "collapse" without its attribute ticked does not hide the spacing.
    CopyToField(options.borderCollapse, u"collapse");
    options.flags &= ~kTableBorderCollapse;
    EXPECT_EQ(TableTag(options), "<table cellpadding=\"1\" cellspacing=\"0\" border=\"1\">\r\n");
    options.flags &= ~kTableCellspacing;
    EXPECT_EQ(TableTag(options), "<table cellpadding=\"1\" border=\"1\">\r\n");
    options.flags = 0;
    EXPECT_EQ(TableTag(options), "<table>\r\n");
}

TEST(TableHtml, WidthJoinsNumberAndUnitAsOneRedValueAfterTheOtherAttributes) {
    TableOptions options = Initial();
    options.flags |= kTableWidth;
    CopyToField(options.width, u"50");
    CopyToField(options.widthUnit, u"px");
    EXPECT_EQ(TableTag(options),
              "<table cellpadding=\"1\" border=\"1\" border-collapse=\"collapse\" width=\"50px\">\r\n");
    const std::vector<ColorRun> runs = Runs(Generate(options));
    EXPECT_NE(std::find(runs.begin(), runs.end(), ColorRun(u"50px", kRed)), runs.end());
}

TEST(TableHtml, HeaderRowAndColumnMakeTheFirstRowAndEachFirstCellTh) {
    TableOptions options = Initial();
    options.headerCol = 1;
    options.rows = 3;
    options.cols = 2;
    const std::string html = Generate(options).Html();
    EXPECT_NE(html.find("<tbody>\r\n<tr>\r\n<th>0</th>\r\n<th>0</th>\r\n</tr>\r\n"
                        "<tr>\r\n<th>0</th>\r\n<td>0</td>\r\n</tr>\r\n"
                        "<tr>\r\n<th>0</th>\r\n<td>0</td>\r\n</tr>\r\n</tbody>"),
              std::string::npos)
        << html;
    options.headerRow = 0;
    options.headerCol = 0;
    EXPECT_EQ(Generate(options).Html().find("<th>"), std::string::npos);
}

TEST(TableHtml, WithoutPrefillEveryCellIsAnEmptyBlueElement) {
    TableOptions options = Initial();
    options.prefill = 0;
    options.rows = 2;
    options.cols = 2;
    const RecordingSink sink = Generate(options);
    EXPECT_NE(sink.Html().find("<tbody>\r\n<tr>\r\n<th></th>\r\n<th></th>\r\n</tr>\r\n"
                               "<tr>\r\n<td></td>\r\n<td></td>\r\n</tr>\r\n</tbody>"),
              std::string::npos);
    for (const ColorRun& run : Runs(sink)) EXPECT_NE(run.second, kBlack) << WideToUtf8(run.first);
}

TEST(TableHtml, CaptionGoesOutUnescapedInBlackBetweenBlueTags) {
    TableOptions options = Initial();
    CopyToField(options.caption, u"a < b & \"c\"");
    const std::vector<ColorRun> runs = Runs(Generate(options));
    const std::vector<ColorRun> expected = {{u"collapse", kRed},
                                       {u"\"", kGrey},
                                       {u">\r\n<caption>", kBlue},
                                       {u"a < b & \"c\"", kBlack},
                                       {u"</caption>\r\n<tbody>\r\n<tr>\r\n<th>", kBlue}};
    const auto at = std::find(runs.begin(), runs.end(), expected[0]);
    ASSERT_LE(at + expected.size(), runs.end());
    EXPECT_EQ(std::vector<ColorRun>(at, at + expected.size()), expected);
}

TEST(TableHtml, FullFieldsAndOutOfRangeCountsStayInBounds) {
    TableOptions options = Initial();
    // A field filled to its end without a NUL is read to its end, not beyond.
    for (char16_t& unit : options.cellpadding) unit = u'9';
    EXPECT_EQ(TableTag(options).substr(0, 29), "<table cellpadding=\"99999999\"");
    options.rows = 1000000;
    options.cols = -5;
    std::string emptyRows;
    for (int i = 0; i < kMaxTableRows; ++i) emptyRows += "<tr>\r\n</tr>\r\n";
    EXPECT_EQ(Generate(options).Html().substr(TableTag(options).size()),
              "<tbody>\r\n" + emptyRows + "</tbody>\r\n</table>\r\n");
}

TEST(TableHtml, HundredByHundredIsTenThousandCells) {
    TableOptions options = Initial();
    options.rows = kMaxTableRows;
    options.cols = kMaxTableCols;
    const std::string html = Generate(options).Html();
    size_t cells = 0;
    for (size_t at = html.find("<t"); at != std::string::npos; at = html.find("<t", at + 1))
        cells += html.compare(at, 4, "<td>") == 0 || html.compare(at, 4, "<th>") == 0;
    EXPECT_EQ(cells, 10000u);
}

}  // namespace
