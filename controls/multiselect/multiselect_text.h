#pragma once
// The building as text: floors with their rooms and check letters, saved to
// and loaded from memory or a file, the list of room names, and lookups.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "controls/multiselect/multiselect_elements.h"

// Bytes the format itself uses to mark lines and states: a separator equal to
// one of them would lose rooms or states, so save and load refuse it.
bool IsUsableSeparator(char separator);

// The whole text, without a terminator.
std::string BuildingText(const CBuilding& building, char separator);

// Saves into buffer of *size bytes with a terminating NUL. When text and NUL do
// not fit (a size of 0 or less, or a null buffer, included), nothing is
// written, *size receives the bytes needed and 0 is returned. A null size or
// an unusable separator: 0 and nothing touched.
int SaveBuildingText(const CBuilding& building, char separator, char* buffer, int32_t* size);
// Writes text to an open file; false when any of it was not written.
using TextWriter = bool (*)(std::FILE* file, std::string_view text);
bool WriteWholeText(std::FILE* file, std::string_view text);
// Writes the whole text to a temporary file beside path and puts it in the
// place of path only when every write, the flush and the close succeeded, so
// a failed save (0) leaves the file that was there. A device, a pipe or a
// link is written in place (see multiselect_file.h).
int SaveBuildingFile(const CBuilding& building, const char* path, char separator,
                     TextWriter write = WriteWholeText);

// Replaces the building by the NUL-terminated text with notices suppressed,
// then reports a change of the building state against the state before the
// load. Returns 0 with nothing changed (every floor, room and handle as it
// was) for null text, an unusable separator, an unopenable or unreadable
// file, while a notice is being sent, or when memory ran out for any
// element. The window repaints afterwards. Lines of any length are read
// whole.
int LoadBuildingText(CBuilding& building, const char* text, char separator);
int LoadBuildingFile(CBuilding& building, const char* path, char separator);

// Names of the rooms in a state (0 unchecked, 1 checked, 2 all).
struct RoomNameList {
    int32_t size;   // bytes needed (null buffer) or the given size
    int32_t count;  // names counted or written
};
// With a null buffer: bytes needed including the terminator. With a buffer:
// names separated by separator and ended by a NUL; a size of 0 or less writes
// nothing.
RoomNameList ListRoomNames(const CBuilding& building, int32_t which, char separator, char* buffer, int32_t size);

// Lookups; anything out of range or a null name gives null.
CFloor* FindFloorByIndex(const CBuilding& building, int32_t index);
CFloor* FindFloorByName(const CBuilding& building, const char* name);
// floor null: across all floors in order.
CRoom* FindRoomByIndex(const CBuilding& building, const CFloor* floor, int32_t index);
CRoom* FindRoomByName(const CBuilding& building, const CFloor* floor, const char* name);
