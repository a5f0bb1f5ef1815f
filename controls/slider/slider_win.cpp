#include "controls/slider/slider_win.h"

#include <windowsx.h>

#include "controls/frame/window_state_win.h"
#include "controls/slider/slider_logic.h"
#include "controls/tessella.h"

namespace {

HWND ParentOf(const SliderState& state) { return static_cast<HWND>(state.parent); }

// A client-area context of the parent, set up to invert along the track pen.
class TrackingContext {
public:
    explicit TrackingContext(const SliderState& state)
        : parent_(ParentOf(state)), dc_(GetDC(parent_)) {
        SetROP2(dc_, R2_NOT);
        previousPen_ = SelectObject(dc_, static_cast<HPEN>(state.trackPen));
    }
    ~TrackingContext() {
        SelectObject(dc_, previousPen_);
        ReleaseDC(parent_, dc_);
    }
    TrackingContext(const TrackingContext&) = delete;
    TrackingContext& operator=(const TrackingContext&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND parent_;
    HDC dc_;
    HGDIOBJ previousPen_;
};

// Draws or, drawn a second time, erases the tracking line for a position.
void DrawTrackLine(HWND window, const SliderState& state, HDC dc, int x, int y) {
    const SliderPoint anchor = TrackLineAnchor(state, x, y);
    POINT point = {anchor.x, anchor.y};
    ClientToScreen(window, &point);
    ScreenToClient(ParentOf(state), &point);
    const TrackLine line = TrackLineGeometry(state, {point.x, point.y});
    HRGN clip = CreateRectRgn(line.clip.left, line.clip.top, line.clip.right, line.clip.bottom);
    SelectClipRgn(dc, clip);
    MoveToEx(dc, line.from.x, line.from.y, nullptr);
    LineTo(dc, line.to.x, line.to.y);
    SelectClipRgn(dc, nullptr);
    if (clip) DeleteObject(clip);
}

void EraseTrackLine(HWND window, const SliderState& state) {
    TrackingContext context(state);
    DrawTrackLine(window, state, context.dc(), state.trackX, state.trackY);
}

void PaintGrip(HWND window, const SliderState& state) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    HGDIOBJ previousPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    const HBRUSH gray = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    for (const SliderPoint& dot : SliderGripDots(client.right, client.bottom, state.horizontal != 0)) {
        RECT square;
        SetRect(&square, dot.x, dot.y, dot.x + 2, dot.y + 2);
        FillRect(dc, &square, gray);
        // A light edge below and to the right of the gray square.
        MoveToEx(dc, dot.x + 1, dot.y + 2, nullptr);
        LineTo(dc, dot.x + 3, dot.y + 2);
        MoveToEx(dc, dot.x + 2, dot.y + 1, nullptr);
        LineTo(dc, dot.x + 2, dot.y + 2);
    }
    SelectObject(dc, previousPen);
    EndPaint(window, &ps);
}

void PressSlider(HWND window, SliderState& state, int x, int y) {
    RECT client;
    GetClientRect(window, &client);
    BeginSliderDrag(state, x, y, client.right, client.bottom);
    {
        TrackingContext context(state);
        DrawTrackLine(window, state, context.dc(), state.trackX, state.trackY);
    }
    SetCapture(window);
}

LRESULT MoveSlider(HWND window, SliderState& state, int x, int y) {
    if (!state.dragging) return 0;
    switch (ClassifySliderMove(state, x, y)) {
    case SliderMove::Unmoved:
        StoreSliderTrack(state, x, y);
        return 1;
    case SliderMove::Accepted: {
        TrackingContext context(state);
        DrawTrackLine(window, state, context.dc(), state.trackX, state.trackY);
        StoreSliderTrack(state, x, y);
        DrawTrackLine(window, state, context.dc(), state.trackX, state.trackY);
        return 0;
    }
    case SliderMove::Rejected:
        break;
    }
    return 0;
}

void ReleaseSlider(HWND window, SliderState& state) {
    if (!state.dragging) return;
    NMVBSLIDER notice = {};
    notice.delta = EndSliderDrag(state);
    ReleaseCapture();
    EraseTrackLine(window, state);
    notice.hdr.hwndFrom = window;
    notice.hdr.idFrom = static_cast<UINT_PTR>(ControlId(window));
    notice.hdr.code = VBSN_MOVED;
    SendMessageA(ParentOf(state), WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

// Someone else took the mouse mid-drag: no release will come, so the line
// must not stay drawn and the drag ends without a notification.
void AbandonSliderDrag(HWND window, SliderState& state) {
    if (!state.dragging) return;
    EndSliderDrag(state);
    EraseTrackLine(window, state);
}

void CreateSliderState(HWND window) {
    SliderState* state = AttachWindowState<SliderState>(window);
    if (!state) return;
    state->parent = GetParent(window);
    state->trackPen = CreatePen(PS_SOLID, state->penWidth, RGB(0, 0, 0));
}

void DestroySliderState(HWND window, SliderState* state) {
    DeleteObject(static_cast<HPEN>(state->trackPen));
    DetachWindowState(window, state);
}

}  // namespace

LRESULT CALLBACK SliderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        CreateSliderState(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    SliderState* state = WindowState<SliderState>(window);
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_NCDESTROY:
        DestroySliderState(window, state);
        return 0;
    case WM_PAINT:
        PaintGrip(window, *state);
        return 0;
    case WM_LBUTTONDOWN:
        PressSlider(window, *state, x, y);
        return 0;
    case WM_MOUSEMOVE:
        return MoveSlider(window, *state, x, y);
    case WM_LBUTTONUP:
        ReleaseSlider(window, *state);
        return 0;
    case WM_CAPTURECHANGED:
        AbandonSliderDrag(window, *state);
        return 0;
    case VBSM_SETLIMITS:
        SetSliderLimits(*state, wParam, static_cast<uint32_t>(lParam));
        return 1;
    case VBSM_GETLIMITS:
        return static_cast<LRESULT>(PackedSliderLimits(*state));
    case VBSM_SETORIENTATION:
        state->horizontal = SliderOrientation(wParam);
        return 1;
    case VBSM_GETORIENTATION:
        return state->horizontal;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
