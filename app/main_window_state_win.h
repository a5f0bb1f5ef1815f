#pragma once
// What the main window owns for the whole run; its pointer lives in the
// window's GWLP_USERDATA from WM_CREATE until WM_DESTROY.
#include <windows.h>
#include <commctrl.h>

#include "app/main_layout.h"
#include "config/settings.h"
#include "engine/language_registry.h"

struct MainWindowState {
    HINSTANCE instance;
    HWND children[kMainChildCount];
    MainLayout layout;
    Split split;
    HFONT uiFont;
    HBRUSH frameBrush;
    HCURSOR splitterCursor;
    HIMAGELIST toolbarImages;
    AppSettings settings;
    ColorTheme activeTheme;
    LoaderThreadParam loaderParam;
    wchar_t tooltip[80];
};

MainWindowState* MainStateOf(HWND mainWindow);
