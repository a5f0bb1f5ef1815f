#include "controls/clock/clock_logic.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr double kPi = 3.14159265358979323846;

int HalfUp(double v) { return static_cast<int>(v + 0.5); }

bool InCenterSquare(const ClockState& state, int x, int y) {
    return x >= state.centerX - state.knobHalf && x < state.centerX + state.knobHalf &&
           y >= state.centerY - state.knobHalf && y < state.centerY + state.knobHalf;
}

// Angle of the point, clockwise from the positive x axis, in [-pi/2, 3pi/2).
double PointAngle(const ClockState& state, int x, int y) {
    const int dx = x - state.centerX;
    const int dy = y - state.centerY;
    if (std::abs(dx) < 2) return y < state.centerY ? -kPi / 2 : kPi / 2;
    double g = std::atan(static_cast<double>(dy) / dx);
    if (x < state.centerX) g += kPi;
    return g;
}

int SnapToStep(int minute, int step) {
    if (step > 1) minute = step * ((minute + step / 2) / step);
    return minute > 59 ? 0 : minute;
}

bool DragHourHand(ClockState& state, int p) {
    if (state.hour % 12 == p) return false;
    bool morning;
    if (state.lastHourPos >= 10 && p <= 2) {
        morning = state.hour >= 22;  // clockwise over 12
    } else if (state.lastHourPos <= 2 && p >= 10) {
        morning = state.hour >= 12;  // counter-clockwise over 12
    } else {
        morning = state.hour < 12;
    }
    state.hour = static_cast<uint8_t>(morning ? p : p + 12);
    state.lastHourPos = p;
    return true;
}

bool DragMinuteHand(ClockState& state, int m) {
    if (state.minute == m) return false;
    state.minute = static_cast<uint8_t>(m);
    if (state.lastMinute >= 50 && m <= 10) {
        state.hour = static_cast<uint8_t>(state.hour == 23 ? 0 : state.hour + 1);
    } else if (state.lastMinute <= 10 && m >= 50) {
        state.hour = static_cast<uint8_t>(state.hour == 0 ? 23 : state.hour - 1);
    }
    state.lastMinute = m;
    return true;
}

}  // namespace

ClockHitResult ClockHitTest(const ClockState& state, int x, int y, bool testHands) {
    if (InCenterSquare(state, x, y)) return {ClockHit::Center, -1, -1};
    const double g = PointAngle(state, x, y);
    const double fromTwelve = g + kPi / 2;
    int hourPos = HalfUp((fromTwelve - state.minute * kPi / 360) * 6 / kPi);
    if (hourPos > 11) hourPos = 0;
    const int minute = SnapToStep(HalfUp(fromTwelve * 30 / kPi), state.minuteStep);
    ClockHit hit = ClockHit::None;
    if (testHands) {
        const double reach = state.tolerance * kPi / 30;
        if (std::fabs(g - state.minuteAngle) < reach) {
            hit = ClockHit::MinuteHand;
        } else if (std::fabs(g - state.hourAngle) < reach) {
            hit = ClockHit::HourHand;
        }
    }
    return {hit, hourPos, minute};
}

int HourDistance(int a, int b) {
    int best = std::abs(a - b);
    if (a - b + 24 < best) best = a - b + 24;
    if (b - a + 24 < best) best = b - a + 24;
    return best;
}

void SetClockClientSize(ClockState& state, int width, int height) {
    state.clientWidth = width;
    state.clientHeight = height;
    if (width == 0 || height == 0) return;
    state.centerX = width / 2;
    state.centerY = height / 2;
    state.diameter = (width < height ? width : height) - 4;
}

bool PressClock(ClockState& state, int x, int y) {
    if (state.flags & CLKF_READONLY) return false;
    const ClockHitResult result = ClockHitTest(state, x, y, true);
    state.pressTarget = result.hit;
    state.lastHourPos = result.hourPos;
    state.lastMinute = result.minute;
    if (result.hit == ClockHit::HourHand || result.hit == ClockHit::MinuteHand) state.dragging = 1;
    return true;
}

bool DragClock(ClockState& state, int x, int y) {
    if ((state.flags & CLKF_READONLY) || !state.dragging) return false;
    const ClockHitResult result = ClockHitTest(state, x, y, false);
    if (result.hit == ClockHit::Center) return false;
    if (state.pressTarget == ClockHit::HourHand) return DragHourHand(state, result.hourPos);
    if (state.pressTarget == ClockHit::MinuteHand) return DragMinuteHand(state, result.minute);
    return false;
}

ClockRelease ReleaseClock(ClockState& state, int x, int y) {
    if (state.flags & CLKF_READONLY) return {false, false};
    bool changed = false;
    if (!state.dragging) {
        const ClockHitResult result = ClockHitTest(state, x, y, true);
        const bool clickOnFace = result.hit == ClockHit::None && state.pressTarget == ClockHit::None &&
                                 result.hourPos == state.lastHourPos && result.minute == state.lastMinute;
        if (clickOnFace) {
            const int p = result.hourPos;
            state.hour = static_cast<uint8_t>(HourDistance(state.hour, p + 12) < HourDistance(state.hour, p) ? p + 12 : p);
            changed = true;
        }
    }
    state.dragging = 0;
    return {true, changed};
}

bool SetClockFlags(ClockState& state, uint32_t newFlags, bool redraw, uint32_t& previous) {
    previous = state.flags;
    if (newFlags == state.flags) return false;
    state.flags = newFlags;
    return redraw && (newFlags & CLKF_FRAME) && state.faceBitmap;
}

bool ModifyClockFlags(ClockState& state, uint32_t mask, bool set, bool redraw, uint32_t& previousMasked) {
    previousMasked = state.flags & mask;
    const uint32_t wanted = set ? mask : 0;
    if (previousMasked == wanted) return false;
    state.flags = set ? (state.flags | mask) : (state.flags & ~mask);
    return redraw && (mask & CLKF_FRAME) && state.faceBitmap;
}
