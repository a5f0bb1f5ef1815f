#include "app/pane_commands_win.h"

#include <cstring>
#include <string>

#include "base/wide.h"
#include "tests/app/pane_test_support_win.h"

namespace {

constexpr wchar_t kCopied[] = L"HTML 代码已经复制到剪贴板了。";

void PutOnClipboard(HWND owner, UINT format, const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(format, block), nullptr);
    CloseClipboard();
}

void PutTextOnClipboard(HWND owner, const std::wstring& text) {
    PutOnClipboard(owner, CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

// The clipboard's block of `format` as bytes; empty when there is none.
std::string ClipboardBytes(HWND owner, UINT format) {
    std::string bytes;
    if (!OpenClipboard(owner)) return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

std::wstring ClipboardText(HWND owner) {
    const std::string bytes = ClipboardBytes(owner, CF_UNICODETEXT);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t)).c_str();
}

UINT HtmlFormat() { return RegisterClipboardFormatW(L"HTML Format"); }

using ClearCommand = PaneTest;

TEST_F(ClearCommand, EmptiesTheCodePaneUndoably) {
    SetWindowTextW(code_, L"int x;\r\nint y;");
    SetWindowTextW(html_, L"<div>");
    ClearCode(code_);
    EXPECT_EQ(TextOf(code_), L"");
    EXPECT_EQ(TextOf(html_), L"<div>");
    Undo(code_);
    EXPECT_EQ(TextOf(code_), L"int x;\r\nint y;");
}

using PasteCommand = PaneTest;

TEST_F(PasteCommand, ReplacesTheSelectionWithCrLfLinesUndoably) {
    SetWindowTextW(code_, L"hello world");
    SendMessageW(code_, EM_SETSEL, 6, 11);
    PutTextOnClipboard(owner_, L"a\nb\rc\r\nd");
    EXPECT_NE(PasteCode(owner_, code_), 0);
    EXPECT_EQ(TextOf(code_), L"hello a\r\nb\r\nc\r\nd");
    EXPECT_EQ(SendMessageW(code_, EM_GETLINECOUNT, 0, 0), 4);
    Undo(code_);
    EXPECT_EQ(TextOf(code_), L"hello world");
    EXPECT_TRUE(messages().empty());
}

TEST_F(PasteCommand, ReadsNoFurtherThanABlockWithoutNul) {
    // Four units and no NUL; the memory after the block holds more text, as
    // it would when another program's block was cut short.
    const wchar_t units[] = L"abcdEFGHIJKLMNOP";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof units);
    std::memcpy(GlobalLock(block), units, sizeof units);
    GlobalUnlock(block);
    block = GlobalReAlloc(block, 4 * sizeof(wchar_t), 0);
    ASSERT_NE(block, nullptr);
    ASSERT_TRUE(OpenClipboard(owner_));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, block), nullptr);
    CloseClipboard();

    SetWindowTextW(code_, L"");
    EXPECT_NE(PasteCode(owner_, code_), 0);
    // Wine's clipboard ends a text block with a NUL of its own, in place of
    // the last unit; Windows hands the block over as it is.
    const std::wstring pasted = TextOf(code_);
    EXPECT_TRUE(pasted == L"abcd" || pasted == L"abc") << pasted.size();
}

TEST_F(PasteCommand, DoesNothingWithoutTextOnTheClipboard) {
    ASSERT_TRUE(OpenClipboard(owner_));
    EmptyClipboard();
    CloseClipboard();
    SetWindowTextW(code_, L"kept");
    EXPECT_EQ(PasteCode(owner_, code_), 0);
    EXPECT_EQ(TextOf(code_), L"kept");
}

using CopyCommand = PaneTest;

const std::wstring kPaneHtml = L"<div style=\"font-family:'Consolas'\"><span style=\"color:#008000\">// 代码 é</span>"
                               L"<br/>\r\n&nbsp;x</div>";

