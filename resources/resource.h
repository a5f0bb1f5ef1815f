#pragma once
// Resource and control identifiers of the program, grouped by owner.

// Program-wide resources
#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109
#define IDI_LUMATYPE 136

// Main window children
#define IDC_TOOLBAR 500
#define IDC_STATUSBAR 501
#define IDC_LANGUAGE_LABEL 502
#define IDC_LANGUAGE_COMBO 503
#define IDC_SPLITTER 509
