#include "controls/frame/class_registration_win.h"

#include "controls/clock/clock_win.h"
#include "controls/multiselect/multiselect_win.h"
#include "controls/slider/slider_win.h"
#include "controls/tessella.h"

namespace {

ATOM RegisterControlClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style, int background) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 4;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
    wc.lpszClassName = name;
    return RegisterClassExA(&wc);
}

}  // namespace

ATOM RegisterMultiSelectClass(HINSTANCE instance) {
    return RegisterControlClass(instance, TESSELLA_CLASS_A, MultiSelectWindowProc, CS_GLOBALCLASS, COLOR_WINDOW);
}

ATOM RegisterClockClass(HINSTANCE instance) {
    return RegisterControlClass(instance, CLOCK_CLASS_A, ClockWindowProc, CS_GLOBALCLASS, COLOR_WINDOW);
}

ATOM RegisterSliderClass(HINSTANCE instance) {
    return RegisterControlClass(instance, VBSLIDER_CLASS_A, SliderWindowProc,
                                CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS, COLOR_MENUBAR);
}

void UnregisterMultiSelectClass(HINSTANCE instance) { UnregisterClassA(TESSELLA_CLASS_A, instance); }
