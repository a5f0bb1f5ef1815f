#pragma once
// What a host of Tessella.dll needs: class names, messages, records, flags
// and the exports (ordinals 1 to 4).
#include <windows.h>

#include "controls/tessella_codes.h"

#define TESSELLA_CLASS_A "TessellaByKestrune"
#define CLOCK_CLASS_A "ClockCtlByKestrune"
#define VBSLIDER_CLASS_A "VBSliderByKestrune"

typedef struct NMVBSLIDER {
    NMHDR hdr;
    LONG delta;
} NMVBSLIDER;

typedef struct ClockTime {
    BYTE hour;
    BYTE minute;
} ClockTime;

typedef struct NMCLOCKTIME {
    NMHDR hdr;
    BYTE hour;
    BYTE minute;
} NMCLOCKTIME;

// Multi-select records. The floor and room handles are opaque to hosts.
//
// What a host of "TessellaByKestrune" can rely on beyond the plain contract:
// - Handles. Every floor and room handle a message takes is checked, in
//   constant time, against the control's live elements. A handle from before
//   TSM_CLEAR or a load, or one of another control, is refused: the message
//   answers 0 (a get leaves the record as it was) and changes nothing.
// - Names. A name (FloorInfo.name, RoomInfo.name) with a CR or LF among its
//   first 47 bytes would break its line of the text format, so it never
//   enters: TSM_ADDFLOOR and TSM_ADDROOM answer 0 and add nothing;
//   TSM_SETFLOORINFO and TSM_SETROOMINFO keep the old name and apply the
//   other fields. A name may hold the separator byte of a later save, but
//   such a name comes back from the text as several rooms, split at it.
// - Sizes. headerHeight, cellWidth and cellHeight of a FloorInfo are cut to
//   0..65535, the range the size messages carry.
// - Separators. TextRequest.separator must not be NUL, CR, LF, 'C' or 'U'
//   (bytes of the format itself): save and load answer 0 and change nothing.
// - Loads (TSM_LOADFILE, TSM_LOADTEXT) build the new floors aside and put them
//   in place only when complete. A load that fails, for any reason (no file,
//   an unreadable file, a refused separator, memory running out), answers 0
//   and leaves the building, the picture and every handle as they were.
//   Lines of any length are read whole; a lone CR in a name is dropped. The
//   one TSN_CHECKCHANGED a load may send compares the new state with the
//   state before the load.
// - Saves to a file (TSM_SAVEFILE) write "<path>.saving" beside the target
//   and put it in the target's place only when every write, the flush and
//   the close succeeded: a failed save answers 0 and the file that was there
//   stays. A device, a pipe or a link is written in place.
// - Notices. From inside its WM_NOTIFY handler a parent may query the
//   control and even destroy it, but TSM_CLEAR, TSM_LOADFILE and TSM_LOADTEXT
//   are refused (0, nothing changed) while a notice is being sent: the
//   control still works on the elements the notice is about.
// - Updates. Between TSM_BEGINUPDATE and TSM_ENDUPDATE the redraw word of
//   TSM_SETSTYLE, TSM_MODIFYSTYLE, TSM_SETIMAGELIST, TSM_SETFONT,
//   TSM_SETFLOORIMAGES, TSM_SETFLOORWIDTH and TSM_SETROOMSIZE (as that of
//   TSM_CHECKFLOOR, TSM_INVERTFLOOR, TSM_CHECKROOM, TSM_TOGGLEROOM,
//   TSM_EXPANDFLOOR and TSM_TOGGLEFLOOR) is ignored: nothing is repainted,
//   and TSM_ENDUPDATE lays out and repaints once. TSM_CHECKALL,
//   TSM_INVERTALL, TSM_SETBKCOLOR, TSM_SETFLOORINFO and TSM_SETROOMINFO
//   repaint regardless.
// - Standard messages. WM_VSCROLL and WM_HSCROLL answer 1. WM_GETDLGCODE
//   answers DLGC_WANTARROWS, so in a dialog the arrow keys scroll the control
//   instead of moving the focus. A single room checked, toggled or changed
//   paints only within its floor's body, so nothing of a folded floor's
//   rooms shows.
#ifdef __cplusplus
class CBaseEle;
class CFloor;
class CRoom;
#else
typedef struct CBaseEle CBaseEle;
typedef struct CFloor CFloor;
typedef struct CRoom CRoom;
#endif

#define TESSELLA_NAME_BYTES 48  // 47 bytes of name and the terminator

// The name may fill all 48 bytes without a terminator; 47 are kept.
typedef struct FloorInfo {
    UINT mask;  // TSF_ bits: which fields count
    CFloor* floor;
    char name[TESSELLA_NAME_BYTES];
    INT expandedImage;
    INT collapsedImage;
    INT headerHeight;
    BYTE reserved[8];
    INT cellWidth;
    INT cellHeight;
    COLORREF headerColor;
    COLORREF bodyColor;
    COLORREF headerTextColor;
    INT userData;
} FloorInfo;

typedef struct RoomInfo {
    UINT mask;
    CFloor* floor;
    CRoom* room;
    char name[TESSELLA_NAME_BYTES];
    INT check;
    INT checkedImage;
    INT uncheckedImage;
    BYTE reserved[4];
    COLORREF checkedFill;
    COLORREF normalFill;
    COLORREF checkedText;
    COLORREF normalText;
    INT userData;
} RoomInfo;

// TSM_SAVETEXT writes the text and a terminating NUL only when both fit in
// size bytes; otherwise it writes nothing, puts the bytes needed (NUL
// included) in size and answers 0. TSM_GETNAMES with a buffer and a size of
// 0 or less writes nothing.
typedef struct TextRequest {
    char* text;  // buffer, path or input text
    INT size;    // buffer bytes; TSM_GETNAMES and TSM_SAVETEXT put the needed size here
    INT which;   // TSM_GETNAMES: 0 unchecked, 1 checked, 2 all rooms
    INT count;   // TSM_GETNAMES: names found
    char separator;
} TextRequest;

typedef struct FindRequest {
    CBaseEle* element;  // found floor; for TSM_FINDROOM the floor to search, null for all
    INT mode;           // 1 by index, anything else by name
    INT index;
    const char* name;
} FindRequest;

typedef struct CheckNotify {
    NMHDR hdr;
    CBaseEle* element;  // the floor concerned, or null
    INT reserved;
    INT oldState;  // the building's check state before and after
    INT newState;
} CheckNotify;

// Exports.
typedef ATOM(WINAPI* RegisterTessellaProc)(void);
typedef ATOM(WINAPI* RegisterSlidersProc)(void);
typedef int(WINAPI* UnicodeToAnsiProc)(const wchar_t* text, char* buffer, int bufferBytes);
typedef int(WINAPI* AnsiToUnicodeProc)(const char* text, wchar_t* buffer, int bufferChars);

#ifdef __cplusplus
extern "C" {
#endif
ATOM WINAPI RegisterTessella(void);
ATOM WINAPI RegisterSliders(void);
int WINAPI UnicodeToAnsi(const wchar_t* text, char* buffer, int bufferBytes);
int WINAPI AnsiToUnicode(const char* text, wchar_t* buffer, int bufferChars);
#ifdef __cplusplus
}
#endif
