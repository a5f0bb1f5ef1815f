#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <functional>
#include <string>

#include "main_window_test_support_win.h"
#include "resources/resource.h"
#include "tests/app/dialog_test_support_win.h"
#include "tests/app/pane_test_support_win.h"

namespace {

// What a test does in the open dialog; it ends by pressing a button.
std::function<void(HWND)> script;
bool dialogFound = false;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = FindThreadDialog();
    if (!dialog) return;
    dialogFound = true;
    script(dialog);
    // A script stopped by a failed assertion must not leave the test waiting;
    // after an ended dialog the message finds no window.
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
bool Ticked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
std::wstring FieldText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }
LRESULT ComboSelection(HWND dialog, int id) { return SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0); }

COLORREF ColorAt(HWND pane, LONG index) {
    CHARRANGE one = {index, index + 1};
    SendMessageW(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
    CHARFORMATW format = {};
    format.cbSize = sizeof format;
    SendMessageW(pane, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    EXPECT_FALSE(format.dwEffects & CFE_BOLD) << index;
    return format.crTextColor;
}

// The pane keeps a line end as CR alone: where the text's unit `at` lies there.
LONG PaneIndex(const std::wstring& text, size_t at) {
    size_t lineEnds = 0;
    for (size_t i = 0; i < at; ++i) lineEnds += text[i] == L'\n';
    return static_cast<LONG>(at - lineEnds);
}

const std::wstring kInitialTable =
    L"<table cellpadding=\"1\" border=\"1\" border-collapse=\"collapse\">\r\n<tbody>\r\n"
    L"<tr>\r\n<th>0</th>\r\n<th>0</th>\r\n<th>0</th>\r\n<th>0</th>\r\n</tr>\r\n"
    L"<tr>\r\n<td>0</td>\r\n<td>0</td>\r\n<td>0</td>\r\n<td>0</td>\r\n</tr>\r\n"
    L"<tr>\r\n<td>0</td>\r\n<td>0</td>\r\n<td>0</td>\r\n<td>0</td>\r\n</tr>\r\n"
    L"</tbody>\r\n</table>\r\n";

class TableDialog : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        ASSERT_NE(window_.handle(), nullptr);
        dialogFound = false;
    }
    HWND Pane() { return window_.Child(IDC_HTML_PANE); }
    std::wstring Html() { return window_.Text(IDC_HTML_PANE); }
    // Opens the dialog as the menu does and runs `steps` in it.
    void Run(std::function<void(HWND)> steps) {
        script = std::move(steps);
        SetTimer(nullptr, 0, 50, RunScript);
        SendMessageW(window_.handle(), WM_COMMAND, IDM_GENERATE_TABLE, 0);
        EXPECT_TRUE(dialogFound);
    }
    // The text between "<table" and the end of its tag.
    std::wstring TableTag() {
        const std::wstring html = Html();
        return html.substr(0, html.find(L">\r\n") + 1);
    }

    MainWindowUnderTest window_{800, 600};
};

