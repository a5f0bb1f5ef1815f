#include "app/indentation_win.h"

#include <new>
#include "app/indentation.h"

namespace {

LRESULT Send(HWND pane, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(pane, message, wParam, lParam);
}

}  // namespace

int ShiftLines(HWND pane, bool decrease) {
    const int length = GetWindowTextLengthW(pane);
    if (length <= 0) return 0;
    DWORD start = 0, end = 0;
    Send(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start > end || end > static_cast<DWORD>(length)) return 0;
    const LRESULT first = Send(pane, EM_LINEFROMCHAR, start), last = Send(pane, EM_LINEFROMCHAR, end);
    const LRESULT blockStart = Send(pane, EM_LINEINDEX, first), lastStart = Send(pane, EM_LINEINDEX, last);
    if (first < 0 || last < first || blockStart < 0 || lastStart < blockStart) return 0;
    const size_t blockEnd = static_cast<size_t>(lastStart + Send(pane, EM_LINELENGTH, lastStart));

    try {
        // One read of the text up to the block's end: EM_GETLINE's 16-bit
        // size field would cut a long line.
        WString text(blockEnd + 1, u'\0');
        const size_t read = static_cast<size_t>(Send(pane, WM_GETTEXT, blockEnd + 1, reinterpret_cast<LPARAM>(text.data())));
        if (read != blockEnd) return 0;
        std::vector<PaneLine> lines;
        for (LRESULT n = first; n <= last; ++n) {
            const LRESULT index = Send(pane, EM_LINEINDEX, n);
            if (index < blockStart) return 0;
            lines.push_back({static_cast<size_t>(index - blockStart),
                             static_cast<size_t>(Send(pane, EM_LINELENGTH, index))});
        }
        const size_t offset = static_cast<size_t>(blockStart);
        const WStringView block = WStringView(text).substr(offset, blockEnd - offset);
        const std::optional<ShiftedBlock> shifted = ShiftBlock(block, lines, start - offset, end - offset, decrease);
        if (!shifted) return 0;
        if (shifted->changed) {
            Send(pane, EM_SETSEL, offset, blockEnd);
            Send(pane, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(shifted->text.c_str()));
        }
        Send(pane, EM_SETSEL, offset + shifted->selectionStart, offset + shifted->selectionEnd);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}
