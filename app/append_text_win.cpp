#include "app/append_text_win.h"

#include <richedit.h>

void AppendColoredText(const wchar_t* text, HWND pane, COLORREF color, bool bold) {
    LONG length = static_cast<LONG>(SendMessageW(pane, WM_GETTEXTLENGTH, 0, 0));
    CHARRANGE end = {length, length};
    SendMessageW(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));

    // Only colour and weight: the run keeps the pane's font.
    CHARFORMATW format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_BOLD;
    format.dwEffects = bold ? CFE_BOLD : 0;
    format.crTextColor = color;
    SendMessageW(pane, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));

    SETTEXTEX insert = {ST_SELECTION, 1200};  // UTF-16, no undo history
    SendMessageW(pane, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&insert), reinterpret_cast<LPARAM>(text));
}
