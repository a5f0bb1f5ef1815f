// Hosts built by other compilers read the notification records at fixed
// offsets: the i686 layout is the published one, and x86_64 keeps the field
// order with pointer-sized header fields. A change of packing or of a field
// type must fail the build, not a host at run time.
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
