#include "controls/multiselect/multiselect_text.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "controls/multiselect/multiselect_file.h"
#include "controls/multiselect/multiselect_layout.h"

namespace {

constexpr std::string_view kSeparatorLine = "-------------------------------------------------------------\n";
// Files are read in pieces of this many bytes but split into lines only once
// whole, so a row of many columns is never cut into bogus lines.
constexpr size_t kReadPieceBytes = 512;

// The text form of a name: its bytes up to the field, NUL-terminated, so the
// element's own cut (which never splits a character) applies.
struct NameField {
    char bytes[kElementNameBytes + 1];

    explicit NameField(std::string_view text) {
        const size_t length = std::min(text.size(), kElementNameBytes);
        std::copy_n(text.begin(), length, bytes);
        bytes[length] = '\0';
    }
};

// A lone CR is data of its line but never part of a name: one at a name's
// end would be taken for part of a line end by the next load, and one after
// a lead byte would pair with it where the saved name pairs differently.
// False when memory ran out.
bool DropReturns(std::string_view& body, std::string& storage) {
    if (body.find('\r') == std::string_view::npos) {
        return true;
    }
    try {
        storage.assign(body);
    } catch (const std::exception&) {
        return false;
    }
    storage.erase(std::remove(storage.begin(), storage.end(), '\r'), storage.end());
    body = storage;
    return true;
}

// One line of text: ends at "\n", "\r\n" or the end; a lone "\r" is data.
bool NextLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) {
        return false;
    }
    const size_t end = rest.find('\n');
    if (end == std::string_view::npos) {
        line = rest;
        rest = {};
        return true;
    }
    line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    rest.remove_prefix(end + 1);
    return true;
}

// Fills the building from the lines of text. The caller suspended its
// layout and notices. Stops at the first element that could not be
// allocated, with false.
bool ReadBuildingLines(CBuilding& building, std::string_view text, char separator) {
    CFloor* floor = nullptr;
    std::string_view line;
    std::string withoutReturns;
    while (NextLine(text, line)) {
        if (line.empty()) {
            continue;
        }
        // A lone "F" or "R" has no name part: an unnamed floor, no rooms.
        std::string_view body = line.size() > 2 ? line.substr(2) : std::string_view{};
        if (!DropReturns(body, withoutReturns)) {
            return false;
        }
        if (line[0] == 'F') {
            floor = static_cast<CFloor*>(building.AddChildByName(NameField(body).bytes, 1, 1));
            if (floor == nullptr) {
                return false;
            }
            continue;
        }
        if (line[0] != 'R' || floor == nullptr) {
            continue;
        }
        size_t at = 0;
        while (at < body.size()) {
            if (body[at] == separator) {
                ++at;
                continue;
            }
            const size_t start = at;
            // The state letter is a byte of its own: pairs are counted from
            // the name's first byte, as the name was cut when it was saved.
            ++at;
            while (at < body.size() && body[at] != separator) {
                // The second byte of a double-byte character may equal the
                // separator; it never ends a token.
                at += building.m_leadBytes.IsLead(static_cast<unsigned char>(body[at])) && at + 1 < body.size() ? 2 : 1;
            }
            const std::string_view token = body.substr(start, at - start);
            std::unique_ptr<CRoom> room(new (std::nothrow) CRoom(NameField(token.substr(1)).bytes, building.m_leadBytes));
            if (room == nullptr) {
                return false;
            }
            // Unchecked before it is added, so the floor never counts it.
            if (token[0] == 'U') {
                room->SetCheck(kUnchecked, 0, 0);
            }
            if (floor->AddChild(room.get(), 1, 1) == nullptr) {
                return false;
            }
            room.release();
        }
    }
    return true;
}

