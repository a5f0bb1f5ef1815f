#pragma once
// The slider's behaviour as plain integer arithmetic: the window procedure
// feeds it mouse positions and draws what it decides.
#include <array>
#include <cstdint>

struct SliderPoint {
    int x;
    int y;
};

struct SliderRect {
    int left;
    int top;
    int right;
    int bottom;
};

// One per slider window; handles are opaque here and typed by the window code.
struct SliderState {
    int32_t horizontal = 0;
    void* parent = nullptr;
    int32_t limitBack = 20;
    int32_t limitFwd = 20;
    int32_t dragging = 0;
    int32_t grabOffset = 0;
    int32_t pressX = 0;
    int32_t pressY = 0;
    int32_t trackX = 0;
    int32_t trackY = 0;
    int32_t penWidth = 4;
    void* trackPen = nullptr;
    int32_t barLength = 0;
};

constexpr unsigned kSliderLimitBackBit = 1;
constexpr unsigned kSliderLimitFwdBit = 2;

// The orientation stored for a VBSM_SETORIENTATION wParam. A 64-bit wParam
// whose low half is 0 still asks for a horizontal bar, so it must not be cut
// to 0; any other value is kept as the caller gave it and read back as such.
int32_t SliderOrientation(uint64_t wParam);

// lParam layout of the limit messages: back limit high, forward limit low.
void SetSliderLimits(SliderState& state, uintptr_t mask, uint32_t packedLimits);
uint32_t PackedSliderLimits(const SliderState& state);

void BeginSliderDrag(SliderState& state, int x, int y, int clientWidth, int clientHeight);

enum class SliderMove {
    Unmoved,   // nothing changed along the drag axis: track stored, nothing drawn
    Accepted,  // within the limits: erase the old line, store, draw the new one
    Rejected,  // beyond a limit: everything stays where it was
};
SliderMove ClassifySliderMove(const SliderState& state, int x, int y);
void StoreSliderTrack(SliderState& state, int x, int y);

// Ends the drag and gives the displacement of the last accepted position.
int32_t EndSliderDrag(SliderState& state);

// Top-left corners of the five 2 x 2 grip dots.
std::array<SliderPoint, 5> SliderGripDots(int clientWidth, int clientHeight, bool horizontal);

// The point of the slider's client area the tracking line hangs from.
SliderPoint TrackLineAnchor(const SliderState& state, int x, int y);

struct TrackLine {
    SliderPoint from;
    SliderPoint to;
    SliderRect clip;
};
// anchorInParent: TrackLineAnchor converted to the parent's client coordinates.
TrackLine TrackLineGeometry(const SliderState& state, SliderPoint anchorInParent);
