#include "main_window_test_support_win.h"

#include <commctrl.h>

#include <vector>

#include "app/append_text_win.h"
#include "app/main_window_win.h"
#include "engine/language_registry.h"
#include "resources/resource.h"

static const wchar_t kClassName[] = L"LumatypeUnderTest";

MainWindowUnderTest::MainWindowUnderTest(int clientWidth, int clientHeight) {
    static bool registered = [] {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        LoadLibraryW(L"Riched20.dll");
        return RegisterMainWindowClass(GetModuleHandleW(nullptr), kClassName) != 0;
    }();
    if (!registered) return;
    window_ = CreateMainWindow(GetModuleHandleW(nullptr), kClassName, L"Lumatype");
    if (!window_) return;
    ShowWindow(window_, SW_SHOWNORMAL);
    SetClientSize(clientWidth, clientHeight);
    while (loaderThread) Pump(10);
}

MainWindowUnderTest::~MainWindowUnderTest() {
    if (window_) DestroyWindow(window_);
    // The WM_QUIT of WM_DESTROY must not end the next test's pumping.
    MSG message;
    PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void MainWindowUnderTest::SetClientSize(int width, int height) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, GetWindowLongW(window_, GWL_STYLE), GetMenu(window_) != nullptr, 0);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOMOVE);
    Pump();
}

bool MainWindowUnderTest::SelectLanguage(const wchar_t* name) {
    const LRESULT position = SendMessageW(Child(IDC_LANGUAGE_COMBO), CB_FINDSTRINGEXACT, -1,
                                          reinterpret_cast<LPARAM>(name));
    if (position < 0) return false;
    SendMessageW(Child(IDC_LANGUAGE_COMBO), CB_SETCURSEL, position, 0);
    return true;
}

void MainWindowUnderTest::SetCode(const std::wstring& code) {
    SetWindowTextW(Child(IDC_CODE_PANE), code.c_str());
}

void MainWindowUnderTest::Convert() { SendMessageW(window_, WM_COMMAND, IDM_CONVERT, 0); }

std::wstring MainWindowUnderTest::Text(int id) const {
    HWND child = Child(id);
    std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(child)) + 1);
    const int length = GetWindowTextW(child, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), static_cast<size_t>(length));
}

void MainWindowUnderTest::Pump(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (milliseconds) Sleep(1);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

std::wstring WithCrLf(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            out += L"\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::wstring ReadUtf8File(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return L"";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                        text.data(), static_cast<int>(text.size()))));
    return text;
}

void AppendingSink::Append(const char16_t* text, size_t length, ColorRef color, bool bold) {
    chunk_.assign(reinterpret_cast<const wchar_t*>(text), length);
    AppendColoredText(chunk_.c_str(), pane_, color, bold);
}
