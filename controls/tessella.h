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
