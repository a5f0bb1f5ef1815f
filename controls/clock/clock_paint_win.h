#pragma once
// The clock's picture: a face bitmap redrawn only on resize or frame change,
// and a work bitmap in memDC that gets the face plus the hands.
#include <windows.h>

#include "controls/clock/clock_logic.h"

void RenderFace(HDC dc, const ClockState& state);
void DrawHands(HDC dc, ClockState& state);

void ResizeClock(ClockState& state);
void ComposeClock(ClockState& state);
// Draws the face again into the existing face bitmap.
void RefreshClockFace(const ClockState& state);
void ReleaseClockBuffers(ClockState& state);
