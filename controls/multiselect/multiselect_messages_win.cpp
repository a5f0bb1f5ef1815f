// The multi-select control's own messages. A null record or element answers
// 0 and changes nothing, and so does a handle that is not one of this
// control's live floors or rooms (from before a clear or a load, or from
// another control).
#include "controls/multiselect/multiselect_messages_win.h"

#include <memory>
#include <new>

#include "controls/multiselect/multiselect_appearance_win.h"
#include "controls/multiselect/multiselect_layout.h"
#include "controls/multiselect/multiselect_records_win.h"
#include "controls/multiselect/multiselect_text.h"
#include "controls/multiselect/multiselect_window_win.h"
#include "controls/tessella.h"

namespace {

template <typename T>
T* Pointer(LPARAM lParam) {
    return reinterpret_cast<T*>(lParam);
}

// A handle of this building, or null: one from before a clear or from
// another control is refused rather than followed.
CFloor* OwnFloor(const CBuilding& building, CBaseEle* floor) {
    return building.HoldsFloor(floor) ? static_cast<CFloor*>(floor) : nullptr;
}

CFloor* FloorParam(const CBuilding& building, LPARAM lParam) { return OwnFloor(building, Pointer<CBaseEle>(lParam)); }

CRoom* OwnRoom(const CBuilding& building, CRoom* room) {
    // Compared as an address only: a stale handle must not be converted
    // through its (freed) object.
    return building.HoldsRoom(reinterpret_cast<CBaseEle*>(room)) ? room : nullptr;
}

CRoom* RoomParam(const CBuilding& building, LPARAM lParam) { return OwnRoom(building, Pointer<CRoom>(lParam)); }

LRESULT Handle(const void* element) { return reinterpret_cast<LRESULT>(element); }

void RepaintArea(MultiSelectWindow& control, const ElementRect& area) {
    control.RepaintPicture(&area, true);
    control.InvalidateContent(area);
}

LRESULT Clear(MultiSelectWindow& control) {
    if (control.building().Clear()) control.RepaintAll(true);
    return 0;
}

LRESULT AddFloor(MultiSelectWindow& control, const FloorInfo* info) {
    if (!info || CarriesRefusedName(*info)) return 0;
    CBuilding& building = control.building();
    std::unique_ptr<CFloor> floor(new (std::nothrow) CFloor());
    if (!floor) return 0;
    ApplyFloorInfo(*floor, *info, building.m_leadBytes);
    if (!building.AddChild(floor.get(), 0, 1)) return 0;
    return Handle(floor.release());
}

LRESULT AddRoom(MultiSelectWindow& control, const RoomInfo* info) {
    CBuilding& building = control.building();
    CFloor* floor = info ? OwnFloor(building, info->floor) : nullptr;
    if (!floor || CarriesRefusedName(*info)) return 0;
    std::unique_ptr<CRoom> room(new (std::nothrow) CRoom());
    if (!room) return 0;
    if (info->mask & TSF_CHECK) room->SetCheck(info->check, 0, 0);
    ApplyRoomInfo(*room, *info, building.m_leadBytes);
    if (!floor->AddChild(room.get(), 1, 1)) return 0;
    if (building.m_suspended == 0) {
        building.RelayoutFrom(floor);
        control.ShowResizedContent();
    }
    return Handle(room.release());
}

LRESULT GetNames(MultiSelectWindow& control, TextRequest* request) {
    if (!request) return 0;
    const RoomNameList list =
        ListRoomNames(control.building(), request->which, request->separator, request->text, request->size);
    request->size = list.size;
    request->count = list.count;
    return request->size;
}

LRESULT SetFloorInfo(MultiSelectWindow& control, const FloorInfo* info) {
    CFloor* floor = info ? OwnFloor(control.building(), info->floor) : nullptr;
    if (!floor) return 0;
    ApplyFloorInfo(*floor, *info, control.building().m_leadBytes);
    // New header or room sizes move everything below.
    if (info->mask & (TSF_HEADERHEIGHT | TSF_CELLSIZE)) {
        control.Rebuild();
    } else {
        control.RepaintElement(*floor);
    }
    return 0;
}

LRESULT SetRoomInfo(MultiSelectWindow& control, const RoomInfo* info) {
    CRoom* room = info ? OwnRoom(control.building(), info->room) : nullptr;
    if (!room) return 0;
    if (info->mask & TSF_CHECK) room->SetCheck(info->check, 1, 0);
    ApplyRoomInfo(*room, *info, control.building().m_leadBytes);
    control.RepaintElement(*room);
    return 0;
}

// After a load the building is new: picture, pixels and bars follow it.
LRESULT ShowLoaded(MultiSelectWindow& control, int loaded, WPARAM wParam) {
    if (!loaded) return 0;
    const bool redraw = LOWORD(wParam) != 0;
    if (redraw) {
        control.EnsurePicture();
        control.RepaintAll(true);
    }
    control.UpdateScrollBars(redraw);
    return 1;
}

LRESULT SaveFile(MultiSelectWindow& control, const TextRequest* request) {
    if (!request || !request->text) return 0;
    return SaveBuildingFile(control.building(), request->text, request->separator);
}

LRESULT LoadFile(MultiSelectWindow& control, WPARAM wParam, const TextRequest* request) {
    if (!request || !request->text) return 0;
    return ShowLoaded(control, LoadBuildingFile(control.building(), request->text, request->separator), wParam);
}

LRESULT SaveText(MultiSelectWindow& control, TextRequest* request) {
    if (!request) return 0;
    return SaveBuildingText(control.building(), request->separator, request->text, &request->size);
}

LRESULT LoadText(MultiSelectWindow& control, WPARAM wParam, const TextRequest* request) {
    if (!request) return 0;
    return ShowLoaded(control, LoadBuildingText(control.building(), request->text, request->separator), wParam);
}

LRESULT EndUpdate(MultiSelectWindow& control) {
    control.building().m_suspended = 0;
    // Floors added meanwhile may need a larger picture than the one there.
    control.Rebuild();
    return 0;
}

LRESULT CheckAll(MultiSelectWindow& control, WPARAM wParam, bool invert) {
    CBuilding& building = control.building();
    if (invert) {
        building.InvertAllFloors();
    } else {
        building.CheckAllFloors(HIWORD(wParam) != 0 ? kChecked : kUnchecked);
    }
    if (LOWORD(wParam)) control.RepaintAll(true);
    return 0;
}

LRESULT CheckFloor(MultiSelectWindow& control, WPARAM wParam, CFloor* floor, bool invert) {
    if (!floor) return 0;
    if (invert) {
        floor->InvertAllRooms(1);
    } else {
        floor->SetAllRooms(HIWORD(wParam) != 0 ? kChecked : kUnchecked, 1);
    }
    if (control.RedrawRequested(LOWORD(wParam))) RepaintArea(control, FloorRect(*floor));
    return 0;
}

LRESULT CheckRoom(MultiSelectWindow& control, WPARAM wParam, CRoom* room, bool toggle) {
    if (!room) return 0;
    if (toggle) {
        room->ToggleCheck(0, 1);
    } else {
        room->SetCheck(HIWORD(wParam), 1, 0);
    }
    if (control.RedrawRequested(LOWORD(wParam))) control.RepaintElement(*room);
    return 0;
}

// Folding by message jumps to the end state; the picture is cleared first,
// so nothing of the longer floor stays below the last one.
LRESULT FoldFloor(MultiSelectWindow& control, WPARAM wParam, CFloor* floor, bool collapsed) {
    CBuilding& building = control.building();
    if (!floor || !SetFloorFolded(building, *floor, collapsed)) return 0;
    if (control.RedrawRequested(LOWORD(wParam))) {
        building.RelayoutFrom(floor);
        control.UpdateScrollBars(true);
        control.RepaintAll(true);
    }
    return 0;
}

LRESULT FindFloor(MultiSelectWindow& control, FindRequest* request) {
    if (!request) return 0;
    CFloor* floor = request->mode == 1 ? FindFloorByIndex(control.building(), request->index)
                                       : FindFloorByName(control.building(), request->name);
    request->element = floor;
    return Handle(floor);
}

LRESULT FindRoom(MultiSelectWindow& control, const FindRequest* request) {
    if (!request) return 0;
    const CFloor* floor = OwnFloor(control.building(), request->element);
    if (request->element && !floor) return 0;
    return Handle(request->mode == 1 ? FindRoomByIndex(control.building(), floor, request->index)
                                     : FindRoomByName(control.building(), floor, request->name));
}

}  // namespace

