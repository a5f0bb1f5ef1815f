#pragma once
// The table generator's options, kept for the whole run so the dialog shows
// the last values again, and the rule by which the dialog's fields are taken.
#include <cstdint>
#include "base/wide.h"

// Bits of TableOptions::flags: which attributes the table tag carries.
enum TableAttribute : int32_t {
    kTableCellpadding = 2,
    kTableCellspacing = 4,
    kTableBorder = 8,
    kTableWidth = 16,
    kTableBorderCollapse = 32,
};
constexpr int kTableAttributeCount = 5;
// The attributes in the order of their checkboxes (and of their bits).
constexpr int32_t kTableAttributes[kTableAttributeCount] = {kTableCellpadding, kTableCellspacing, kTableBorder,
                                                            kTableWidth, kTableBorderCollapse};

constexpr int32_t kMaxTableRows = 100;
constexpr int32_t kMaxTableCols = 100;

struct TableOptions {
    int32_t flags;
    int32_t rows;
    int32_t cols;
    char16_t caption[128];
    char16_t cellpadding[8];
    char16_t cellspacing[8];
    char16_t border[8];
    char16_t borderCollapse[16];  // "separate", "collapse" or "inherit"
    char16_t width[8];            // the number part of the width
    char16_t widthUnit[4];        // "px" or "%"
    int32_t headerRow;            // 1: the first row's cells are th
    int32_t headerCol;            // 1: the first column's cells are th
    int32_t prefill;              // 1: every cell holds "0"
};

// The options of a fresh start; nothing of them is saved.
void SetInitialTableOptions(TableOptions& options);

// The unit combo's items and the border-collapse combo's items, by index.
constexpr int kWidthUnitCount = 2;
extern const char16_t* const kWidthUnitItems[kWidthUnitCount];
constexpr int kBorderCollapseCount = 3;
extern const char16_t* const kBorderCollapseItems[kBorderCollapseCount];
constexpr int kCollapseItem = 1;  // selected at every opening

// What the dialog's controls hold when OK is pressed.
struct TableDialogFields {
    bool attributeTicked[kTableAttributeCount];  // in the order of kTableAttributes
    WStringView caption, cellpadding, cellspacing, border, width;
    long unitSelection;
    long collapseSelection;
    bool rowsIsNumber;
    int32_t rows;
    bool colsIsNumber;
    int32_t cols;
    bool headerRow, headerCol, prefill;
};

enum class TableFieldsResult { Stored, BadRows, BadCols };

// Stores the fields into the options in the dialog's reading order. A bad
// row or column count stops the reading there: what came before it stays
// stored, the rest keeps its old value.
TableFieldsResult StoreTableFields(const TableDialogFields& fields, TableOptions& options);

// The warning for a refused count; null for Stored.
const char16_t* TableFieldsMessage(TableFieldsResult result);