// The new floors are built in a building of their own and take the place of
// the old ones only when complete: a load that runs out of memory leaves the
// building, its picture and every handle the host holds as they were.
int LoadValidatedText(CBuilding& building, std::string_view text, char separator) {
    CBuilding loaded(building.m_leadBytes);
    building.CopyChildDefaultsTo(loaded);
    loaded.m_suspended = 1;
    loaded.m_notify = 0;
    if (!ReadBuildingLines(loaded, text, separator)) {
        return 0;
    }
    const int32_t stateBefore = building.m_check;
    if (!building.Clear()) {
        return 0;
    }
    building.AdoptFloors(loaded);
    // The parent last heard of the state before the load; the clear in
    // between was silent, so the layout's recount compares with that state.
    building.m_check = stateBefore;
    building.Layout();
    return 1;
}

// The text of a building too large for memory is a failed save, not an
// exception thrown through the window procedure.
bool TryBuildingText(const CBuilding& building, char separator, std::string& text) {
    try {
        text = BuildingText(building, separator);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Reads the whole file before the building is cleared, so a read error or a
// file too large for memory leaves the building as it was.
bool ReadWholeFile(std::FILE* file, std::string& text) {
    char piece[kReadPieceBytes];
    size_t got = 0;
    try {
        while ((got = std::fread(piece, 1, sizeof piece, file)) > 0) {
            text.append(piece, got);
        }
    } catch (const std::exception&) {
        return false;
    }
    return std::ferror(file) == 0;
}

// The unfinished save goes beside its target, on the same volume, so that
// putting it in the target's place is a rename.
bool TryTemporaryPath(const char* path, std::string& temporary) {
    try {
        temporary = std::string(path) + ".saving";
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool CanLoad(const CBuilding& building, char separator) {
    return IsUsableSeparator(separator) && !building.IsNotifying();
}

bool RoomMatches(const CRoom& room, int32_t which) { return which == 2 || which == room.m_check; }

// A floor all of one state holds no room of the other.
bool FloorMayMatch(const CFloor& floor, int32_t which) { return which + floor.m_check != 1; }

}  // namespace

bool IsUsableSeparator(char separator) {
    switch (separator) {
    case '\0':
    case '\r':
    case '\n':
    case 'C':
    case 'U':
        return false;
    default:
        return true;
    }
}

std::string BuildingText(const CBuilding& building, char separator) {
    std::string text;
    for (const auto& floor : building.m_floors) {
        text += kSeparatorLine;
        text += "F:";
        text += floor->Name();
        text += '\n';
        text += kSeparatorLine;
        if (floor->m_rooms.empty()) {
            text += "R:\n";
            continue;
        }
        const size_t columns = static_cast<size_t>(std::max<int32_t>(1, floor->GetColumns()));
        const size_t rooms = floor->m_rooms.size();
        for (size_t index = 0; index < rooms; ++index) {
            const CRoom& room = *floor->m_rooms[index];
            if (index % columns == 0) {
                text += "R:";
            }
            text += room.GetCheckChar();
            text += room.Name();
            const bool rowEnds = index + 1 == rooms || index % columns == columns - 1;
            text += rowEnds ? '\n' : separator;
        }
    }
    return text;
}

int SaveBuildingText(const CBuilding& building, char separator, char* buffer, int32_t* size) {
    if (size == nullptr || !IsUsableSeparator(separator)) {
        return 0;
    }
    std::string text;
    if (!TryBuildingText(building, separator, text) || text.size() >= static_cast<size_t>(INT32_MAX)) {
        return 0;
    }
    const int32_t needed = static_cast<int32_t>(text.size()) + 1;
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        return 0;
    }
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return 1;
}

bool WriteWholeText(std::FILE* file, std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size();
}

int SaveBuildingFile(const CBuilding& building, const char* path, char separator, TextWriter write) {
    if (path == nullptr || !IsUsableSeparator(separator)) {
        return 0;
    }
    std::string text;
    if (!TryBuildingText(building, separator, text)) {
        return 0;
    }
    const bool throughTemporary = SavesThroughTemporary(path);
    std::string temporary;
    if (throughTemporary && !TryTemporaryPath(path, temporary)) {
        return 0;
    }
    const char* written = throughTemporary ? temporary.c_str() : path;
    std::FILE* file = std::fopen(written, "w");
    if (file == nullptr) {
        return 0;
    }
    const bool complete = write(file, text) && std::fflush(file) == 0;
    // The close writes what is still buffered: its failure is a lost save too.
    const bool closed = std::fclose(file) == 0;
    if (!throughTemporary) {
        return complete && closed ? 1 : 0;
    }
    if (complete && closed && ReplaceWithTemporary(written, path)) {
        return 1;
    }
    std::remove(written);
    return 0;
}

int LoadBuildingText(CBuilding& building, const char* text, char separator) {
    if (text == nullptr || !CanLoad(building, separator)) {
        return 0;
    }
    return LoadValidatedText(building, text, separator);
}

int LoadBuildingFile(CBuilding& building, const char* path, char separator) {
    if (path == nullptr || !CanLoad(building, separator)) {
        return 0;
    }
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        return 0;
    }
    std::string text;
    const bool read = ReadWholeFile(file, text);
    std::fclose(file);
    if (!read) {
        return 0;
    }
    return LoadValidatedText(building, text, separator);
}

RoomNameList ListRoomNames(const CBuilding& building, int32_t which, char separator, char* buffer, int32_t size) {
    if (buffer != nullptr && size <= 0) {
        return {size, 0};  // not even the terminator fits
    }
    int64_t needed = 0;
    int32_t count = 0;
    int32_t used = 0;
    for (const auto& floor : building.m_floors) {
        if (!FloorMayMatch(*floor, which)) {
            continue;
        }
        for (const auto& room : floor->m_rooms) {
            if (!RoomMatches(*room, which)) {
                continue;
            }
            const int32_t length = static_cast<int32_t>(room->GetNameLength());
            if (buffer == nullptr) {
                needed += length + 1;
                ++count;
            } else if (size - used >= length + 1) {
                std::memcpy(buffer + used, room->Name(), static_cast<size_t>(length));
                buffer[used + length] = separator;
                used += length + 1;
                ++count;
            }
        }
    }
    if (buffer == nullptr) {
        return {static_cast<int32_t>(std::clamp<int64_t>(needed, 1, INT32_MAX)), count};
    }
    buffer[used > 0 ? used - 1 : 0] = '\0';
    return {size, count};
}

CFloor* FindFloorByIndex(const CBuilding& building, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= building.m_floors.size()) {
        return nullptr;
    }
    return building.m_floors[static_cast<size_t>(index)].get();
}

