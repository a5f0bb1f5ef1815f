#include "controls/clock/clock_paint_win.h"

namespace {

HDC MemoryDc(const ClockState& state) { return static_cast<HDC>(state.memDC); }

// Runs a drawing routine on a bitmap through a temporary context.
template <typename Draw>
void DrawIntoBitmap(const ClockState& state, void* bitmap, Draw draw) {
    HDC dc = CreateCompatibleDC(MemoryDc(state));
    HGDIOBJ previous = SelectObject(dc, static_cast<HBITMAP>(bitmap));
    draw(dc);
    SelectObject(dc, previous);
    DeleteDC(dc);
}

void DeleteBitmap(void*& bitmap) {
    if (bitmap) DeleteObject(static_cast<HBITMAP>(bitmap));
    bitmap = nullptr;
}

void CreateBuffers(ClockState& state, int width, int height) {
    HWND window = static_cast<HWND>(state.window);
    HDC screen = GetDC(window);
    state.memDC = CreateCompatibleDC(screen);
    state.workBitmap = CreateCompatibleBitmap(screen, width, height);
    state.faceBitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(window, screen);
}

}  // namespace

void RefreshClockFace(const ClockState& state) {
    DrawIntoBitmap(state, state.faceBitmap, [&state](HDC dc) { RenderFace(dc, state); });
}

void ReleaseClockBuffers(ClockState& state) {
    if (state.memDC) {
        if (state.savedBitmap) SelectObject(MemoryDc(state), static_cast<HGDIOBJ>(state.savedBitmap));
        DeleteDC(MemoryDc(state));
    }
    state.memDC = nullptr;
    state.savedBitmap = nullptr;
    DeleteBitmap(state.workBitmap);
    DeleteBitmap(state.faceBitmap);
}

void ResizeClock(ClockState& state) {
    RECT client;
    GetClientRect(static_cast<HWND>(state.window), &client);
    SetClockClientSize(state, client.right, client.bottom);
    if (client.right == 0 || client.bottom == 0) return;

    // The buffers grow but never shrink.
    if (state.workBitmap && state.bitmapWidth >= client.right && state.bitmapHeight >= client.bottom) {
        if (state.memDC) RefreshClockFace(state);
        return;
    }
    state.bitmapWidth = client.right;
    state.bitmapHeight = client.bottom;
    ReleaseClockBuffers(state);
    CreateBuffers(state, client.right, client.bottom);
    if (!state.memDC || !state.workBitmap || !state.faceBitmap) {
        // Half a set of buffers would show garbage: show no image instead.
        ReleaseClockBuffers(state);
        return;
    }
    RefreshClockFace(state);
    state.savedBitmap = SelectObject(MemoryDc(state), static_cast<HBITMAP>(state.workBitmap));
}

void ComposeClock(ClockState& state) {
    if (!state.memDC) ResizeClock(state);
    if (!state.memDC) return;
    DrawIntoBitmap(state, state.faceBitmap, [&state](HDC face) {
        BitBlt(MemoryDc(state), 0, 0, state.bitmapWidth, state.bitmapHeight, face, 0, 0, SRCCOPY);
    });
    DrawHands(MemoryDc(state), state);
}
