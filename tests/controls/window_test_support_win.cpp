#include "tests/controls/window_test_support_win.h"

#include <cstring>

namespace {

std::vector<ReceivedNotice> g_notices;
NoticeHook g_hook = nullptr;

bool IsOfClass(HWND window, const char* className) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, className) == 0;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        ReceivedNotice notice = {};
        notice.wParam = wParam;
        notice.header = *header;
        if (IsOfClass(header->hwndFrom, VBSLIDER_CLASS_A)) {
            notice.delta = reinterpret_cast<const NMVBSLIDER*>(header)->delta;
        } else if (IsOfClass(header->hwndFrom, TESSELLA_CLASS_A)) {
            const CheckNotify* check = reinterpret_cast<const CheckNotify*>(header);
            notice.element = check->element;
            notice.oldState = check->oldState;
            notice.newState = check->newState;
        } else {
            notice.hour = reinterpret_cast<const NMCLOCKTIME*>(header)->hour;
            notice.minute = reinterpret_cast<const NMCLOCKTIME*>(header)->minute;
        }
        g_notices.push_back(notice);
        if (g_hook) g_hook(header);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* HostClass() {
    static ATOM atom = [] {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "TessellaTestHost";
        return RegisterClassExA(&wc);
    }();
    return atom ? "TessellaTestHost" : nullptr;
}

}  // namespace

HMODULE LoadTessellaAndRegister() {
    HMODULE library = LoadLibraryA("Tessella.dll");
    if (!library) return nullptr;
    auto registerTessella =
        reinterpret_cast<RegisterTessellaProc>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(1))));
    auto registerSliders =
        reinterpret_cast<RegisterSlidersProc>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(2))));
    if (!registerTessella || !registerSliders) return nullptr;
    registerTessella();
    registerSliders();
    return library;
}

HostWindow::HostWindow(int width, int height) {
    g_notices.clear();
    window_ = CreateWindowExA(0, HostClass(), "host", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowNow(window_);
}

HostWindow::~HostWindow() { DestroyWindow(window_); }

HWND HostWindow::CreateControl(const char* className, int id, int x, int y, int width, int height, DWORD style) {
    HWND control = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                   nullptr);
    ShowNow(window_);
    return control;
}

const std::vector<ReceivedNotice>& HostWindow::notices() const { return g_notices; }

void HostWindow::ClearNotices() { g_notices.clear(); }

void HostWindow::SetNoticeHook(NoticeHook hook) { g_hook = hook; }

void HostWindow::Reset() {
    g_hook = nullptr;
    while (HWND child = GetWindow(window_, GW_CHILD)) DestroyWindow(child);
    g_notices.clear();
}

COLORREF ReadPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

void ShowNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
}

LRESULT SendMouse(HWND window, UINT message, int x, int y) {
    const WPARAM buttons = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
    return SendMessageA(window, message, buttons, MAKELPARAM(x, y));
}
