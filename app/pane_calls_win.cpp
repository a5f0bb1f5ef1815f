#include "app/pane_calls_win.h"

#include <cstdlib>

#include "app/rtf_stream_win.h"

PaneCalls paneCalls = {MessageBoxW, GlobalAlloc, SetClipboardData, RoomForAnotherPiece, std::realloc};

int ShowProgramMessage(HWND owner, const wchar_t* text, UINT icon) {
    return paneCalls.messageBox(owner, text, L"Lumatype", MB_OK | icon);
}
