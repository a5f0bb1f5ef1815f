// Window procedure of "TessellaByKestrune": standard messages here, the
// control's own in multiselect_messages_win.cpp.
#include "controls/multiselect/multiselect_win.h"

#include <windowsx.h>

#include <memory>
#include <new>

#include "controls/frame/window_state_win.h"
#include "controls/multiselect/multiselect_messages_win.h"
#include "controls/multiselect/multiselect_mouse_win.h"
#include "controls/multiselect/multiselect_scroll_win.h"
#include "controls/multiselect/multiselect_window_win.h"

namespace {

bool IsLeadByteOfCodePage(unsigned char byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != 0; }

MultiSelectWindow* Control(HWND window) { return WindowState<MultiSelectWindow>(window); }

// Without a building the control could answer nothing: creation fails, and
// the host's CreateWindowEx returns null instead of a dead window.
BOOL OnNCCreate(HWND window, LPCREATESTRUCT create) {
    std::unique_ptr<CBuilding> building(new (std::nothrow) CBuilding(MakeLeadByteTable(IsLeadByteOfCodePage)));
    if (!building || !AttachWindowState<MultiSelectWindow>(window, window, std::move(building))) return FALSE;
    return FORWARD_WM_NCCREATE(window, create, DefWindowProcA);
}

BOOL OnCreate(HWND window, LPCREATESTRUCT create) {
    Control(window)->UpdateScrollBars(false);
    FORWARD_WM_CREATE(window, create, DefWindowProcA);
    return TRUE;
}

// The state is freed when the window's outermost message returns: at once,
// unless the window was destroyed from inside one of its own notifications.
void OnNCDestroy(HWND window) {
    MultiSelectWindow* control = Control(window);
    if (GetCapture() == window) ReleaseCapture();
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    control->windowDestroyed = true;
}

void OnSize(HWND window, UINT, int, int) { Control(window)->UpdateScrollBars(true); }

void OnEnable(HWND window, BOOL enable) {
    MultiSelectWindow* control = Control(window);
    CBuilding& building = control->building();
    const int enabled = enable ? 1 : 0;
    if (building.m_enabled == enabled) return;
    building.m_enabled = enabled;
    control->RepaintAll(true);
}

void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    Control(window)->PaintWindow(dc);
    EndPaint(window, &ps);
}

BOOL OnEraseBkgnd(HWND, HDC) { return TRUE; }

void OnKeyDown(HWND window, UINT virtualKey, BOOL, int, UINT) { ScrollByKey(*Control(window), virtualKey); }

void OnMouseWheel(HWND window, int, int, int delta, UINT) { ScrollByWheel(*Control(window), delta); }

void OnLButtonDown(HWND window, BOOL, int x, int y, UINT) { PressBuildingAt(*Control(window), x, y); }

void OnLButtonUp(HWND window, int x, int y, UINT) { ReleaseBuildingAt(*Control(window), x, y); }

void OnTimer(HWND window, UINT id) {
    if (id != MultiSelectWindow::kFoldTimer) return;
    MultiSelectWindow* control = Control(window);
    // A tick that outlived its fold (the timer was already due) ends nothing.
    if (!control->building().m_animating) {
        KillTimer(window, id);
        return;
    }
    AdvanceFoldTick(*control);
}

}  // namespace

namespace {

LRESULT Dispatch(HWND window, MultiSelectWindow& control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsBuildingMessage(message)) return OnBuildingMessage(control, message, wParam, lParam);
    switch (message) {
        HANDLE_MSG(window, WM_CREATE, OnCreate);
        HANDLE_MSG(window, WM_SIZE, OnSize);
        HANDLE_MSG(window, WM_ENABLE, OnEnable);
        HANDLE_MSG(window, WM_PAINT, OnPaint);
        HANDLE_MSG(window, WM_ERASEBKGND, OnEraseBkgnd);
        HANDLE_MSG(window, WM_KEYDOWN, OnKeyDown);
        HANDLE_MSG(window, WM_MOUSEWHEEL, OnMouseWheel);
        HANDLE_MSG(window, WM_LBUTTONDOWN, OnLButtonDown);
        HANDLE_MSG(window, WM_LBUTTONUP, OnLButtonUp);
        HANDLE_MSG(window, WM_TIMER, OnTimer);
    // The MinGW HANDLE_MSG forms of the scroll messages answer 0; hosts
    // are told 1.
    case WM_VSCROLL:
    case WM_HSCROLL:
        return ScrollBuilding(control, message, wParam);
    // In a dialog the arrow keys would otherwise move the focus instead of
    // scrolling.
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_CAPTURECHANGED:
        AbandonPress(control, reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NCDESTROY:
        OnNCDestroy(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK MultiSelectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) return OnNCCreate(window, reinterpret_cast<LPCREATESTRUCT>(lParam));
    MultiSelectWindow* control = Control(window);
    if (!control) return DefWindowProcA(window, message, wParam, lParam);
    ++control->messageNesting;
    const LRESULT result = Dispatch(window, *control, message, wParam, lParam);
    if (--control->messageNesting == 0 && control->windowDestroyed) FreeWindowState(control);
    return result;
}
