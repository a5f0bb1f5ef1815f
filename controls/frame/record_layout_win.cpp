// Hosts built by other compilers read the notification records at fixed
// offsets: the i686 layout is the published one, and x86_64 keeps the field
// order with pointer-sized header fields. A change of packing or of a field
// type must fail the build, not a host at run time. The multi-select
// records keep the same rule with their pointer-sized handles.
#include <cstddef>

#include "controls/tessella.h"

static_assert(offsetof(NMVBSLIDER, hdr) == 0 && offsetof(NMCLOCKTIME, hdr) == 0, "NMHDR comes first");
static_assert(sizeof(ClockTime) == 2 && offsetof(ClockTime, minute) == 1, "ClockTime is hour, minute");

#ifdef _WIN64
static_assert(sizeof(NMHDR) == 24 && offsetof(NMHDR, idFrom) == 8 && offsetof(NMHDR, code) == 16);
static_assert(offsetof(NMVBSLIDER, delta) == 24 && sizeof(NMVBSLIDER) == 32);
static_assert(offsetof(NMCLOCKTIME, hour) == 24 && offsetof(NMCLOCKTIME, minute) == 25 && sizeof(NMCLOCKTIME) == 32);
#else
static_assert(sizeof(NMHDR) == 12 && offsetof(NMHDR, idFrom) == 4 && offsetof(NMHDR, code) == 8);
static_assert(offsetof(NMVBSLIDER, delta) == 12 && sizeof(NMVBSLIDER) == 16);
static_assert(offsetof(NMCLOCKTIME, hour) == 12 && offsetof(NMCLOCKTIME, minute) == 13 && sizeof(NMCLOCKTIME) == 16);
#endif

static_assert(offsetof(CheckNotify, hdr) == 0, "CheckNotify is an NMHDR to WM_NOTIFY");
#ifdef _WIN64
static_assert(offsetof(FloorInfo, floor) == 8 && offsetof(FloorInfo, name) == 16 &&
              offsetof(FloorInfo, expandedImage) == 64 && offsetof(FloorInfo, reserved) == 76 &&
              offsetof(FloorInfo, cellWidth) == 84 && offsetof(FloorInfo, userData) == 104 &&
              sizeof(FloorInfo) == 112);
static_assert(offsetof(RoomInfo, floor) == 8 && offsetof(RoomInfo, room) == 16 && offsetof(RoomInfo, name) == 24 &&
              offsetof(RoomInfo, check) == 72 && offsetof(RoomInfo, checkedFill) == 88 &&
              offsetof(RoomInfo, userData) == 104 && sizeof(RoomInfo) == 112);
static_assert(offsetof(TextRequest, size) == 8 && offsetof(TextRequest, separator) == 20 && sizeof(TextRequest) == 24);
static_assert(offsetof(FindRequest, mode) == 8 && offsetof(FindRequest, name) == 16 && sizeof(FindRequest) == 24);
static_assert(offsetof(CheckNotify, element) == 24 && offsetof(CheckNotify, oldState) == 36 &&
              offsetof(CheckNotify, newState) == 40 && sizeof(CheckNotify) == 48);
#else
static_assert(offsetof(FloorInfo, floor) == 4 && offsetof(FloorInfo, name) == 8 &&
              offsetof(FloorInfo, expandedImage) == 56 && offsetof(FloorInfo, collapsedImage) == 60 &&
              offsetof(FloorInfo, headerHeight) == 64 && offsetof(FloorInfo, reserved) == 68 &&
              offsetof(FloorInfo, cellWidth) == 76 && offsetof(FloorInfo, cellHeight) == 80 &&
              offsetof(FloorInfo, headerColor) == 84 && offsetof(FloorInfo, bodyColor) == 88 &&
              offsetof(FloorInfo, headerTextColor) == 92 && offsetof(FloorInfo, userData) == 96 &&
              sizeof(FloorInfo) == 100);
static_assert(offsetof(RoomInfo, floor) == 4 && offsetof(RoomInfo, room) == 8 && offsetof(RoomInfo, name) == 12 &&
              offsetof(RoomInfo, check) == 60 && offsetof(RoomInfo, checkedImage) == 64 &&
              offsetof(RoomInfo, uncheckedImage) == 68 && offsetof(RoomInfo, reserved) == 72 &&
              offsetof(RoomInfo, checkedFill) == 76 && offsetof(RoomInfo, normalFill) == 80 &&
              offsetof(RoomInfo, checkedText) == 84 && offsetof(RoomInfo, normalText) == 88 &&
              offsetof(RoomInfo, userData) == 92 && sizeof(RoomInfo) == 96);
static_assert(offsetof(TextRequest, size) == 4 && offsetof(TextRequest, which) == 8 &&
              offsetof(TextRequest, count) == 12 && offsetof(TextRequest, separator) == 16 &&
              sizeof(TextRequest) == 20);
static_assert(offsetof(FindRequest, mode) == 4 && offsetof(FindRequest, index) == 8 &&
              offsetof(FindRequest, name) == 12 && sizeof(FindRequest) == 16);
static_assert(offsetof(CheckNotify, element) == 12 && offsetof(CheckNotify, reserved) == 16 &&
              offsetof(CheckNotify, oldState) == 20 && offsetof(CheckNotify, newState) == 24 &&
              sizeof(CheckNotify) == 28);
#endif