INT_PTR CALLBACK IgnoreEverything(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(TableDialogTemplate, EveryControlHasItsIdClassTextAndPlace) {
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TABLE), nullptr,
                                     IgnoreEverything, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), L"生成表格");
    RECT size = {0, 0, 320, 205};
    MapDialogRect(dialog, &size);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    const LONG style = GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);

    struct Control { int id; const wchar_t* className; const wchar_t* text; LONG kind; RECT place; };
    const LONG check = BS_AUTOCHECKBOX, list = CBS_DROPDOWNLIST, edit = -1;
    const Control controls[] = {
        {IDC_TABLE_CAPTION, L"Edit", L"", edit, {79, 7, 234, 14}},
        {IDC_TABLE_USE_CELLPADDING, L"Button", L"cellpadding:", check, {7, 27, 70, 10}},
        {IDC_TABLE_CELLPADDING, L"Edit", L"", edit, {79, 25, 40, 14}},
        {IDC_TABLE_USE_CELLSPACING, L"Button", L"cellspacing:", check, {7, 45, 70, 10}},
        {IDC_TABLE_CELLSPACING, L"Edit", L"", edit, {79, 43, 40, 14}},
        {IDC_TABLE_USE_BORDER, L"Button", L"border:", check, {7, 63, 70, 10}},
        {IDC_TABLE_BORDER, L"Edit", L"", edit, {79, 61, 40, 14}},
        {IDC_TABLE_USE_BORDER_COLLAPSE, L"Button", L"border-collapse:", check, {7, 80, 70, 10}},
        {IDC_TABLE_BORDER_COLLAPSE, L"ComboBox", L"", list, {79, 79, 87, 30}},
        {IDC_TABLE_USE_WIDTH, L"Button", L"width:", check, {7, 98, 70, 10}},
        {IDC_TABLE_WIDTH, L"Edit", L"", edit, {79, 96, 40, 14}},
        {IDC_TABLE_WIDTH_UNIT, L"ComboBox", L"", list, {125, 96, 58, 33}},
        {IDC_TABLE_ROWS, L"Edit", L"", edit, {103, 114, 40, 14}},
        {IDC_TABLE_COLS, L"Edit", L"", edit, {175, 114, 40, 14}},
        {IDC_TABLE_HEADER_ROW, L"Button", L"首行 header", check, {7, 137, 57, 10}},
        {IDC_TABLE_HEADER_COL, L"Button", L"首列 header", check, {7, 150, 57, 10}},
        {IDC_TABLE_PREFILL, L"Button", L"单元格内预填入一个字符", check, {7, 163, 104, 10}},
        {IDOK, L"Button", L"确定", BS_DEFPUSHBUTTON, {210, 184, 50, 14}},
        {IDCANCEL, L"Button", L"取消", BS_PUSHBUTTON, {263, 184, 50, 14}},
    };
    for (const Control& c : controls) {
        HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(control, nullptr) << c.id;
        wchar_t className[32];
        GetClassNameW(control, className, 32);
        EXPECT_STREQ(className, c.className) << c.id;
        EXPECT_EQ(TextOf(control), c.text) << c.id;
        const LONG controlStyle = GetWindowLongW(control, GWL_STYLE);
        if (c.kind == check || c.kind == BS_DEFPUSHBUTTON || c.kind == BS_PUSHBUTTON) {
            EXPECT_EQ(controlStyle & BS_TYPEMASK, c.kind) << c.id;
        }
        if (c.kind == list) {
            EXPECT_EQ(controlStyle & 3, CBS_DROPDOWNLIST) << c.id;
        }
        // The dialog manager converts position and size each on its own.
        RECT place = c.place;
        MapDialogRect(dialog, &place);
        RECT actual;
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, place.left) << c.id;
        EXPECT_EQ(actual.top, place.top) << c.id;
        EXPECT_EQ(actual.right - actual.left, place.right) << c.id;
        // A closed drop-down list is as high as its font needs; the template's
        // height is that of the open list.
        if (c.kind != list) {
            EXPECT_EQ(actual.bottom - actual.top, place.bottom) << c.id;
        }
    }
    DestroyWindow(dialog);
}

