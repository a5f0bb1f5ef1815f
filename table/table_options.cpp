#include "table/table_options.h"

const char16_t* const kWidthUnitItems[kWidthUnitCount] = {u"像素", u"百分比"};
const char16_t* const kBorderCollapseItems[kBorderCollapseCount] = {u"separate - 边框独立", u"collapse - 边框合并",
                                                                    u"inherit - 继承"};

void SetInitialTableOptions(TableOptions& options) {
    options = TableOptions{};
    options.flags = kTableCellpadding | kTableCellspacing | kTableBorder | kTableBorderCollapse;
    options.rows = 3;
    options.cols = 4;
    CopyToField(options.cellpadding, u"1");
    CopyToField(options.cellspacing, u"0");
    CopyToField(options.border, u"1");
    CopyToField(options.borderCollapse, u"collapse");
    CopyToField(options.width, u"80");
    CopyToField(options.widthUnit, u"%");
    options.headerRow = 1;
    options.headerCol = 0;
    options.prefill = 1;
}

namespace {

bool IsTableCount(bool isNumber, int32_t value, int32_t most) { return isNumber && value > 0 && value <= most; }

}  // namespace

TableFieldsResult StoreTableFields(const TableDialogFields& fields, TableOptions& options) {
    options.flags = 0;
    for (int i = 0; i < kTableAttributeCount; ++i)
        if (fields.attributeTicked[i]) options.flags |= kTableAttributes[i];
    CopyToField(options.caption, fields.caption);
    CopyToField(options.cellpadding, fields.cellpadding);
    CopyToField(options.cellspacing, fields.cellspacing);
    CopyToField(options.border, fields.border);
    CopyToField(options.width, fields.width);
    CopyToField(options.widthUnit, fields.unitSelection != 0 ? u"%" : u"px");
    CopyToField(options.borderCollapse, fields.collapseSelection == 1   ? u"collapse"
                                        : fields.collapseSelection == 2 ? u"inherit"
                                                                        : u"separate");
    options.rows = fields.rows;
    if (!IsTableCount(fields.rowsIsNumber, fields.rows, kMaxTableRows)) return TableFieldsResult::BadRows;
    options.cols = fields.cols;
    if (!IsTableCount(fields.colsIsNumber, fields.cols, kMaxTableCols)) return TableFieldsResult::BadCols;
    options.headerRow = fields.headerRow;
    options.headerCol = fields.headerCol;
    options.prefill = fields.prefill;
    return TableFieldsResult::Stored;
}

const char16_t* TableFieldsMessage(TableFieldsResult result) {
    switch (result) {
    case TableFieldsResult::BadRows:
        return u"行数输入错误，请输入 1 ~ 100 之间数字。";
    case TableFieldsResult::BadCols:
        return u"列数输入错误，请输入 1 ~ 100 之间数字。";
    case TableFieldsResult::Stored:
        break;
    }
    return nullptr;
}
