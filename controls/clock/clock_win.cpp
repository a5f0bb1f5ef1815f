#include "controls/clock/clock_win.h"

#include <windowsx.h>

#include "controls/clock/clock_paint_win.h"
#include "controls/frame/window_state_win.h"
#include "controls/tessella.h"

namespace {

HWND WindowOf(const ClockState& state) { return static_cast<HWND>(state.window); }

bool RedrawFlag(WPARAM wParam) { return LOWORD(wParam) != 0; }

void ShowTime(ClockState& state) {
    ComposeClock(state);
    InvalidateRect(WindowOf(state), nullptr, FALSE);
}

void ShowNewFace(ClockState& state) {
    RefreshClockFace(state);
    ShowTime(state);
}

void NotifyTimeChanged(const ClockState& state) {
    HWND parent = static_cast<HWND>(state.parent);
    if (!parent) return;
    NMCLOCKTIME notice = {};
    notice.hdr.hwndFrom = WindowOf(state);
    notice.hdr.idFrom = static_cast<UINT_PTR>(ControlId(WindowOf(state)));
    notice.hdr.code = CLKN_TIMECHANGED;
    notice.hour = state.hour;
    notice.minute = state.minute;
    SendMessageA(parent, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

void ShowUserChange(ClockState& state) {
    ShowTime(state);
    NotifyTimeChanged(state);
}

void PaintClock(HWND window, const ClockState& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (state.memDC) {
        RECT client;
        GetClientRect(window, &client);
        BitBlt(dc, 0, 0, client.right, client.bottom, static_cast<HDC>(state.memDC), 0, 0, SRCCOPY);
    }
    EndPaint(window, &ps);
}

LRESULT SetTime(ClockState& state, WPARAM wParam, const ClockTime* time) {
    if (!time || (time->hour == state.hour && time->minute == state.minute)) return 1;
    state.hour = time->hour;
    state.minute = time->minute;
    if (RedrawFlag(wParam)) ShowTime(state);
    return 1;
}

LRESULT GetTime(const ClockState& state, ClockTime* time) {
    if (time) *time = {state.hour, state.minute};
    return 0;
}

void CreateClockState(HWND window) {
    ClockState* state = AttachWindowState<ClockState>(window);
    if (!state) return;
    state->window = window;
    state->parent = GetParent(window);
    state->enabled = IsWindowEnabled(window) ? 1 : 0;
}

}  // namespace

LRESULT CALLBACK ClockWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        CreateClockState(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    ClockState* state = WindowState<ClockState>(window);
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    uint32_t previousFlags = 0;
    switch (message) {
    case WM_NCDESTROY:
        ReleaseClockBuffers(*state);
        DetachWindowState(window, state);
        return 0;
    case WM_SIZE:
        ResizeClock(*state);
        ComposeClock(*state);
        return 0;
    case WM_PAINT:
        PaintClock(window, *state);
        return 0;
    case WM_LBUTTONDOWN:
        if (PressClock(*state, x, y)) SetCapture(window);
        return 0;
    case WM_MOUSEMOVE:
        if (DragClock(*state, x, y)) ShowUserChange(*state);
        return 0;
    case WM_LBUTTONUP: {
        const ClockRelease release = ReleaseClock(*state, x, y);
        if (release.taken) ReleaseCapture();
        if (release.timeChanged) ShowUserChange(*state);
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Without the capture no release will come: the hand must not keep
        // following a mouse whose button is up.
        state->dragging = 0;
        return 0;
    case CLKM_SETTIME:
        return SetTime(*state, wParam, reinterpret_cast<const ClockTime*>(lParam));
    case CLKM_GETTIME:
        return GetTime(*state, reinterpret_cast<ClockTime*>(lParam));
    case CLKM_GETMINUTESTEP:
        return state->minuteStep;
    case CLKM_SETMINUTESTEP: {
        const int32_t previous = state->minuteStep;
        state->minuteStep = static_cast<int32_t>(wParam);
        return previous;
    }
    case CLKM_GETFLAGS:
        return static_cast<LRESULT>(state->flags);
    case CLKM_SETFLAGS:
        if (SetClockFlags(*state, static_cast<uint32_t>(lParam), RedrawFlag(wParam), previousFlags)) ShowNewFace(*state);
        return static_cast<LRESULT>(previousFlags);
    case CLKM_MODIFYFLAGS:
        if (ModifyClockFlags(*state, static_cast<uint32_t>(lParam), HIWORD(wParam) != 0, RedrawFlag(wParam),
                             previousFlags)) {
            ShowNewFace(*state);
        }
        return static_cast<LRESULT>(previousFlags);
    case CLKM_GETTOLERANCE:
        return state->tolerance;
    case CLKM_SETTOLERANCE: {
        const int32_t previous = state->tolerance;
        state->tolerance = static_cast<int32_t>(wParam);
        return previous;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
