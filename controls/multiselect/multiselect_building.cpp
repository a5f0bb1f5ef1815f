#include "controls/multiselect/multiselect_elements.h"

#include <exception>
#include <new>
#include <utility>

#include "controls/multiselect/multiselect_children.h"
#include "controls/multiselect/multiselect_layout.h"

CBuilding::CBuilding(const LeadByteTable& leadBytes) : CBaseEle(kBuildingKind), m_leadBytes(leadBytes) {
    m_spacing = 6;
    m_width = 536;
    m_cellWidth = 524;
    m_cellHeight = 24;
    m_style = TSS_FLATCHECKS | TSS_BORDER;
}

CBuilding::~CBuilding() = default;

CBaseEle* CBuilding::AddChild(CBaseEle* child, int, int notify) {
    if (child == nullptr || child->m_type != kFloorKind || !MakeRoomForOneMore(m_floors) || !Admit(*child)) {
        return nullptr;
    }
    CFloor* floor = static_cast<CFloor*>(child);
    floor->SetX(m_spacing);
    floor->SetWidth(m_cellWidth);
    floor->SetHeight(m_cellHeight);
    floor->m_headerHeight = m_cellHeight;
    floor->SetCellSize(m_roomWidth, m_roomHeight);
    floor->SetSpacing(m_floorSpacing);
    floor->m_headerColor = m_floorHeaderColor;
    floor->m_bodyColor = m_floorBodyColor;
    floor->m_headerTextColor = m_floorTextColor;
    floor->m_roomColor = m_roomColor;
    floor->SetParent(this);
    m_floors.emplace_back(floor);
    m_checkMax += 2;
    m_checkSum += CheckWeight(floor->m_check);
    const int32_t old = m_check;
    m_check = StateOfCount(m_checkSum, m_checkMax);
    if (m_check != old && notify != 0) {
        Notify(BuildingNoticeCode::CheckChanged, floor, old, m_check);
    }
    if (m_suspended == 0) {
        RelayoutFrom(floor);
        if (m_host != nullptr) {
            m_host->FloorAdded();
        }
    }
    return floor;
}

CBaseEle* CBuilding::AddChildByName(const char* name, int, int) {
    CFloor* floor = new (std::nothrow) CFloor(name, m_leadBytes);
    if (floor == nullptr) {
        return nullptr;
    }
    if (AddChild(floor, m_suspended, 1) == nullptr) {
        delete floor;
        return nullptr;
    }
    return floor;
}

void CBuilding::Layout() {
    int64_t y = m_spacing;
    for (auto& floor : m_floors) {
        floor->SetPos(m_spacing, ClampedExtent(y));
        floor->Layout();
        y = ClampedExtent(y + floor->GetHeight() + m_spacing);
    }
    m_height = ClampedExtent(y);
    RecountState();
}

int32_t CBuilding::GetChildCount() const { return static_cast<int32_t>(m_floors.size()); }

void CBuilding::OnChildCheckChanged(CBaseEle* child, int32_t oldState, int32_t newState, int repaintHint) {
    if (repaintHint != 0 && m_host != nullptr && child != nullptr && child->m_type == kFloorKind) {
        m_host->RepaintCheckBox(*static_cast<CFloor*>(child));
    }
    m_checkSum += CheckWeight(newState) - CheckWeight(oldState);
    const int32_t old = m_check;
    m_check = StateOfCount(m_checkSum, m_checkMax);
    if (m_check != old) {
        Notify(BuildingNoticeCode::CheckChanged, child, old, m_check);
    }
    Notify(BuildingNoticeCode::SelectionChanged, child, old, m_check);
}

void CBuilding::NotifyChanged() { Notify(BuildingNoticeCode::SelectionChanged, nullptr, m_check, m_check); }

void CBuilding::RelayoutFrom(CFloor* from) {
    int64_t y = m_spacing;
    bool reached = false;
    for (auto& floor : m_floors) {
        reached = reached || floor.get() == from;
        if (!reached) {
            y = floor->GetBottom() + m_spacing;
            continue;
        }
        floor->SetPos(m_spacing, ClampedExtent(y));
        floor->Layout();
        y = ClampedExtent(y + floor->GetHeight() + m_spacing);
    }
    m_height = ClampedExtent(y);
}