TEST_F(CopyCommand, PutsThePanesTextAsUnicodeTextAndAsHtmlFormat) {
    SetWindowTextW(html_, kPaneHtml.c_str());
    const std::wstring pane = TextOf(html_);
    EXPECT_NE(CopyHtml(owner_, html_), 0);
    EXPECT_EQ(ClipboardText(owner_), pane);

    const std::string document = ClipboardBytes(owner_, HtmlFormat());
    ASSERT_FALSE(document.empty());
    auto offset = [&](const char* name) {
        const size_t at = document.find(std::string("\r\n") + name + ":");
        EXPECT_NE(at, std::string::npos) << name;
        return at == std::string::npos ? 0 : std::stoul(document.substr(at + std::strlen(name) + 3, 10));
    };
    EXPECT_EQ(document.rfind("Version:0.9\r\n", 0), 0u);
    const size_t startFragment = offset("StartFragment"), endFragment = offset("EndFragment");
    EXPECT_EQ(document.substr(offset("StartHTML"), 12), "<html><body>");
    EXPECT_EQ(document.substr(startFragment, endFragment - startFragment),
              WideToUtf8(WStringView(reinterpret_cast<const char16_t*>(pane.c_str()), pane.size())));
    EXPECT_EQ(document.substr(endFragment, offset("EndHTML") - endFragment), "<!--EndFragment--></body></html>");

    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, kCopied);
    EXPECT_EQ(messages()[0].caption, L"Lumatype");
    EXPECT_EQ(messages()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(CopyCommand, AnEmptyPaneLeavesTheClipboardAsItWas) {
    PutTextOnClipboard(owner_, L"the user's text");
    EXPECT_EQ(CopyHtml(owner_, html_), 0);
    EXPECT_EQ(ClipboardText(owner_), L"the user's text");
    EXPECT_TRUE(messages().empty());
}

int failingAllocation = 0;  // which allocation fails, counted from 1
int allocations = 0;
HGLOBAL WINAPI CountedAlloc(UINT flags, SIZE_T bytes) {
    return ++allocations == failingAllocation ? nullptr : GlobalAlloc(flags, bytes);
}

TEST_F(CopyCommand, RunningOutOfMemoryLeavesTheClipboardAsItWas) {
    SetWindowTextW(html_, kPaneHtml.c_str());
    paneCalls.globalAlloc = CountedAlloc;
    PutTextOnClipboard(owner_, L"the user's text");
    failingAllocation = 1;  // the Unicode text's block
    allocations = 0;
    EXPECT_EQ(CopyHtml(owner_, html_), 0);
    EXPECT_EQ(ClipboardText(owner_), L"the user's text");
    EXPECT_TRUE(messages().empty());
}

std::vector<HANDLE> refusedBlocks;
HANDLE WINAPI RefuseHtmlFormat(UINT format, HANDLE data) {
    if (format != HtmlFormat()) return SetClipboardData(format, data);
    refusedBlocks.push_back(data);
    return nullptr;
}
HANDLE WINAPI RefuseAll(UINT, HANDLE data) {
    refusedBlocks.push_back(data);
    return nullptr;
}

TEST_F(CopyCommand, ARefusedTextFreesTheBlocksAndSaysSo) {
    SetWindowTextW(html_, kPaneHtml.c_str());
    refusedBlocks.clear();
    paneCalls.setClipboardData = RefuseAll;
    EXPECT_EQ(CopyHtml(owner_, html_), 0);
    ASSERT_EQ(refusedBlocks.size(), 1u);
    EXPECT_EQ(GlobalSize(refusedBlocks[0]), 0u) << "the refused block is freed";
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, L"Lumatype");
    EXPECT_EQ(messages()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_NE(messages()[0].text, kCopied);
    // The clipboard was not left open.
    EXPECT_TRUE(OpenClipboard(owner_));
    CloseClipboard();
}

// "HTML Format" only serves rich editors: without it, the text Copy promises
// is on the clipboard all the same, and the user is told so.
TEST_F(CopyCommand, WithoutHtmlFormatTheTextAloneIsCopiedAndConfirmed) {
    SetWindowTextW(html_, kPaneHtml.c_str());
    const std::wstring pane = TextOf(html_);
    for (bool refused : {false, true}) {
        paneCalls = saved_;
        paneCalls.messageBox = Record;
        messages().clear();
        refusedBlocks.clear();
        if (refused) {
            paneCalls.setClipboardData = RefuseHtmlFormat;
        } else {  // the block cannot be built
            paneCalls.globalAlloc = CountedAlloc;
            failingAllocation = 2;
            allocations = 0;
        }
        PutOnClipboard(owner_, HtmlFormat(), "stale", 6);
        EXPECT_NE(CopyHtml(owner_, html_), 0) << refused;
        EXPECT_EQ(ClipboardText(owner_), pane) << refused;
        EXPECT_TRUE(ClipboardBytes(owner_, HtmlFormat()).empty()) << refused;
        ASSERT_EQ(messages().size(), 1u) << refused;
        EXPECT_EQ(messages()[0].text, kCopied);
        EXPECT_EQ(messages()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
        if (refused) {
            ASSERT_EQ(refusedBlocks.size(), 1u);
            EXPECT_EQ(GlobalSize(refusedBlocks[0]), 0u) << "the refused block is freed";
        }
    }
}

}  // namespace