TEST_F(TableDialog, OpensWithTheStartValuesAndOkWritesTheirTableInItsColours) {
    SetWindowTextW(Pane(), L"earlier HTML");
    Run([](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), L"生成表格");
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_CAPTION), L"");
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_CELLPADDING), L"1");
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_CELLSPACING), L"0");
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_BORDER), L"1");
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_WIDTH), L"80");
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_ROWS), L"3");
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_COLS), L"4");
        EXPECT_EQ(ComboSelection(dialog, IDC_TABLE_WIDTH_UNIT), 1);
        EXPECT_EQ(ComboSelection(dialog, IDC_TABLE_BORDER_COLLAPSE), 1);
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_BORDER_COLLAPSE), L"collapse - 边框合并");
        EXPECT_TRUE(Ticked(dialog, IDC_TABLE_HEADER_ROW));
        EXPECT_FALSE(Ticked(dialog, IDC_TABLE_HEADER_COL));
        EXPECT_TRUE(Ticked(dialog, IDC_TABLE_PREFILL));
        for (int id : {IDC_TABLE_USE_CELLPADDING, IDC_TABLE_USE_CELLSPACING, IDC_TABLE_USE_BORDER,
                       IDC_TABLE_USE_BORDER_COLLAPSE})
            EXPECT_TRUE(Ticked(dialog, id)) << id;
        EXPECT_FALSE(Ticked(dialog, IDC_TABLE_USE_WIDTH));
        EXPECT_FALSE(Enabled(dialog, IDC_TABLE_WIDTH));
        EXPECT_FALSE(Enabled(dialog, IDC_TABLE_WIDTH_UNIT));
        EXPECT_TRUE(Enabled(dialog, IDC_TABLE_CELLPADDING));
        Click(dialog, IDOK);
    });
    ASSERT_EQ(Html(), kInitialTable);
    EXPECT_TRUE(messages().empty());
    // Tag, attribute name, value, quote, prefilled character.
    EXPECT_EQ(ColorAt(Pane(), 0), RGB(0, 0, 255));
    EXPECT_EQ(ColorAt(Pane(), 7), RGB(128, 128, 128));
    EXPECT_EQ(ColorAt(Pane(), 20), RGB(255, 0, 0));
    EXPECT_EQ(ColorAt(Pane(), 21), RGB(128, 128, 128));
    const LONG firstZero = PaneIndex(kInitialTable, kInitialTable.find(L">0<") + 1);
    EXPECT_EQ(ColorAt(Pane(), firstZero), RGB(0, 0, 0));
    EXPECT_EQ(ColorAt(Pane(), firstZero - 1), RGB(0, 0, 255));
}

