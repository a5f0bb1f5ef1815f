#include "table/table_options.h"

#include <gtest/gtest.h>

namespace {

TableOptions Initial() {
    TableOptions options;
    SetInitialTableOptions(options);
    return options;
}

TableDialogFields Fields(bool rowsIsNumber, int32_t rows, bool colsIsNumber, int32_t cols) {
    TableDialogFields fields{};
    fields.attributeTicked[1] = fields.attributeTicked[3] = true;  // cellspacing, width
    fields.caption = u"标题";
    fields.cellpadding = u"2";
    fields.cellspacing = u"3";
    fields.border = u"4";
    fields.width = u"50";
    fields.unitSelection = 0;
    fields.collapseSelection = 2;
    fields.rowsIsNumber = rowsIsNumber;
    fields.rows = rows;
    fields.colsIsNumber = colsIsNumber;
    fields.cols = cols;
    fields.headerRow = false;
    fields.headerCol = true;
    fields.prefill = false;
    return fields;
}

TEST(TableOptions, CountsFromOneToAHundredAreTakenAndEverythingIsStored) {
    for (int32_t count : {1, 100}) {
        TableOptions options = Initial();
        ASSERT_EQ(StoreTableFields(Fields(true, count, true, count), options), TableFieldsResult::Stored);
        EXPECT_EQ(options.flags, 4 + 16);
        EXPECT_EQ(WString(options.caption), u"标题");
        EXPECT_EQ(WString(options.cellpadding) + options.cellspacing + options.border + options.width, u"23450");
        EXPECT_EQ(WString(options.widthUnit), u"px");
        EXPECT_EQ(WString(options.borderCollapse), u"inherit");
        EXPECT_EQ(options.rows, count);
        EXPECT_EQ(options.cols, count);
        EXPECT_EQ(options.headerRow, 0);
        EXPECT_EQ(options.headerCol, 1);
        EXPECT_EQ(options.prefill, 0);
    }
}

TEST(TableOptions, ABadRowCountStopsTheReadingAfterTheRowsButKeepsWhatCameBefore) {
    struct Count { bool isNumber; int32_t value; };
    for (Count bad : {Count{true, 0}, Count{true, 101}, Count{true, -3}, Count{false, 0}}) {
        TableOptions options = Initial();
        EXPECT_EQ(StoreTableFields(Fields(bad.isNumber, bad.value, true, 5), options), TableFieldsResult::BadRows);
        EXPECT_EQ(options.flags, 4 + 16);
        EXPECT_EQ(WString(options.borderCollapse), u"inherit");
        EXPECT_EQ(options.rows, bad.value);
        EXPECT_EQ(options.cols, 4);
        EXPECT_EQ(options.prefill, 1);

        options = Initial();
        EXPECT_EQ(StoreTableFields(Fields(true, 7, bad.isNumber, bad.value), options), TableFieldsResult::BadCols);
        EXPECT_EQ(options.rows, 7);
        EXPECT_EQ(options.cols, bad.value);
        EXPECT_EQ(options.headerCol, 0);
    }
    EXPECT_EQ(WString(TableFieldsMessage(TableFieldsResult::BadRows)), u"行数输入错误，请输入 1 ~ 100 之间数字。");
    EXPECT_EQ(WString(TableFieldsMessage(TableFieldsResult::BadCols)), u"列数输入错误，请输入 1 ~ 100 之间数字。");
    EXPECT_EQ(TableFieldsMessage(TableFieldsResult::Stored), nullptr);
}

TEST(TableOptions, ComboSelectionsMapToUnitAndCollapseWithSeparateForNone) {
    struct Case { long unit, collapse; const char16_t* widthUnit; const char16_t* borderCollapse; };
    for (Case c : {Case{0, 0, u"px", u"separate"}, Case{1, 1, u"%", u"collapse"}, Case{-1, -1, u"%", u"separate"},
                   Case{0, 2, u"px", u"inherit"}}) {
        TableOptions options = Initial();
        TableDialogFields fields = Fields(true, 1, true, 1);
        fields.unitSelection = c.unit;
        fields.collapseSelection = c.collapse;
        StoreTableFields(fields, options);
        EXPECT_EQ(WString(options.widthUnit), c.widthUnit) << c.unit;
        EXPECT_EQ(WString(options.borderCollapse), c.borderCollapse) << c.collapse;
    }
}

TEST(TableOptions, LongTextsAreCutToTheirFields) {
    TableOptions options = Initial();
    TableDialogFields fields = Fields(true, 1, true, 1);
    const WString longCaption(300, u'x');
    fields.caption = longCaption;
    fields.width = u"123456789";
    StoreTableFields(fields, options);
    EXPECT_EQ(WString(options.caption), WString(127, u'x'));
    EXPECT_EQ(WString(options.width), u"1234567");
}

}  // namespace
