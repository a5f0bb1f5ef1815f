#include "controls/multiselect/multiselect_text.h"

bool IsUsableSeparator(char) { return false; }
std::string BuildingText(const CBuilding&, char) { return {}; }
int SaveBuildingText(const CBuilding&, char, char*, int32_t*) { return 0; }
int SaveBuildingFile(const CBuilding&, const char*, char) { return 0; }
int LoadBuildingText(CBuilding&, const char*, char) { return 0; }
int LoadBuildingFile(CBuilding&, const char*, char) { return 0; }
RoomNameList ListRoomNames(const CBuilding&, int32_t, char, char*, int32_t size) { return {size, 0}; }
CFloor* FindFloorByIndex(const CBuilding&, int32_t) { return nullptr; }
CFloor* FindFloorByName(const CBuilding&, const char*) { return nullptr; }
CRoom* FindRoomByIndex(const CBuilding&, const CFloor*, int32_t) { return nullptr; }
CRoom* FindRoomByName(const CBuilding&, const CFloor*, const char*) { return nullptr; }