TEST_F(TableDialog, CountsOutsideOneToAHundredAreRefusedWithAWarningAndTheDialogStaysOpen) {
    SetWindowTextW(Pane(), L"kept");
    Run([this](HWND dialog) {
        for (int field : {IDC_TABLE_ROWS, IDC_TABLE_COLS}) {
            for (const wchar_t* bad : {L"0", L"101", L"-3", L""}) {
                messages().clear();
                SetDlgItemTextW(dialog, IDC_TABLE_ROWS, L"3");
                SetDlgItemTextW(dialog, IDC_TABLE_COLS, L"4");
                SetDlgItemTextW(dialog, field, bad);
                Click(dialog, IDOK);
                ASSERT_EQ(messages().size(), 1u) << field << bad;
                EXPECT_EQ(messages()[0].text, field == IDC_TABLE_ROWS ? L"行数输入错误，请输入 1 ~ 100 之间数字。"
                                                                      : L"列数输入错误，请输入 1 ~ 100 之间数字。");
                EXPECT_EQ(messages()[0].caption, L"Lumatype");
                EXPECT_EQ(messages()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
                // A modal dialog keeps its owner disabled until it ends.
                EXPECT_FALSE(IsWindowEnabled(window_.handle())) << bad;
                EXPECT_EQ(Html(), L"kept");
            }
        }
        messages().clear();
        SetDlgItemTextW(dialog, IDC_TABLE_ROWS, L"100");
        SetDlgItemTextW(dialog, IDC_TABLE_COLS, L"100");
        Click(dialog, IDOK);
        EXPECT_TRUE(messages().empty());
        EXPECT_TRUE(IsWindowEnabled(window_.handle()));
    });
    const std::wstring html = Html();
    size_t rows = 0, cells = 0;
    for (size_t at = html.find(L"<tr>"); at != std::wstring::npos; at = html.find(L"<tr>", at + 1)) ++rows;
    for (size_t at = html.find(L">0</t"); at != std::wstring::npos; at = html.find(L">0</t", at + 1)) ++cells;
    EXPECT_EQ(rows, 100u);
    EXPECT_EQ(cells, 10000u);
}

TEST_F(TableDialog, CellspacingIsWrittenWithSeparateAndInherit) {
    for (LRESULT mode : {0, 2}) {
        Run([mode](HWND dialog) {
            SendDlgItemMessageW(dialog, IDC_TABLE_BORDER_COLLAPSE, CB_SETCURSEL, mode, 0);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(TableTag(), std::wstring(L"<table cellpadding=\"1\" cellspacing=\"0\" border=\"1\" border-collapse=\"") +
                                  (mode == 0 ? L"separate" : L"inherit") + L"\">");
    }
}

TEST_F(TableDialog, CheckboxesEnableTheirFieldsAndWidthFiftyInPixelsIsWritten) {
    Run([](HWND dialog) {
        Click(dialog, IDC_TABLE_USE_WIDTH);
        EXPECT_TRUE(Enabled(dialog, IDC_TABLE_WIDTH));
        EXPECT_TRUE(Enabled(dialog, IDC_TABLE_WIDTH_UNIT));
        struct Link { int checkbox, field; };
        for (Link link : {Link{IDC_TABLE_USE_CELLPADDING, IDC_TABLE_CELLPADDING},
                          Link{IDC_TABLE_USE_CELLSPACING, IDC_TABLE_CELLSPACING},
                          Link{IDC_TABLE_USE_BORDER, IDC_TABLE_BORDER},
                          Link{IDC_TABLE_USE_BORDER_COLLAPSE, IDC_TABLE_BORDER_COLLAPSE}}) {
            Click(dialog, link.checkbox);
            EXPECT_FALSE(Enabled(dialog, link.field)) << link.field;
            Click(dialog, link.checkbox);
            EXPECT_TRUE(Enabled(dialog, link.field)) << link.field;
        }
        Click(dialog, IDC_TABLE_USE_BORDER);
        SetDlgItemTextW(dialog, IDC_TABLE_WIDTH, L"50");
        SendDlgItemMessageW(dialog, IDC_TABLE_WIDTH_UNIT, CB_SETCURSEL, 0, 0);
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_WIDTH_UNIT), L"像素");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(TableTag(), L"<table cellpadding=\"1\" border-collapse=\"collapse\" width=\"50px\">");

    // At the next opening the attributes and the collapse mode start over;
    // the texts and the unit are the stored ones.
    Run([](HWND dialog) {
        EXPECT_TRUE(Ticked(dialog, IDC_TABLE_USE_BORDER));
        EXPECT_FALSE(Ticked(dialog, IDC_TABLE_USE_WIDTH));
        EXPECT_FALSE(Enabled(dialog, IDC_TABLE_WIDTH));
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_WIDTH), L"50");
        EXPECT_EQ(ComboSelection(dialog, IDC_TABLE_WIDTH_UNIT), 0);
        Click(dialog, IDCANCEL);
    });
}

TEST_F(TableDialog, BothHeadersPrefillOffAndACaptionWithALessThanSign) {
    Run([](HWND dialog) {
        Click(dialog, IDC_TABLE_HEADER_COL);
        Click(dialog, IDC_TABLE_PREFILL);
        SetDlgItemTextW(dialog, IDC_TABLE_CAPTION, L"a<b 表");
        SetDlgItemTextW(dialog, IDC_TABLE_ROWS, L"2");
        SetDlgItemTextW(dialog, IDC_TABLE_COLS, L"3");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(Html(), L"<table cellpadding=\"1\" border=\"1\" border-collapse=\"collapse\">\r\n"
                      L"<caption>a<b 表</caption>\r\n<tbody>\r\n"
                      L"<tr>\r\n<th></th>\r\n<th></th>\r\n<th></th>\r\n</tr>\r\n"
                      L"<tr>\r\n<th></th>\r\n<td></td>\r\n<td></td>\r\n</tr>\r\n"
                      L"</tbody>\r\n</table>\r\n");
    const std::wstring html = Html();
    const LONG caption = PaneIndex(html, html.find(L"a<b"));
    EXPECT_EQ(ColorAt(Pane(), caption + 1), RGB(0, 0, 0));
    EXPECT_EQ(ColorAt(Pane(), caption - 1), RGB(0, 0, 255));
}

TEST_F(TableDialog, CancelLeavesThePaneUntouchedAndARefusedCountStaysStored) {
    SetWindowTextW(Pane(), L"kept");
    Run([](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_TABLE_CAPTION, L"changed");
        SetDlgItemTextW(dialog, IDC_TABLE_COLS, L"101");
        Click(dialog, IDOK);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Html(), L"kept");
    // What the refused OK had read before the columns stays.
    Run([](HWND dialog) {
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_CAPTION), L"changed");
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_COLS), L"101");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Html(), L"kept");
}

}  // namespace
