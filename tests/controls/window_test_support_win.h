#pragma once
// Real windows for the controls' Wine tests: a host window that records the
// notifications it receives, and pixel reads from what is on screen.
#include <windows.h>

#include <vector>

#include "controls/tessella.h"

struct ReceivedNotice {
    WPARAM wParam;
    NMHDR header;
    LONG delta;        // slider notices
    BYTE hour;         // clock notices
    BYTE minute;
    const void* element;  // multi-select notices
    INT oldState;
    INT newState;
};

// Runs inside the host's WM_NOTIFY, after the notice is recorded: lets a
// test answer a notification the way a parent would.
using NoticeHook = void (*)(const NMHDR* header);

// Loads Tessella.dll by name and registers every class through its ordinals.
HMODULE LoadTessellaAndRegister();

class HostWindow {
public:
    HostWindow(int width, int height);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return window_; }
    HWND CreateControl(const char* className, int id, int x, int y, int width, int height, DWORD style = 0);
    const std::vector<ReceivedNotice>& notices() const;
    void ClearNotices();
    void SetNoticeHook(NoticeHook hook);
    // Back to an empty host between tests: a new top-level window costs
    // seconds under Wine without a window manager.
    void Reset();

private:
    HWND window_;
};

COLORREF ReadPixel(HWND window, int x, int y);
void ShowNow(HWND window);

// Sends a mouse message the way the system would, button state included.
LRESULT SendMouse(HWND window, UINT message, int x, int y);
