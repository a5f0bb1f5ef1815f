#include "controls/multiselect/multiselect_win.h"

// Until the multi-select control itself arrives, its class behaves as a
// plain window so that registering it already works for hosts.
LRESULT CALLBACK MultiSelectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}
