#pragma once
// The clock's state, hit test and time arithmetic, free of any window system.
#include <cstdint>

#include "controls/tessella_codes.h"

enum class ClockHit : int32_t { None = 0, HourHand = 1, MinuteHand = 2, Center = 3 };

// One per clock window; GDI and window handles are opaque here.
struct ClockState {
    uint8_t hour = 8;
    uint8_t minute = 0;
    int32_t centerX = 0;
    int32_t centerY = 0;
    int32_t diameter = 0;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    uint32_t flags = 0;
    int32_t knobHalf = 4;
    double hourAngle = 0;
    double minuteAngle = 0;
    int32_t minuteStep = 5;
    int32_t tolerance = 3;
    ClockHit pressTarget = ClockHit::None;
    int32_t lastHourPos = -1;
    int32_t lastMinute = -1;
    int32_t dragging = 0;
    int32_t enabled = 1;
    void* window = nullptr;
    void* parent = nullptr;
    void* memDC = nullptr;
    void* workBitmap = nullptr;
    void* faceBitmap = nullptr;
    void* savedBitmap = nullptr;
    int32_t bitmapWidth = 0;
    int32_t bitmapHeight = 0;
};

struct ClockHitResult {
    ClockHit hit;
    int hourPos;  // dial position 0..11, -1 on the centre
    int minute;   // 0..59 rounded to the minute step, -1 on the centre
};
ClockHitResult ClockHitTest(const ClockState& state, int x, int y, bool testHands);

// Distance between two hours on a 24-hour cycle.
int HourDistance(int a, int b);

// Stores the client size and the dial placement derived from it.
void SetClockClientSize(ClockState& state, int width, int height);

// Mouse interaction. Each returns whether the time changed (to be shown and
// notified); PressClock returns whether the press was taken (mouse captured).
bool PressClock(ClockState& state, int x, int y);
bool DragClock(ClockState& state, int x, int y);
struct ClockRelease {
    bool taken;        // false when the clock is read-only
    bool timeChanged;  // a click on the face moved the hour hand
};
ClockRelease ReleaseClock(ClockState& state, int x, int y);

// Whether a message-driven flag change must redraw the face at once.
bool SetClockFlags(ClockState& state, uint32_t newFlags, bool redraw, uint32_t& previous);
bool ModifyClockFlags(ClockState& state, uint32_t mask, bool set, bool redraw, uint32_t& previousMasked);
