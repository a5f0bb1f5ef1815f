#pragma once
// FloorInfo and RoomInfo in and out of the elements, field by mask bit.
#include "controls/multiselect/multiselect_elements.h"
#include "controls/tessella.h"

// Names in the records may fill all 48 bytes without a terminator. A name
// with a CR or LF is not applied (the other fields are); sizes are cut to
// the range of the size messages.
void ApplyFloorInfo(CFloor& floor, const FloorInfo& info, const LeadByteTable& leadBytes);
void ApplyRoomInfo(CRoom& room, const RoomInfo& info, const LeadByteTable& leadBytes);
// Whether the record's name (when its mask carries one) would break a line
// of the text format: adding such an element is refused.
bool CarriesRefusedName(const FloorInfo& info);
bool CarriesRefusedName(const RoomInfo& info);
void ReadFloorInfo(const CFloor& floor, FloorInfo& info);
void ReadRoomInfo(const CRoom& room, RoomInfo& info);
