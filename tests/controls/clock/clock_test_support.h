#pragma once
#include <cmath>

#include "controls/clock/clock_geometry.h"
#include "controls/clock/clock_logic.h"

// A clock of the given square size showing a time, with the hand angles
// recorded as its last drawing would have left them.
inline ClockState DrawnClock(int size, int hour, int minute) {
    ClockState state;
    SetClockClientSize(state, size, size);
    state.hour = static_cast<uint8_t>(hour);
    state.minute = static_cast<uint8_t>(minute);
    state.hourAngle = HourHandAngle(state);
    state.minuteAngle = MinuteHandAngle(state);
    return state;
}

struct DialPoint {
    int x;
    int y;
};

// The client point at a dial position counted in minutes (0 at 12, 15 at 3).
inline DialPoint PointAtMinute(const ClockState& state, double minutes, int radius = 70) {
    const double g = minutes * 3.14159265358979323846 / 30 - 3.14159265358979323846 / 2;
    return {state.centerX + static_cast<int>(std::lround(std::cos(g) * radius)),
            state.centerY + static_cast<int>(std::lround(std::sin(g) * radius))};
}