bool IsBuildingMessage(UINT message) { return message >= TSM_CLEAR && message <= TSM_SETROOMSIZE; }

LRESULT OnBuildingMessage(MultiSelectWindow& control, UINT message, WPARAM wParam, LPARAM lParam) {
    CBuilding& building = control.building();
    switch (message) {
    case TSM_CLEAR: return Clear(control);
    case TSM_ADDFLOOR: return AddFloor(control, Pointer<const FloorInfo>(lParam));
    case TSM_ADDROOM: return AddRoom(control, Pointer<const RoomInfo>(lParam));
    case TSM_GETNAMES: return GetNames(control, Pointer<TextRequest>(lParam));
    case TSM_SETFLOORINFO: return SetFloorInfo(control, Pointer<const FloorInfo>(lParam));
    case TSM_SETROOMINFO: return SetRoomInfo(control, Pointer<const RoomInfo>(lParam));
    case TSM_SAVEFILE: return SaveFile(control, Pointer<const TextRequest>(lParam));
    case TSM_LOADFILE: return LoadFile(control, wParam, Pointer<const TextRequest>(lParam));
    case TSM_BEGINUPDATE: building.m_suspended = 1; return 0;
    case TSM_ENDUPDATE: return EndUpdate(control);
    case TSM_CHECKALL: return CheckAll(control, wParam, false);
    case TSM_INVERTALL: return CheckAll(control, wParam, true);
    case TSM_CHECKFLOOR: return CheckFloor(control, wParam, FloorParam(building, lParam), false);
    case TSM_INVERTFLOOR: return CheckFloor(control, wParam, FloorParam(building, lParam), true);
    case TSM_CHECKROOM: return CheckRoom(control, wParam, RoomParam(building, lParam), false);
    case TSM_TOGGLEROOM: return CheckRoom(control, wParam, RoomParam(building, lParam), true);
    case TSM_EXPANDFLOOR: return FoldFloor(control, wParam, FloorParam(building, lParam), HIWORD(wParam) == 0);
    case TSM_TOGGLEFLOOR: {
        CFloor* floor = FloorParam(building, lParam);
        return floor ? FoldFloor(control, wParam, floor, floor->m_collapsed == 0) : 0;
    }
    case TSM_SAVETEXT: return SaveText(control, Pointer<TextRequest>(lParam));
    case TSM_LOADTEXT: return LoadText(control, wParam, Pointer<const TextRequest>(lParam));
    case TSM_FINDFLOOR: return FindFloor(control, Pointer<FindRequest>(lParam));
    case TSM_FINDROOM: return FindRoom(control, Pointer<const FindRequest>(lParam));
    case TSM_GETFLOORCOUNT: return building.GetChildCount();
    case TSM_GETROOMCOUNT: {
        const CFloor* floor = FloorParam(building, lParam);
        return floor ? floor->GetChildCount() : 0;
    }
    case TSM_GETTOTALROOMS: return building.TotalRooms();
    case TSM_GETFLOORINFO: {
        FloorInfo* info = Pointer<FloorInfo>(lParam);
        if (info && OwnFloor(building, info->floor)) ReadFloorInfo(*info->floor, *info);
        return 0;
    }
    case TSM_GETROOMINFO: {
        RoomInfo* info = Pointer<RoomInfo>(lParam);
        if (info && OwnRoom(building, info->room)) ReadRoomInfo(*info->room, *info);
        return 0;
    }
    case TSM_GETCHECK: return building.m_check;
    }
    return OnAppearanceMessage(control, message, wParam, lParam);
}
