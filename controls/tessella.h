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
