// The multi-select control's text format: any text loads without a fault,
// and what was loaded is a fixed point of save and load, so a saved building
// always comes back the same. The first byte picks the separator, the
// second the code page of the names (single-byte or GBK).
#include <cstring>
#include <string>

#include "controls/multiselect/multiselect_text.h"

namespace {

bool IsGbkLead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool IsNeverLead(unsigned char) { return false; }

void CheckNames(const CBuilding& building) {
    auto check = [](const CBaseEle& element) {
        const char* name = element.Name();
        if (std::strlen(name) > kElementNameMaxBytes || std::strpbrk(name, "\r\n") != nullptr) __builtin_trap();
    };
    for (const auto& floor : building.m_floors) {
        check(*floor);
        for (const auto& room : floor->m_rooms) check(*room);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const char separator = static_cast<char>(data[0]);
    const LeadByteTable leadBytes = MakeLeadByteTable(data[1] & 1 ? IsGbkLead : IsNeverLead);
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);

    CBuilding loaded(leadBytes);
    const int result = LoadBuildingText(loaded, text.c_str(), separator);
    if (result != (IsUsableSeparator(separator) ? 1 : 0)) __builtin_trap();
    CheckNames(loaded);
    const std::string saved = BuildingText(loaded, separator);

    CBuilding again(leadBytes);
    if (LoadBuildingText(again, saved.c_str(), separator) != result) __builtin_trap();
    if (again.TotalRooms() != loaded.TotalRooms() || again.GetChildCount() != loaded.GetChildCount()) __builtin_trap();
    if (BuildingText(again, separator) != saved) __builtin_trap();
    return 0;
}
