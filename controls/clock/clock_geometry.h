#pragma once
// Where the clock's face and hands go, as points and rectangles in client
// pixels; the painting code only hands these to the drawing calls.
#include <array>

#include "controls/clock/clock_logic.h"

struct ClockPoint {
    int x;
    int y;
};

struct ClockRect {
    int left;
    int top;
    int right;
    int bottom;
};

int DialRadius(const ClockState& state);
ClockRect DialBounds(const ClockState& state);

struct FaceMark {
    int number;         // 1..12
    ClockPoint centre;
    bool numeral;       // false: a small gray square on a small face
};
std::array<FaceMark, 12> FaceMarks(const ClockState& state);
ClockRect NumeralBox(ClockPoint centre);
ClockRect MarkSquare(ClockPoint centre);

// "AM" or "PM" and the box it is centred in, in the upper half of the dial.
const char* DayHalfLabel(int hour);
ClockRect DayHalfLabelBox(const ClockState& state);

double HourHandAngle(const ClockState& state);
double MinuteHandAngle(const ClockState& state);

struct HandSize {
    int length;
    double halfWidth;  // factor of the length, either side of the centre
    double tail;       // factor of the length, behind the centre
};
HandSize HourHandSize(const ClockState& state);
HandSize MinuteHandSize(const ClockState& state);

struct HandKite {
    std::array<ClockPoint, 4> outline;  // tip, side, tail, other side
    std::array<ClockPoint, 3> shaded;   // tip, the side in shade, tail
};
HandKite HandKiteShape(const ClockState& state, double angle, HandSize size);

ClockRect KnobBounds(const ClockState& state);
