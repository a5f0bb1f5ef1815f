#pragma once
// Resource, command and control identifiers of the program, grouped by owner.
// The numbers are fixed: menus, accelerators, dialogs and tests refer to them.

// Program-wide resources
#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109
#define IDR_MAIN_MENU 109
#define IDR_ACCELERATORS 109
#define IDCUR_SPLITTER 129
#define IDB_TOOLBAR 130
#define IDB_ABOUT_BANNER 133
#define IDI_LUMATYPE 136

// Commands (menu items, toolbar buttons, accelerators)
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_CONVERT 32773
#define IDM_COPY_HTML 32774
#define IDM_DECREASE_INDENT 32778
#define IDM_INCREASE_INDENT 32779
#define IDM_CLEAR_CODE 32783
#define IDM_PASTE_CODE 32784
#define IDM_VIEW_THEME 32787
#define IDM_GENERATE_TABLE 32790
#define IDM_OPTIONS 32791

// Main window children: id = 500 + their index in the creation order
#define IDC_TOOLBAR 500
#define IDC_STATUSBAR 501
#define IDC_LANGUAGE_LABEL 502
#define IDC_LANGUAGE_COMBO 503
#define IDC_LINE_NUMBERS 504
#define IDC_START_LINE_LABEL 505
#define IDC_START_LINE 506
#define IDC_CODE_PANE 507
#define IDC_HTML_PANE 508
#define IDC_SPLITTER 509

// About dialog
#define IDD_ABOUT 103
#define IDC_ABOUT_BANNER 2
#define IDC_ABOUT_TEXT 1000
#define IDC_ABOUT_VERSION 1001  // "Lumatype 代码转换 ... 版": the number is filled in at run time

// Dialogs of the configuration and table commands
#define IDD_THEME_VIEWER 134
#define IDD_TABLE 135
#define IDD_OPTIONS 137

// Theme viewer dialog
#define IDC_THEME_VIEWER_HTML 1002
#define IDC_THEME_VIEWER_RGB 1003
#define IDC_THEME_VIEWER_ROLES 1004
#define IDC_THEME_VIEWER_SWATCH 1005  // owner-drawn: the colour and the role's name written in it
#define IDC_THEME_VIEWER_NAME 1027    // "Theme Name" until the active theme's name replaces it

// Table dialog (135)
#define IDC_TABLE_CELLPADDING 1006
#define IDC_TABLE_CELLSPACING 1007
#define IDC_TABLE_BORDER 1008
#define IDC_TABLE_WIDTH 1009
#define IDC_TABLE_ROWS 1010
#define IDC_TABLE_COLS 1011
#define IDC_TABLE_HEADER_ROW 1012
#define IDC_TABLE_HEADER_COL 1013
#define IDC_TABLE_PREFILL 1014
#define IDC_TABLE_WIDTH_UNIT 1015
#define IDC_TABLE_CAPTION 1016
#define IDC_TABLE_BORDER_COLLAPSE 1019
#define IDC_TABLE_USE_CELLPADDING 1020
#define IDC_TABLE_USE_CELLSPACING 1021
#define IDC_TABLE_USE_BORDER 1022
#define IDC_TABLE_USE_WIDTH 1023
#define IDC_TABLE_USE_BORDER_COLLAPSE 1024

// Options dialog (IDD_OPTIONS, "选项")
#define IDC_OPTIONS_FONT_SIZE 1016
#define IDC_OPTIONS_TAB 1017
#define IDC_OPTIONS_BORDER 1018
#define IDC_OPTIONS_THEME 1025
#define IDC_OPTIONS_PREVIEW 1026  // hidden: only its rectangle is used
#define IDC_OPTIONS_FONT_FAMILY 1028
#define IDC_OPTIONS_UPDATE_PREVIEW 1029
