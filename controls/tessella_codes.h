#pragma once
// Message numbers, notification codes and flags of the Tessella controls.
// Plain numbers, so the portable logic and every host share them.

#define TESSELLA_MESSAGE_BASE 0x0400  // WM_USER

// Slider "VBSliderByKestrune".
#define VBSM_SETLIMITS (TESSELLA_MESSAGE_BASE + 300)       // wParam: 1 back, 2 forward; lParam: MAKELPARAM(fwd, back)
#define VBSM_GETLIMITS (TESSELLA_MESSAGE_BASE + 301)       // result: MAKELRESULT(fwd, back)
#define VBSM_SETORIENTATION (TESSELLA_MESSAGE_BASE + 302)  // wParam: 0 vertical bar, non-zero horizontal bar
#define VBSM_GETORIENTATION (TESSELLA_MESSAGE_BASE + 303)
#define VBSN_MOVED 1

// Clock "ClockCtlByKestrune".
#define CLKM_SETTIME (TESSELLA_MESSAGE_BASE + 300)        // lParam: ClockTime*; LOWORD(wParam): redraw
#define CLKM_GETTIME (TESSELLA_MESSAGE_BASE + 301)        // lParam: ClockTime*
#define CLKM_GETMINUTESTEP (TESSELLA_MESSAGE_BASE + 302)
#define CLKM_SETMINUTESTEP (TESSELLA_MESSAGE_BASE + 303)  // wParam: step
#define CLKM_GETFLAGS (TESSELLA_MESSAGE_BASE + 304)
#define CLKM_SETFLAGS (TESSELLA_MESSAGE_BASE + 305)       // lParam: flags; LOWORD(wParam): redraw
#define CLKM_GETTOLERANCE (TESSELLA_MESSAGE_BASE + 306)
#define CLKM_SETTOLERANCE (TESSELLA_MESSAGE_BASE + 307)   // wParam: tolerance in 6-degree steps
#define CLKM_MODIFYFLAGS (TESSELLA_MESSAGE_BASE + 308)    // lParam: mask; HIWORD(wParam): set; LOWORD(wParam): redraw
#define CLKN_TIMECHANGED 1
#define CLKF_FRAME 0x08u
#define CLKF_READONLY 0x10u
