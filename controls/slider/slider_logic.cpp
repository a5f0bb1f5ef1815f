#include "controls/slider/slider_logic.h"

namespace {

int AlongAxis(const SliderState& state, int x, int y) { return state.horizontal ? y : x; }

}  // namespace

int32_t SliderOrientation(uint64_t wParam) {
    const auto low = static_cast<int32_t>(static_cast<uint32_t>(wParam));
    return low != 0 || wParam == 0 ? low : 1;
}

void SetSliderLimits(SliderState& state, uintptr_t mask, uint32_t packedLimits) {
    if (mask & kSliderLimitBackBit) state.limitBack = static_cast<int32_t>(packedLimits >> 16);
    if (mask & kSliderLimitFwdBit) state.limitFwd = static_cast<int32_t>(packedLimits & 0xFFFF);
}

uint32_t PackedSliderLimits(const SliderState& state) {
    return (static_cast<uint32_t>(state.limitBack & 0xFFFF) << 16) |
           static_cast<uint32_t>(state.limitFwd & 0xFFFF);
}

void BeginSliderDrag(SliderState& state, int x, int y, int clientWidth, int clientHeight) {
    state.pressX = state.trackX = x;
    state.pressY = state.trackY = y;
    if (state.horizontal) {
        state.grabOffset = state.pressY - clientHeight / 2;
        state.barLength = clientWidth;
    } else {
        state.grabOffset = state.pressX - clientWidth / 2;
        state.barLength = clientHeight;
    }
    state.dragging = 1;
}

SliderMove ClassifySliderMove(const SliderState& state, int x, int y) {
    const int position = AlongAxis(state, x, y);
    if (position == AlongAxis(state, state.trackX, state.trackY)) return SliderMove::Unmoved;
    const int distance = position - AlongAxis(state, state.pressX, state.pressY);
    if (distance < -state.limitBack || distance > state.limitFwd) return SliderMove::Rejected;
    return SliderMove::Accepted;
}

void StoreSliderTrack(SliderState& state, int x, int y) {
    state.trackX = x;
    state.trackY = y;
}

int32_t EndSliderDrag(SliderState& state) {
    state.dragging = 0;
    return AlongAxis(state, state.trackX, state.trackY) - AlongAxis(state, state.pressX, state.pressY);
}

std::array<SliderPoint, 5> SliderGripDots(int clientWidth, int clientHeight, bool horizontal) {
    const int cx = (clientWidth - 4) / 2 + 1;
    const int cy = (clientHeight - 4) / 2 + 1;
    std::array<SliderPoint, 5> dots{};
    for (int k = 0; k < 5; ++k) {
        const int shift = -12 + 6 * k;
        dots[k] = horizontal ? SliderPoint{cx + shift, cy} : SliderPoint{cx, cy + shift};
    }
    return dots;
}

SliderPoint TrackLineAnchor(const SliderState& state, int x, int y) {
    return state.horizontal ? SliderPoint{0, y} : SliderPoint{x, 0};
}

TrackLine TrackLineGeometry(const SliderState& state, SliderPoint anchor) {
    const int length = state.barLength;
    const int offset = state.grabOffset;
    const int px = anchor.x;
    const int py = anchor.y;
    if (state.horizontal) {
        const int y = py - offset;
        return {{px, y}, {px + length, y},
                {px, py - length / 2 - offset - 1, px + length, py + length / 2 - offset + 1}};
    }
    const int x = px - offset;
    return {{x, py}, {x, py + length},
            {px - length / 2 - offset - 1, py, px + length / 2 - offset + 1, py + length}};
}