bool CBuilding::Clear() {
    if (IsNotifying()) {
        return false;
    }
    StopInteraction(*this);
    m_floors.clear();
    m_live.clear();
    m_checkSum = 0;
    m_checkMax = 0;
    m_check = kUnchecked;
    if (m_host != nullptr) {
        m_host->TreeCleared();
    }
    return true;
}

void CBuilding::CheckAllFloors(int32_t state) {
    const int32_t target = state != kUnchecked ? kChecked : kUnchecked;
    for (auto& floor : m_floors) {
        floor->SetAllRooms(target, 0);
    }
    const int32_t old = m_check;
    m_check = target;
    m_checkSum = target == kChecked ? m_checkMax : 0;
    if (m_check != old) {
        Notify(BuildingNoticeCode::CheckChanged, nullptr, old, m_check);
    }
    Notify(BuildingNoticeCode::SelectionChanged, nullptr, old, m_check);
}

void CBuilding::InvertAllFloors() {
    for (auto& floor : m_floors) {
        floor->InvertAllRooms(0);
    }
    const int32_t old = m_check;
    m_checkSum = m_checkMax - m_checkSum;
    if (old == kChecked || old == kUnchecked) {
        m_check = old == kChecked ? kUnchecked : kChecked;
    }
    if (m_check != old) {
        Notify(BuildingNoticeCode::CheckChanged, nullptr, old, m_check);
    }
    Notify(BuildingNoticeCode::SelectionChanged, nullptr, old, m_check);
}

int32_t CBuilding::TotalRooms() const {
    int32_t total = 0;
    for (const auto& floor : m_floors) {
        total += floor->m_childCount;
    }
    return total;
}

bool CBuilding::HoldsKind(const CBaseEle* element, int32_t kind) const {
    return m_live.count(element) != 0 && element->m_type == kind;
}

bool CBuilding::HoldsFloor(const CBaseEle* floor) const { return HoldsKind(floor, kFloorKind); }

bool CBuilding::HoldsRoom(const CBaseEle* room) const { return HoldsKind(room, kRoomKind); }

bool CBuilding::Admit(const CBaseEle& element) {
    // A failed insert leaves the set as it was; earlier ones are undone.
    const std::vector<std::unique_ptr<CRoom>>* rooms =
        element.m_type == kFloorKind ? &static_cast<const CFloor&>(element).m_rooms : nullptr;
    size_t added = 0;
    try {
        m_live.insert(&element);
        for (; rooms != nullptr && added < rooms->size(); ++added) {
            m_live.insert((*rooms)[added].get());
        }
        return true;
    } catch (const std::exception&) {
        for (size_t undo = 0; undo < added; ++undo) {
            m_live.erase((*rooms)[undo].get());
        }
        m_live.erase(&element);
        return false;
    }
}

void CBuilding::CopyChildDefaultsTo(CBuilding& target) const {
    target.m_spacing = m_spacing;
    target.m_cellWidth = m_cellWidth;
    target.m_cellHeight = m_cellHeight;
    target.m_roomWidth = m_roomWidth;
    target.m_roomHeight = m_roomHeight;
    target.m_floorSpacing = m_floorSpacing;
    target.m_floorHeaderColor = m_floorHeaderColor;
    target.m_floorBodyColor = m_floorBodyColor;
    target.m_floorTextColor = m_floorTextColor;
    target.m_roomColor = m_roomColor;
}

void CBuilding::AdoptFloors(CBuilding& source) noexcept {
    m_floors = std::move(source.m_floors);
    m_live.swap(source.m_live);
    source.m_floors.clear();
    source.m_live.clear();
    for (auto& floor : m_floors) {
        floor->SetParent(this);
    }
}

void CBuilding::Notify(BuildingNoticeCode code, CBaseEle* element, int32_t oldState, int32_t newState) {
    if (m_notify == 0 || m_host == nullptr) {
        return;
    }
    ++m_noticeDepth;
    m_host->SendNotice({code, element, oldState, newState});
    --m_noticeDepth;
}

void CBuilding::RecountState() {
    const int32_t oldState = m_check;
    m_checkMax = 2 * static_cast<int32_t>(m_floors.size());
    m_checkSum = 0;
    for (const auto& floor : m_floors) {
        m_checkSum += CheckWeight(floor->m_check);
    }
    m_check = StateOfCount(m_checkSum, m_checkMax);
    if (m_check != oldState) {
        Notify(BuildingNoticeCode::CheckChanged, nullptr, oldState, m_check);
    }
}
