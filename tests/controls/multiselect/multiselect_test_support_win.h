#pragma once
// Building a multi-select control's content through its messages, and where
// its parts land in the window with the default sizes (border style on, so
// content starts at window pixel 1, 1).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "controls/tessella.h"
#include "tests/controls/window_test_support_win.h"

namespace multiselect_test {

constexpr int kBorder = 1;
constexpr int kBuildingSpacing = 6;  // floor left and gap between floors
constexpr int kHeader = 24;
constexpr int kFloorSpacing = 4;
constexpr int kRoomWidth = 48;
constexpr int kRoomHeight = 22;
constexpr int kColumns = 10;
constexpr int kLine = 16;  // pixels per line scroll

// One host window per suite; each test's controls go with the test.
class MultiSelectTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_NE(LoadTessellaAndRegister(), nullptr);
        host_ = new HostWindow(620, 420);
    }
    static void TearDownTestSuite() {
        delete host_;
        host_ = nullptr;
    }
    void TearDown() override { host_->Reset(); }

    static HWND Create(int id, int width, int height) {
        HWND control = host_->CreateControl(TESSELLA_CLASS_A, id, 0, 0, width, height);
        EXPECT_NE(control, nullptr);
        return control;
    }

    static inline HostWindow* host_ = nullptr;
};

inline CFloor* AddFloor(HWND control, const char* name) {
    FloorInfo info = {};
    info.mask = TSF_NAME;
    std::strncpy(info.name, name, sizeof info.name - 1);
    return reinterpret_cast<CFloor*>(SendMessageA(control, TSM_ADDFLOOR, 0, reinterpret_cast<LPARAM>(&info)));
}

inline CRoom* AddRoom(HWND control, CFloor* floor, const char* name, int check = 1) {
    RoomInfo info = {};
    info.mask = TSF_NAME | TSF_CHECK;
    info.floor = floor;
    info.check = check;
    std::strncpy(info.name, name, sizeof info.name - 1);
    return reinterpret_cast<CRoom*>(SendMessageA(control, TSM_ADDROOM, 0, reinterpret_cast<LPARAM>(&info)));
}

// A floor named "F<floor>" with rooms "r0".."r<n-1>".
inline CFloor* AddFloorWithRooms(HWND control, const char* name, int rooms) {
    CFloor* floor = AddFloor(control, name);
    for (int i = 0; i < rooms; ++i) AddRoom(control, floor, ("r" + std::to_string(i)).c_str());
    return floor;
}

inline void* Find(HWND control, UINT message, FindRequest request) {
    return reinterpret_cast<void*>(SendMessageA(control, message, 0, reinterpret_cast<LPARAM>(&request)));
}
inline CFloor* FloorAt(HWND control, int index) {
    return static_cast<CFloor*>(Find(control, TSM_FINDFLOOR, {nullptr, 1, index, nullptr}));
}
inline CRoom* RoomNamed(HWND control, const char* name) {
    return static_cast<CRoom*>(Find(control, TSM_FINDROOM, {nullptr, 0, 0, name}));
}

inline int RoomCheck(HWND control, CRoom* room) {
    RoomInfo info = {};
    info.mask = TSF_CHECK;
    info.room = room;
    SendMessageA(control, TSM_GETROOMINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info.check;
}

// Window point inside room `index` of a floor whose content top is floorTop,
// near the room's left edge so that the name is not under it.
inline POINT RoomPoint(int floorTop, int index) {
    const int x = kBuildingSpacing + kFloorSpacing + (index % kColumns) * (kFloorSpacing + kRoomWidth);
    const int y = floorTop + kHeader + kFloorSpacing + (index / kColumns) * (kFloorSpacing + kRoomHeight);
    return {x + 3 + kBorder, y + kRoomHeight / 2 + kBorder};
}

// Content top of the floor after `rooms` floors of these sizes above it.
inline int FloorHeight(int rooms) {
    const int rows = (rooms + kColumns - 1) / kColumns;
    return kHeader + (rooms ? kFloorSpacing + rows * (kFloorSpacing + kRoomHeight) : 2 * kFloorSpacing);
}

inline std::string Names(HWND control, int which, char separator = ',') {
    TextRequest request = {};
    request.which = which;
    request.separator = separator;
    const LRESULT size = SendMessageA(control, TSM_GETNAMES, 0, reinterpret_cast<LPARAM>(&request));
    std::string names(static_cast<size_t>(size), '\0');
    request.text = names.data();
    request.size = static_cast<INT>(size);
    SendMessageA(control, TSM_GETNAMES, 0, reinterpret_cast<LPARAM>(&request));
    names.resize(std::strlen(names.c_str()));
    return names;
}

inline void Click(HWND control, POINT point) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

// Lets timers and paints run for a while, as a message loop would.
inline void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(5);
    }
}

}  // namespace multiselect_test
