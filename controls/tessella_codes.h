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

// Multi-select "TessellaByKestrune". Element handles (floors, rooms) are the
// pointers the control returns; they live until a clear, a load or the
// window's end.
#define TSM_CLEAR (TESSELLA_MESSAGE_BASE + 100)
#define TSM_ADDFLOOR (TESSELLA_MESSAGE_BASE + 101)        // lParam: FloorInfo*; result: the floor
#define TSM_ADDROOM (TESSELLA_MESSAGE_BASE + 102)         // lParam: RoomInfo* with floor; result: the room
#define TSM_GETNAMES (TESSELLA_MESSAGE_BASE + 103)        // lParam: TextRequest*
#define TSM_SETFLOORINFO (TESSELLA_MESSAGE_BASE + 104)    // lParam: FloorInfo* with floor
#define TSM_SETROOMINFO (TESSELLA_MESSAGE_BASE + 105)     // lParam: RoomInfo* with room
#define TSM_SAVEFILE (TESSELLA_MESSAGE_BASE + 106)        // lParam: TextRequest*: path, separator
#define TSM_LOADFILE (TESSELLA_MESSAGE_BASE + 107)        // LOWORD(wParam): redraw; lParam: TextRequest*
#define TSM_BEGINUPDATE (TESSELLA_MESSAGE_BASE + 108)
#define TSM_ENDUPDATE (TESSELLA_MESSAGE_BASE + 109)
#define TSM_CHECKALL (TESSELLA_MESSAGE_BASE + 110)        // wParam: MAKEWPARAM(redraw, state)
#define TSM_INVERTALL (TESSELLA_MESSAGE_BASE + 111)       // LOWORD(wParam): redraw
#define TSM_CHECKFLOOR (TESSELLA_MESSAGE_BASE + 112)      // wParam: MAKEWPARAM(redraw, state); lParam: floor
#define TSM_INVERTFLOOR (TESSELLA_MESSAGE_BASE + 113)     // LOWORD(wParam): redraw; lParam: floor
#define TSM_CHECKROOM (TESSELLA_MESSAGE_BASE + 114)       // wParam: MAKEWPARAM(redraw, state); lParam: room
#define TSM_TOGGLEROOM (TESSELLA_MESSAGE_BASE + 115)      // LOWORD(wParam): redraw; lParam: room
#define TSM_EXPANDFLOOR (TESSELLA_MESSAGE_BASE + 116)     // wParam: MAKEWPARAM(redraw, expand); lParam: floor
#define TSM_TOGGLEFLOOR (TESSELLA_MESSAGE_BASE + 117)     // LOWORD(wParam): redraw; lParam: floor
#define TSM_SAVETEXT (TESSELLA_MESSAGE_BASE + 118)        // lParam: TextRequest*: buffer, size, separator
#define TSM_LOADTEXT (TESSELLA_MESSAGE_BASE + 119)        // LOWORD(wParam): redraw; lParam: TextRequest*
#define TSM_FINDFLOOR (TESSELLA_MESSAGE_BASE + 120)       // lParam: FindRequest*
#define TSM_FINDROOM (TESSELLA_MESSAGE_BASE + 121)        // lParam: FindRequest*
#define TSM_GETFLOORCOUNT (TESSELLA_MESSAGE_BASE + 122)
#define TSM_GETROOMCOUNT (TESSELLA_MESSAGE_BASE + 123)    // lParam: floor
#define TSM_GETTOTALROOMS (TESSELLA_MESSAGE_BASE + 124)
#define TSM_GETFLOORINFO (TESSELLA_MESSAGE_BASE + 125)    // lParam: FloorInfo* with floor, mask
#define TSM_GETROOMINFO (TESSELLA_MESSAGE_BASE + 126)     // lParam: RoomInfo* with room, mask
#define TSM_GETSTYLE (TESSELLA_MESSAGE_BASE + 127)
#define TSM_SETSTYLE (TESSELLA_MESSAGE_BASE + 128)        // LOWORD(wParam): redraw; lParam: style
#define TSM_MODIFYSTYLE (TESSELLA_MESSAGE_BASE + 129)     // wParam: MAKEWPARAM(redraw, set); lParam: mask
#define TSM_GETBKCOLOR (TESSELLA_MESSAGE_BASE + 130)
#define TSM_SETBKCOLOR (TESSELLA_MESSAGE_BASE + 131)      // wParam: redraw; lParam: COLORREF
#define TSM_GETIMAGELIST (TESSELLA_MESSAGE_BASE + 132)
#define TSM_SETIMAGELIST (TESSELLA_MESSAGE_BASE + 133)    // LOWORD(wParam): redraw; lParam: HIMAGELIST
#define TSM_GETFONT (TESSELLA_MESSAGE_BASE + 134)
#define TSM_SETFONT (TESSELLA_MESSAGE_BASE + 135)         // wParam: HFONT; LOWORD(lParam): redraw
#define TSM_SETFLOORIMAGES (TESSELLA_MESSAGE_BASE + 136)  // LOWORD(wParam): redraw; lParam: MAKELPARAM(collapsed, expanded)
#define TSM_GETCHECK (TESSELLA_MESSAGE_BASE + 137)
#define TSM_SETFLOORWIDTH (TESSELLA_MESSAGE_BASE + 138)   // LOWORD(wParam): redraw; LOWORD(lParam): width
#define TSM_SETROOMSIZE (TESSELLA_MESSAGE_BASE + 139)     // LOWORD(wParam): redraw; lParam: MAKELPARAM(width, height)
#define TSN_CHECKCHANGED 1  // the building's state (none, all, some rooms checked) changed
#define TSN_SELCHANGED 6    // room check states changed
#define TSS_FLATCHECKS 0x01u
#define TSS_SHAREDIMAGELIST 0x02u  // the control never destroys its image list
#define TSS_SHAREDFONT 0x04u       // the control never deletes its font
#define TSS_BORDER 0x08u
#define TSS_READONLY 0x10u         // the mouse changes nothing; keys and wheel still scroll
#define TSF_COLORS 0x01u           // FloorInfo / RoomInfo mask bits
#define TSF_NAME 0x02u
#define TSF_IMAGES 0x04u
#define TSF_HEADERHEIGHT 0x08u
#define TSF_USERDATA 0x10u
#define TSF_CHECK 0x40u
#define TSF_CELLSIZE 0x100u
