#include "controls/clock/clock_geometry.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Faces up to this mark radius only have room for the four quarter numerals.
constexpr int kSmallFaceMarkRadius = 50;

int Trunc(double v) { return static_cast<int>(v); }

int MinuteHandLength(const ClockState& state) { return DialRadius(state) - 14; }

}  // namespace

int DialRadius(const ClockState& state) { return state.diameter / 2; }

ClockRect DialBounds(const ClockState& state) {
    const int r = DialRadius(state);
    return {state.centerX - r, state.centerY - r, state.centerX + r, state.centerY + r};
}

std::array<FaceMark, 12> FaceMarks(const ClockState& state) {
    const int markRadius = DialRadius(state) - 12;
    const bool smallFace = markRadius <= kSmallFaceMarkRadius;
    std::array<FaceMark, 12> marks{};
    double angle = -kPi / 2;
    for (int i = 1; i <= 12; ++i) {
        angle += kPi / 6;
        const ClockPoint centre{state.centerX + Trunc(std::cos(angle) * markRadius + 0.5),
                                state.centerY + Trunc(std::sin(angle) * markRadius + 0.5)};
        marks[i - 1] = {i, centre, !smallFace || i % 3 == 0};
    }
    return marks;
}

ClockRect NumeralBox(ClockPoint c) { return {c.x - 12, c.y - 12, c.x + 12, c.y + 12}; }

ClockRect MarkSquare(ClockPoint c) { return {c.x - 2, c.y - 2, c.x + 2, c.y + 2}; }

const char* DayHalfLabel(int hour) { return hour < 12 ? "AM" : "PM"; }

ClockRect DayHalfLabelBox(const ClockState& state) {
    const int r = DialRadius(state);
    return {state.centerX - 12, state.centerY - r + 14, state.centerX + 12, state.centerY};
}

double HourHandAngle(const ClockState& state) {
    const int h12 = state.hour >= 12 ? state.hour - 12 : state.hour;
    return (h12 + state.minute / 60.0) * kPi / 6 - kPi / 2;
}

double MinuteHandAngle(const ClockState& state) { return state.minute * kPi / 30 - kPi / 2; }

HandSize HourHandSize(const ClockState& state) {
    // An arithmetic shift: rounds toward minus infinity for tiny dials too.
    return {(3 * MinuteHandLength(state)) >> 2, 0.13, 0.2};
}

HandSize MinuteHandSize(const ClockState& state) { return {MinuteHandLength(state), 0.08, 0.16}; }

HandKite HandKiteShape(const ClockState& state, double angle, HandSize size) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double length = size.length;
    const double side = size.halfWidth * length;
    const double tail = size.tail * length;
    const int cx = state.centerX;
    const int cy = state.centerY;
    HandKite kite{};
    kite.outline[0] = {cx + Trunc(length * c + 0.5), cy + Trunc(length * s + 0.5)};
    kite.outline[1] = {cx - Trunc(0.5 - side * s), cy - Trunc(side * c - 0.5)};
    kite.outline[2] = {cx - Trunc(tail * c + 0.5), cy - Trunc(tail * s + 0.5)};
    kite.outline[3] = {cx - Trunc(side * s - 0.5), cy - Trunc(0.5 - side * c)};
    const ClockPoint shadedSide = angle <= kPi / 2 ? kite.outline[3] : kite.outline[1];
    kite.shaded = {kite.outline[0], shadedSide, kite.outline[2]};
    return kite;
}

ClockRect KnobBounds(const ClockState& state) {
    return {state.centerX - state.knobHalf, state.centerY - state.knobHalf, state.centerX + state.knobHalf,
            state.centerY + state.knobHalf};
}
