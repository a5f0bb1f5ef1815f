#pragma once
// Real panes for the pane commands' tests, and a recorder in place of the
// message box, which would wait for a click.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/pane_calls_win.h"

inline std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct RecordedMessage {
    std::wstring text, caption;
    UINT type;
};

class PaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(LoadLibraryW(L"Riched20.dll"), nullptr);
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, instance, nullptr);
        code_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                                0, 0, 300, 200, owner_, nullptr, instance, nullptr);
        html_ = CreateWindowExW(0, L"RichEdit20W", L"", WS_CHILD | ES_MULTILINE, 0, 0, 300, 200, owner_, nullptr,
                                instance, nullptr);
        ASSERT_TRUE(owner_ && code_ && html_);
        // As the main window does: no text limit on either pane.
        SendMessageW(code_, EM_SETLIMITTEXT, 0, 0);
        SendMessageW(html_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
        saved_ = paneCalls;
        paneCalls.messageBox = Record;
        messages().clear();
    }
    void TearDown() override {
        paneCalls = saved_;
        DestroyWindow(owner_);
    }

    static std::vector<RecordedMessage>& messages() {
        static std::vector<RecordedMessage> recorded;
        return recorded;
    }
    static int WINAPI Record(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
        messages().push_back({text, caption, type});
        return IDOK;
    }

    static std::pair<DWORD, DWORD> Selection(HWND pane) {
        DWORD start = 0, end = 0;
        SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    static void Undo(HWND pane) { SendMessageW(pane, EM_UNDO, 0, 0); }

    HWND owner_ = nullptr, code_ = nullptr, html_ = nullptr;
    PaneCalls saved_{};
};
