#include "app/pane_calls_win.h"

PaneCalls paneCalls = {MessageBoxW, GlobalAlloc, SetClipboardData};

int ShowProgramMessage(HWND owner, const wchar_t* text, UINT icon) {
    return paneCalls.messageBox(owner, text, L"Lumatype", MB_OK | icon);
}
