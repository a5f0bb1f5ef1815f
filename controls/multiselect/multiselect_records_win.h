#pragma once
// FloorInfo and RoomInfo in and out of the elements, field by mask bit.
#include "controls/multiselect/multiselect_elements.h"
#include "controls/tessella.h"

// Names in the records may fill all 48 bytes without a terminator.
void ApplyFloorInfo(CFloor& floor, const FloorInfo& info, const LeadByteTable& leadBytes);
void ApplyRoomInfo(CRoom& room, const RoomInfo& info, const LeadByteTable& leadBytes);
void ReadFloorInfo(const CFloor& floor, FloorInfo& info);
void ReadRoomInfo(const CRoom& room, RoomInfo& info);
