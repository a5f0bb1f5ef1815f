#include "controls/multiselect/multiselect_records_win.h"

#include "controls/multiselect/multiselect_layout.h"

namespace {

// Cut by the building's code page even before the element belongs to it.
void ApplyName(CBaseEle& element, const char (&name)[TESSELLA_NAME_BYTES], const LeadByteTable& leadBytes) {
    static_assert(sizeof element.m_name == TESSELLA_NAME_BYTES, "records carry whole names");
    CopyNameCut(element.m_name, name, kElementNameMaxBytes, leadBytes);
}

template <typename Info>
bool NameRefused(const Info& info) {
    return (info.mask & TSF_NAME) != 0 && BreaksTextLine(info.name, kElementNameMaxBytes);
}

void ReadName(const CBaseEle& element, char (&name)[TESSELLA_NAME_BYTES]) { element.GetName(name, sizeof name); }

}  // namespace

void ApplyFloorInfo(CFloor& floor, const FloorInfo& info, const LeadByteTable& leadBytes) {
    if ((info.mask & TSF_NAME) && !NameRefused(info)) ApplyName(floor, info.name, leadBytes);
    if (info.mask & TSF_IMAGES) floor.SetImages(info.collapsedImage, info.expandedImage);
    if (info.mask & TSF_HEADERHEIGHT) floor.m_headerHeight = ClampedMessageSize(info.headerHeight);
    if (info.mask & TSF_CELLSIZE) {
        floor.SetCellSize(ClampedMessageSize(info.cellWidth), ClampedMessageSize(info.cellHeight));
    }
    if (info.mask & TSF_COLORS) {
        floor.m_headerColor = info.headerColor;
        floor.m_bodyColor = info.bodyColor;
        floor.m_headerTextColor = info.headerTextColor;
    }
    if (info.mask & TSF_USERDATA) floor.SetUserData(info.userData);
}

void ApplyRoomInfo(CRoom& room, const RoomInfo& info, const LeadByteTable& leadBytes) {
    if ((info.mask & TSF_NAME) && !NameRefused(info)) ApplyName(room, info.name, leadBytes);
    if (info.mask & TSF_IMAGES) room.SetImages(info.checkedImage, info.uncheckedImage);
    if (info.mask & TSF_COLORS) {
        room.m_checkedFill = info.checkedFill;
        room.m_normalFill = info.normalFill;
        room.m_checkedText = info.checkedText;
        room.m_normalText = info.normalText;
    }
    if (info.mask & TSF_USERDATA) room.SetUserData(info.userData);
}

bool CarriesRefusedName(const FloorInfo& info) { return NameRefused(info); }
bool CarriesRefusedName(const RoomInfo& info) { return NameRefused(info); }

void ReadFloorInfo(const CFloor& floor, FloorInfo& info) {
    if (info.mask & TSF_NAME) ReadName(floor, info.name);
    if (info.mask & TSF_IMAGES) {
        info.collapsedImage = floor.m_imageA;
        info.expandedImage = floor.m_imageB;
    }
    if (info.mask & TSF_HEADERHEIGHT) info.headerHeight = floor.m_headerHeight;
    if (info.mask & TSF_CELLSIZE) {
        info.cellWidth = floor.m_cellWidth;
        info.cellHeight = floor.m_cellHeight;
    }
    if (info.mask & TSF_COLORS) {
        info.headerColor = floor.m_headerColor;
        info.bodyColor = floor.m_bodyColor;
        info.headerTextColor = floor.m_headerTextColor;
    }
    if (info.mask & TSF_USERDATA) info.userData = floor.m_userData;
}

void ReadRoomInfo(const CRoom& room, RoomInfo& info) {
    if (info.mask & TSF_NAME) ReadName(room, info.name);
    if (info.mask & TSF_CHECK) info.check = room.m_check;
    if (info.mask & TSF_IMAGES) {
        info.checkedImage = room.m_imageA;
        info.uncheckedImage = room.m_imageB;
    }
    if (info.mask & TSF_COLORS) {
        info.checkedFill = room.m_checkedFill;
        info.normalFill = room.m_normalFill;
        info.checkedText = room.m_checkedText;
        info.normalText = room.m_normalText;
    }
    if (info.mask & TSF_USERDATA) info.userData = room.m_userData;
}
