#include "app/table_dialog_win.h"

#include <windowsx.h>

#include <iterator>

#include "app/center_dialog_win.h"
#include "app/dialog_icons_win.h"
#include "app/pane_calls_win.h"
#include "resources/resource.h"

namespace {

// Each attribute's checkbox and the fields it enables, in the order of
// kTableAttributes.
struct AttributeControls {
    int checkbox;
    int fields[2];  // 0 where there is no second field
};
constexpr AttributeControls kAttributeControls[kTableAttributeCount] = {
    {IDC_TABLE_USE_CELLPADDING, {IDC_TABLE_CELLPADDING, 0}},
    {IDC_TABLE_USE_CELLSPACING, {IDC_TABLE_CELLSPACING, 0}},
    {IDC_TABLE_USE_BORDER, {IDC_TABLE_BORDER, 0}},
    {IDC_TABLE_USE_WIDTH, {IDC_TABLE_WIDTH, IDC_TABLE_WIDTH_UNIT}},
    {IDC_TABLE_USE_BORDER_COLLAPSE, {IDC_TABLE_BORDER_COLLAPSE, 0}},
};

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

TableOptions* OptionsOf(HWND dialog) { return reinterpret_cast<TableOptions*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

bool IsTicked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void Tick(HWND dialog, int id, bool ticked) { CheckDlgButton(dialog, id, ticked ? BST_CHECKED : BST_UNCHECKED); }

void FillCombo(HWND dialog, int id, const char16_t* const* items, int count, int selection) {
    for (int i = 0; i < count; ++i) SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(items[i])));
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, selection, 0);
}

void EnableAttributeFields(HWND dialog, const AttributeControls& attribute) {
    const bool ticked = IsTicked(dialog, attribute.checkbox);
    for (int field : attribute.fields)
        if (field) EnableWindow(GetDlgItem(dialog, field), ticked);
}

BOOL OnInitDialog(HWND dialog, HWND, LPARAM optionsAddress) {
    SetWindowLongPtrW(dialog, DWLP_USER, optionsAddress);
    const TableOptions& options = *reinterpret_cast<const TableOptions*>(optionsAddress);
    FillCombo(dialog, IDC_TABLE_WIDTH_UNIT, kWidthUnitItems, kWidthUnitCount,
              WStringView(options.widthUnit) == u"px" ? 0 : 1);
    SetDlgItemTextW(dialog, IDC_TABLE_CAPTION, Wide(options.caption));
    SetDlgItemTextW(dialog, IDC_TABLE_CELLPADDING, Wide(options.cellpadding));
    SetDlgItemTextW(dialog, IDC_TABLE_CELLSPACING, Wide(options.cellspacing));
    SetDlgItemTextW(dialog, IDC_TABLE_BORDER, Wide(options.border));
    SetDlgItemTextW(dialog, IDC_TABLE_WIDTH, Wide(options.width));
    SetDlgItemInt(dialog, IDC_TABLE_ROWS, static_cast<UINT>(options.rows), TRUE);
    SetDlgItemInt(dialog, IDC_TABLE_COLS, static_cast<UINT>(options.cols), TRUE);
    Tick(dialog, IDC_TABLE_HEADER_ROW, options.headerRow);
    Tick(dialog, IDC_TABLE_HEADER_COL, options.headerCol);
    Tick(dialog, IDC_TABLE_PREFILL, options.prefill);
    // The attributes and the collapse mode start over at every opening, so
    // one left out last time comes back unless it is left out again.
    FillCombo(dialog, IDC_TABLE_BORDER_COLLAPSE, kBorderCollapseItems, kBorderCollapseCount, kCollapseItem);
    for (const AttributeControls& attribute : kAttributeControls) {
        Tick(dialog, attribute.checkbox, attribute.checkbox != IDC_TABLE_USE_WIDTH);
        EnableAttributeFields(dialog, attribute);
    }
    SetDialogIcons(dialog);
    CenterDialog(dialog);
    return TRUE;
}

// Read into a buffer the size of the option's field: GetDlgItemTextW cuts
// the text to it, as the stored option will hold it.
template <size_t N>
WStringView ReadText(HWND dialog, int id, char16_t (&buffer)[N]) {
    const UINT length = GetDlgItemTextW(dialog, id, reinterpret_cast<wchar_t*>(buffer), static_cast<int>(N));
    return WStringView(buffer, length);
}

void OnOk(HWND dialog) {
    TableOptions* options = OptionsOf(dialog);
    if (!options) return;
    TableOptions texts;  // the fields' text, cut as the options' fields cut it
    TableDialogFields fields{};
    for (int i = 0; i < kTableAttributeCount; ++i) fields.attributeTicked[i] = IsTicked(dialog, kAttributeControls[i].checkbox);
    fields.caption = ReadText(dialog, IDC_TABLE_CAPTION, texts.caption);
    fields.cellpadding = ReadText(dialog, IDC_TABLE_CELLPADDING, texts.cellpadding);
    fields.cellspacing = ReadText(dialog, IDC_TABLE_CELLSPACING, texts.cellspacing);
    fields.border = ReadText(dialog, IDC_TABLE_BORDER, texts.border);
    fields.width = ReadText(dialog, IDC_TABLE_WIDTH, texts.width);
    fields.unitSelection = static_cast<long>(SendDlgItemMessageW(dialog, IDC_TABLE_WIDTH_UNIT, CB_GETCURSEL, 0, 0));
    fields.collapseSelection =
        static_cast<long>(SendDlgItemMessageW(dialog, IDC_TABLE_BORDER_COLLAPSE, CB_GETCURSEL, 0, 0));
    BOOL isNumber = FALSE;
    fields.rows = static_cast<int32_t>(GetDlgItemInt(dialog, IDC_TABLE_ROWS, &isNumber, TRUE));
    fields.rowsIsNumber = isNumber;
    fields.cols = static_cast<int32_t>(GetDlgItemInt(dialog, IDC_TABLE_COLS, &isNumber, TRUE));
    fields.colsIsNumber = isNumber;
    fields.headerRow = IsTicked(dialog, IDC_TABLE_HEADER_ROW);
    fields.headerCol = IsTicked(dialog, IDC_TABLE_HEADER_COL);
    fields.prefill = IsTicked(dialog, IDC_TABLE_PREFILL);

    const TableFieldsResult result = StoreTableFields(fields, *options);
    if (result == TableFieldsResult::Stored)
        EndDialog(dialog, IDOK);
    else
        ShowProgramMessage(dialog, Wide(TableFieldsMessage(result)), MB_ICONWARNING);
}

void OnCommand(HWND dialog, int id, HWND, UINT) {
    for (const AttributeControls& attribute : kAttributeControls)
        if (id == attribute.checkbox) EnableAttributeFields(dialog, attribute);
    if (id == IDOK) OnOk(dialog);
    if (id == IDCANCEL) EndDialog(dialog, IDCANCEL);
}

INT_PTR CALLBACK TableProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(dialog, WM_INITDIALOG, OnInitDialog);
        HANDLE_MSG(dialog, WM_COMMAND, OnCommand);
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR ShowTableDialog(HWND owner, TableOptions* options) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TABLE), owner, TableProc,
                           reinterpret_cast<LPARAM>(options));
}
