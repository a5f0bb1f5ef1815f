#pragma once
#include <functional>
#include <string>
#include <vector>

#include "controls/multiselect/multiselect_elements.h"

// Code page 936: bytes 0x81..0xFE lead a pair.
inline LeadByteTable GbkLeadBytes() {
    return MakeLeadByteTable([](unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; });
}

struct RecordedNotice {
    BuildingNoticeCode code;
    CBaseEle* element;
    int32_t oldState;
    int32_t newState;

    bool operator==(const RecordedNotice& other) const {
        return code == other.code && element == other.element && oldState == other.oldState &&
               newState == other.newState;
    }
};

// Stands in for the window: records what the building asks of it, and can act
// as a parent that answers a notice with another message.
class RecordingHost final : public BuildingHost {
public:
    void SendNotice(const BuildingNotice& notice) override {
        notices.push_back({notice.code, notice.element, notice.oldState, notice.newState});
        if (onNotice) {
            onNotice();
        }
    }
    void RepaintCheckBox(CFloor& floor) override { repaintedCheckBoxes.push_back(&floor); }
    void FloorAdded() override { ++floorsAdded; }
    void TreeCleared() override { ++clears; }
    void ReleaseImageList(void* list) override { released.push_back(list); }
    void ReleaseFont(void* font) override { released.push_back(font); }
    void PaintFloor(CFloor&, void*, const ElementRect*) override {}
    void PaintRoom(CRoom&, void*, const ElementRect*, int, int) override {}

    std::vector<RecordedNotice> notices;
    std::vector<CFloor*> repaintedCheckBoxes;
    std::vector<void*> released;
    int floorsAdded = 0;
    int clears = 0;
    std::function<void()> onNotice;
};

// A building attached to a recording host, with floors of the given room
// counts named F0, F1, ... and rooms R0, R1, ... (all checked).
struct TestBuilding {
    explicit TestBuilding(std::vector<int> roomCounts = {}, LeadByteTable leadBytes = {}) : building(leadBytes) {
        building.m_host = &host;
        for (size_t f = 0; f < roomCounts.size(); ++f) {
            auto* floor = static_cast<CFloor*>(building.AddChildByName(("F" + std::to_string(f)).c_str(), 0, 1));
            for (int r = 0; r < roomCounts[f]; ++r) {
                floor->AddChildByName(("R" + std::to_string(r)).c_str(), 0, 1);
            }
        }
        host.notices.clear();
    }
    CFloor& Floor(size_t index) { return *building.m_floors[index]; }
    CRoom& Room(size_t floor, size_t room) { return *building.m_floors[floor]->m_rooms[room]; }

    RecordingHost host;
    CBuilding building;
};
