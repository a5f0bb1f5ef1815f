// Scroll bars of the multi-select control, and the keys and wheel that are
// replayed as scroll messages of the bar last used.
#include "controls/multiselect/multiselect_layout.h"
#include "controls/multiselect/multiselect_scroll_win.h"
#include "controls/multiselect/multiselect_window_win.h"

namespace {

void SetBar(HWND window, int bar, int max, int page, int position, bool redraw) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = max;
    info.nPage = static_cast<UINT>(page);
    info.nPos = position;
    SetScrollInfo(window, bar, &info, redraw ? TRUE : FALSE);
}

void TakeFocus(HWND window) {
    if (GetFocus() != window) SetFocus(window);
}

}  // namespace

void MultiSelectWindow::UpdateScrollBars(bool redraw) {
    CBuilding& b = *building_;
    if (b.m_floors.empty()) {
        // Range 0..1 with a page of 2 hides both bars; the positions stay.
        SetBar(window_, SB_VERT, 1, 2, 0, redraw);
        SetBar(window_, SB_HORZ, 1, 2, 0, redraw);
        return;
    }
    RECT client;
    GetClientRect(window_, &client);
    const ElementRect inner = InnerClientRect(b, ToElementRect(client));
    const int content = ContentHeight(b);
    const int oldX = b.m_scrollX, oldY = b.m_scrollY;
    b.m_scrollY = FittedScrollPosition(b.m_scrollY, content, inner.bottom);
    b.m_scrollX = FittedScrollPosition(b.m_scrollX, b.m_width, inner.right);
    SetBar(window_, SB_VERT, content, inner.bottom, b.m_scrollY, redraw);
    SetBar(window_, SB_HORZ, b.m_width, inner.right, b.m_scrollX, redraw);
    // The picture is shown from the new position: what was on screen is stale.
    if (b.m_scrollX != oldX || b.m_scrollY != oldY) InvalidateAll();
}

LRESULT ScrollBuilding(MultiSelectWindow& control, UINT message, WPARAM wParam) {
    CBuilding& b = control.building();
    if (b.m_animating) return 1;
    control.scrollMessage = message;
    const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    GetScrollInfo(control.window(), bar, &info);
    int32_t& position = bar == SB_HORZ ? b.m_scrollX : b.m_scrollY;
    position = ScrolledPosition(LOWORD(wParam), HIWORD(wParam), info.nMax, static_cast<int32_t>(info.nPage), position);
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(control.window(), bar, &info, TRUE);
    control.InvalidateAll();
    TakeFocus(control.window());
    return 1;
}

void ScrollByKey(MultiSelectWindow& control, UINT virtualKey) {
    SendMessageA(control.window(), control.scrollMessage, static_cast<WPARAM>(ScrollCodeOfKey(virtualKey)), 0);
}

void ScrollByWheel(MultiSelectWindow& control, int delta) {
    const WheelSteps steps = WheelScroll(delta);
    for (int i = 0; i < steps.count; ++i) {
        SendMessageA(control.window(), control.scrollMessage, static_cast<WPARAM>(steps.code), 0);
    }
}
