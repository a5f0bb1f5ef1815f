#include "controls/clock/clock_paint_win.h"

#include <cstdio>

#include "controls/clock/clock_geometry.h"

namespace {

constexpr UINT kCentredText = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;

RECT ToRect(const ClockRect& r) { return {r.left, r.top, r.right, r.bottom}; }

void DrawCentredText(HDC dc, const char* text, const ClockRect& box) {
    RECT rect = ToRect(box);
    DrawTextA(dc, text, -1, &rect, kCentredText);
}

void DrawHand(HDC dc, const HandKite& kite, HBRUSH shade) {
    POINT outline[4];
    for (int i = 0; i < 4; ++i) outline[i] = {kite.outline[i].x, kite.outline[i].y};
    Polygon(dc, outline, 4);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, shade);
    POINT shaded[3];
    for (int i = 0; i < 3; ++i) shaded[i] = {kite.shaded[i].x, kite.shaded[i].y};
    Polygon(dc, shaded, 3);
}

}  // namespace

void RenderFace(HDC dc, const ClockState& state) {
    HBRUSH background = GetSysColorBrush(COLOR_MENUBAR);
    if (!background) background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RECT whole = {0, 0, state.bitmapWidth, state.bitmapHeight};
    FillRect(dc, &whole, background);
    if (state.flags & CLKF_FRAME) {
        RECT client = {0, 0, state.clientWidth, state.clientHeight};
        FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
    }

    HGDIOBJ previousBrush = nullptr;
    if (!state.enabled) previousBrush = SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    HPEN dialPen = CreatePen(PS_SOLID, 2, RGB(96, 96, 96));
    HGDIOBJ previousPen = SelectObject(dc, dialPen);
    const ClockRect dial = DialBounds(state);
    Ellipse(dc, dial.left, dial.top, dial.right, dial.bottom);
    if (previousBrush) SelectObject(dc, previousBrush);
    SetBkMode(dc, TRANSPARENT);

    const HBRUSH markBrush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    for (const FaceMark& mark : FaceMarks(state)) {
        if (mark.numeral) {
            char number[12];
            std::snprintf(number, sizeof number, "%ld", static_cast<long>(mark.number));
            DrawCentredText(dc, number, NumeralBox(mark.centre));
        } else {
            RECT square = ToRect(MarkSquare(mark.centre));
            FillRect(dc, &square, markBrush);
        }
    }
    SelectObject(dc, previousPen);
    DeleteObject(dialPen);
}

void DrawHands(HDC dc, ClockState& state) {
    const bool enabled = state.enabled != 0;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled ? RGB(196, 196, 196) : RGB(255, 255, 255));
    DrawCentredText(dc, DayHalfLabel(state.hour), DayHalfLabelBox(state));

    HPEN handPen = CreatePen(PS_SOLID, 1, enabled ? RGB(128, 128, 255) : RGB(0, 0, 0));
    HBRUSH body = CreateSolidBrush(enabled ? RGB(200, 200, 255) : RGB(200, 200, 200));
    HBRUSH shade = CreateSolidBrush(enabled ? RGB(128, 128, 255) : RGB(128, 128, 128));
    HGDIOBJ previousPen = SelectObject(dc, handPen);
    HGDIOBJ previousBrush = SelectObject(dc, body);

    state.hourAngle = HourHandAngle(state);
    DrawHand(dc, HandKiteShape(state, state.hourAngle, HourHandSize(state)), shade);

    state.minuteAngle = MinuteHandAngle(state);
    SelectObject(dc, handPen);
    SelectObject(dc, body);
    DrawHand(dc, HandKiteShape(state, state.minuteAngle, MinuteHandSize(state)), shade);

    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    const ClockRect knob = KnobBounds(state);
    Ellipse(dc, knob.left, knob.top, knob.right, knob.bottom);

    DeleteObject(handPen);
    DeleteObject(body);
    DeleteObject(shade);
}
