#include "app/pane_commands_win.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include "app/clipboard_html.h"
#include "app/clipboard_text.h"
#include "app/line_ends.h"
#include "app/pane_calls_win.h"

namespace {

constexpr wchar_t kCopiedMessage[] = L"HTML 代码已经复制到剪贴板了。";
constexpr wchar_t kCopyFailedMessage[] = L"剪贴板没有接受 HTML 代码，请再复制一次。";

struct FreeGlobal {
    void operator()(HGLOBAL block) const { GlobalFree(block); }
};
// A block until the clipboard takes it.
using GlobalBlock = std::unique_ptr<void, FreeGlobal>;

// A movable block filled with `bytes` bytes by `fill`; null when memory runs out.
template <typename Fill>
HGLOBAL FilledBlock(SIZE_T bytes, Fill fill) {
    HGLOBAL block = paneCalls.globalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return nullptr;
    void* memory = GlobalLock(block);
    if (!memory) {
        GlobalFree(block);
        return nullptr;
    }
    fill(memory);
    GlobalUnlock(block);
    return block;
}

// The pane's text, NUL-terminated, in a block for CF_UNICODETEXT; `units`
// receives its length.
HGLOBAL PaneTextBlock(HWND pane, int length, size_t& units) {
    return FilledBlock((static_cast<SIZE_T>(length) + 1) * sizeof(wchar_t), [&](void* memory) {
        auto* text = static_cast<wchar_t*>(memory);
        units = static_cast<size_t>(SendMessageW(pane, WM_GETTEXT, static_cast<WPARAM>(length) + 1,
                                                  reinterpret_cast<LPARAM>(text)));
        text[units] = 0;
    });
}

HGLOBAL HtmlFormatBlock(HGLOBAL textBlock, size_t units) {
    std::string document;
    try {
        const auto* text = static_cast<const char16_t*>(GlobalLock(textBlock));
        if (!text) return nullptr;
        document = ClipboardHtml(WStringView(text, units));
        GlobalUnlock(textBlock);
    } catch (const std::bad_alloc&) {
        GlobalUnlock(textBlock);
        return nullptr;
    }
    return FilledBlock(document.size() + 1, [&](void* memory) { std::memcpy(memory, document.c_str(), document.size() + 1); });
}

// Hands the blocks to the opened clipboard, which owns each block it took.
// The Unicode text is what Copy promises; "HTML Format" only serves rich
// editors, so the copy stands without it (no block, or the clipboard
// refused it).
bool HandOver(GlobalBlock& text, GlobalBlock& html) {
    EmptyClipboard();
    if (!paneCalls.setClipboardData(CF_UNICODETEXT, text.get())) return false;
    text.release();
    if (html && paneCalls.setClipboardData(RegisterClipboardFormatW(L"HTML Format"), html.get())) html.release();
    return true;
}

}  // namespace

void ClearCode(HWND codePane) {
    SendMessageW(codePane, EM_SETSEL, 0, -1);
    SendMessageW(codePane, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

int PasteCode(HWND owner, HWND codePane) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return 0;
    WString pasted;
    bool read = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const void* block = GlobalLock(data)) {
            try {
                pasted = WithCrLfLineEnds(TextOfBlock(block, GlobalSize(data)));
                read = true;
            } catch (const std::bad_alloc&) {
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (read) SendMessageW(codePane, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    return 1;
}

int CopyHtml(HWND owner, HWND htmlPane) {
    const int length = GetWindowTextLengthW(htmlPane);
    if (length <= 0) return 0;
    // The blocks are complete before the clipboard is emptied, so running
    // out of memory for the text never costs the user what the clipboard held.
    size_t units = 0;
    GlobalBlock text(PaneTextBlock(htmlPane, length, units));
    if (!text || units == 0) return 0;
    GlobalBlock html(HtmlFormatBlock(text.get(), units));
    if (!OpenClipboard(owner)) return 0;
    const bool handedOver = HandOver(text, html);
    CloseClipboard();
    if (!handedOver) {
        ShowProgramMessage(owner, kCopyFailedMessage, MB_ICONERROR);
        return 0;
    }
    ShowProgramMessage(owner, kCopiedMessage, MB_ICONINFORMATION);
    return 1;
}