CFloor* FindFloorByName(const CBuilding& building, const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    for (const auto& floor : building.m_floors) {
        if (floor->CompareName(name) == 0) {
            return floor.get();
        }
    }
    return nullptr;
}

CRoom* FindRoomByIndex(const CBuilding& building, const CFloor* floor, int32_t index) {
    if (index < 0 || (floor != nullptr && !building.HoldsFloor(floor))) {
        return nullptr;
    }
    size_t rest = static_cast<size_t>(index);
    for (const auto& held : building.m_floors) {
        if (floor != nullptr && held.get() != floor) {
            continue;
        }
        if (rest < held->m_rooms.size()) {
            return held->m_rooms[rest].get();
        }
        if (floor != nullptr) {
            return nullptr;
        }
        rest -= held->m_rooms.size();
    }
    return nullptr;
}

CRoom* FindRoomByName(const CBuilding& building, const CFloor* floor, const char* name) {
    if (name == nullptr || (floor != nullptr && !building.HoldsFloor(floor))) {
        return nullptr;
    }
    for (const auto& held : building.m_floors) {
        if (floor != nullptr && held.get() != floor) {
            continue;
        }
        for (const auto& room : held->m_rooms) {
            if (room->CompareName(name) == 0) {
                return room.get();
            }
        }
    }
    return nullptr;
}
