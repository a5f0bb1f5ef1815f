// Growth of the multi-select control under Wine with the real Tessella.dll
// (make bench-multiselect): 1,000, 10,000 and 100,000 rooms loaded with
// TSM_LOADTEXT and added with TSM_ADDROOM between TSM_BEGINUPDATE and
// TSM_ENDUPDATE, as n rooms on one floor and on n / 100 floors. Prints the
// time per room and its ratio from 1,000 to 100,000 rooms (target: within 2).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "controls/tessella.h"
#include "tests/controls/window_test_support_win.h"

namespace {

constexpr int kRoomsPerFloor = 100;  // on n / 100 floors
constexpr int kColumns = 10;         // rows as the control writes them by default

struct Shape {
    int rooms;
    int floors;
};

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string BuildingText(Shape shape) {
    const std::string rule(61, '-');
    const int perFloor = shape.rooms / shape.floors;
    std::string text;
    for (int floor = 0; floor < shape.floors; ++floor) {
        text += rule + "\nF:floor " + std::to_string(floor) + "\n" + rule + "\n";
        for (int room = 0; room < perFloor; ++room) {
            text += room % kColumns == 0 ? "R:" : "";
            text += "C" + std::to_string(room);
            text += room % kColumns == kColumns - 1 || room + 1 == perFloor ? '\n' : ',';
        }
    }
    return text;
}

double Load(HWND control, Shape shape, WPARAM redraw) {
    std::string text = BuildingText(shape);
    TextRequest request = {text.data(), 0, 0, 0, ','};
    const auto start = std::chrono::steady_clock::now();
    const LRESULT loaded = SendMessageA(control, TSM_LOADTEXT, redraw, reinterpret_cast<LPARAM>(&request));
    const double seconds = Seconds(start);
    if (loaded != 1 || SendMessageA(control, TSM_GETTOTALROOMS, 0, 0) != shape.rooms) std::printf("  load FAILED\n");
    return seconds;
}

// With redraw the picture of the whole building is painted, as a host
// would have it; without, only the model and its layout are measured.
double LoadSeconds(HWND control, Shape shape) { return Load(control, shape, 1); }
double LoadModelSeconds(HWND control, Shape shape) { return Load(control, shape, 0); }

double AddSeconds(HWND control, Shape shape) {
    const int perFloor = shape.rooms / shape.floors;
    const auto start = std::chrono::steady_clock::now();
    SendMessageA(control, TSM_BEGINUPDATE, 0, 0);
    for (int floorIndex = 0; floorIndex < shape.floors; ++floorIndex) {
        FloorInfo floorInfo = {};
        floorInfo.mask = TSF_NAME;
        std::snprintf(floorInfo.name, sizeof floorInfo.name, "floor %d", floorIndex);
        RoomInfo room = {};
        room.mask = TSF_NAME;
        room.floor = reinterpret_cast<CFloor*>(SendMessageA(control, TSM_ADDFLOOR, 0, reinterpret_cast<LPARAM>(&floorInfo)));
        for (int index = 0; index < perFloor; ++index) {
            std::snprintf(room.name, sizeof room.name, "%d", index);
            SendMessageA(control, TSM_ADDROOM, 0, reinterpret_cast<LPARAM>(&room));
        }
    }
    SendMessageA(control, TSM_ENDUPDATE, 0, 0);
    const double seconds = Seconds(start);
    if (SendMessageA(control, TSM_GETTOTALROOMS, 0, 0) != shape.rooms) std::printf("  add FAILED\n");
    return seconds;
}

// A fresh control for each figure: the picture only ever grows, so one left
// from a larger building would be repainted whole.
void Report(const char* what, HostWindow& host, double (*measure)(HWND, Shape), bool manyFloors) {
    double firstPerRoom = 0;
    double lastPerRoom = 0;
    for (int rooms : {1000, 10000, 100000}) {
        const Shape shape = {rooms, manyFloors ? rooms / kRoomsPerFloor : 1};
        HWND control = host.CreateControl(TESSELLA_CLASS_A, 700, 0, 0, 560, 400);
        if (!control) {
            std::printf("multiselect bench: the control could not be created\n");
            return;
        }
        const double seconds = measure(control, shape);
        DestroyWindow(control);
        const double perRoom = seconds / rooms * 1e6;
        if (rooms == 1000) firstPerRoom = perRoom;
        lastPerRoom = perRoom;
        std::printf("%-19s %7d rooms on %5d floor(s): %8.3f s, %6.2f us per room\n", what, rooms, shape.floors, seconds,
                    perRoom);
        std::fflush(stdout);
    }
    std::printf("%-19s per room at 100,000 / at 1,000 rooms (%s): %.2f (target <= 2)\n\n", what,
                manyFloors ? "100 rooms a floor" : "one floor", lastPerRoom / firstPerRoom);
}

}  // namespace

int main() {
    if (!LoadTessellaAndRegister()) {
        std::printf("multiselect bench: Tessella.dll could not be loaded\n");
        return 1;
    }
    HostWindow host(600, 420);
    // A picture too large for the process is not made: the largest
    // buildings may then paint nothing, which the figures then show.
    std::printf("Tessella.dll, %d-bit\n", static_cast<int>(sizeof(void*) * 8));
    for (bool manyFloors : {false, true}) {
        Report("LOADTEXT", host, LoadSeconds, manyFloors);
        Report("LOADTEXT, no redraw", host, LoadModelSeconds, manyFloors);
        Report("ADDROOM", host, AddSeconds, manyFloors);
    }
    return 0;
}
