#include "controls/multiselect/multiselect_elements.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "controls/multiselect/multiselect_layout.h"

namespace {

constexpr size_t kNameMaxBytes = kElementNameBytes - 1;

// Containers grow before the child is placed, so a failed allocation leaves
// the child with its caller and the tree as it was.
template <typename Element>
bool MakeRoomForOneMore(std::vector<std::unique_ptr<Element>>& children) {
    try {
        children.reserve(children.size() + 1);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

int32_t StateOfCount(int32_t part, int32_t whole) {
    if (part == 0) {
        return kUnchecked;
    }
    return part == whole ? kChecked : kMixed;
}

int32_t CheckWeight(int32_t state) {
    switch (state) {
    case kUnchecked:
        return 0;
    case kChecked:
        return 2;
    default:
        return 1;
    }
}

// ---- CBaseEle ----

unsigned CBaseEle::GetName(char* buffer, unsigned size) const {
    // Never past the caller's size: the terminator goes inside the buffer.
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    return static_cast<unsigned>(CopyNameCut(buffer, m_name, size - 1, LeadBytes()));
}

unsigned CBaseEle::GetNameLength() const { return static_cast<unsigned>(std::strlen(m_name)); }

int32_t CBaseEle::SetUserData(int32_t value) { return std::exchange(m_userData, value); }

int32_t CBaseEle::SetSpacing(int32_t spacing) { return std::exchange(m_spacing, spacing); }

void CBaseEle::PaintAt(void*, const ElementRect*, int, int) {}

void CBaseEle::Paint(void*, const ElementRect*) {}

void CBaseEle::Offset(int dx, int dy) {
    m_x += dx;
    m_y += dy;
}

int32_t CBaseEle::ToggleCheck(int repaintHint, int notify) {
    return SetCheck(m_check == kChecked ? kUnchecked : kChecked, notify, repaintHint);
}

void CBaseEle::GetRect(ElementRect* rect) const { *rect = {m_x, m_y, m_x + m_width, m_y + m_height}; }

bool CBaseEle::HitTest(int x, int y) const {
    return x >= m_x && x < m_x + m_width && y >= m_y && y < m_y + m_height;
}

void CBaseEle::SetX(int x) { m_x = x; }
void CBaseEle::SetY(int y) { m_y = y; }
void CBaseEle::SetWidth(int width) { m_width = width; }
void CBaseEle::SetHeight(int height) { m_height = height; }

void CBaseEle::SetPos(int x, int y) {
    m_x = x;
    m_y = y;
}

void CBaseEle::SetSize(int width, int height) {
    m_width = width;
    m_height = height;
}

void CBaseEle::SetCellSize(int width, int height) {
    m_cellWidth = width;
    m_cellHeight = height;
}

void CBaseEle::Grow(int dw, int dh) {
    m_width += dw;
    m_height += dh;
}

int32_t CBaseEle::SetColumns(int columns) {
    const int32_t old = m_width;
    m_width = m_spacing + columns * (m_spacing + m_cellWidth);
    return old;
}

int32_t CBaseEle::SetCheck(int32_t state, int notify, int repaintHint) {
    const int32_t old = m_check;
    if (state == old) {
        return old;
    }
    m_check = state;
    if (notify != 0 && m_parent != nullptr) {
        m_parent->OnChildCheckChanged(this, old, state, repaintHint);
        m_parent->NotifyChanged();
    }
    return old;
}

CBaseEle* CBaseEle::SetParent(CBaseEle* parent) { return std::exchange(m_parent, parent); }

void* CBaseEle::SetImageList(void* imageList) {
    void* old = m_imageList;
    if (imageList == old) {
        return old;  // destroying it would leave the element drawing from a dead list
    }
    m_imageList = imageList;
    if ((GetStyle() & kStyleSharedImageList) != 0) {
        return old;
    }
    if (old != nullptr && Host() != nullptr) {
        Host()->ReleaseImageList(old);
    }
    return nullptr;
}

void CBaseEle::SetImages(int32_t a, int32_t b) {
    m_imageA = a;
    m_imageB = b;
}

void* CBaseEle::SetFont(void* font) {
    void* old = m_font;
    if (font == old) {
        return old;
    }
    m_font = font;
    if ((GetStyle() & kStyleSharedFont) != 0) {
        return old;
    }
    if (old != nullptr && Host() != nullptr) {
        Host()->ReleaseFont(old);
    }
    return nullptr;
}

uint32_t CBaseEle::SetStyle(uint32_t style, int) { return std::exchange(m_style, style); }

uint32_t CBaseEle::ModifyStyle(uint32_t mask, int set, int) {
    const uint32_t old = m_style;
    m_style = set != 0 ? (old | mask) : (old & ~mask);
    return mask & old;
}

CBaseEle* CBaseEle::AddChild(CBaseEle*, int, int) { return nullptr; }
CBaseEle* CBaseEle::AddChildByName(const char*, int, int) { return nullptr; }
void CBaseEle::Layout() {}

int CBaseEle::CompareName(const char* name) const {
    if (name == nullptr) {
        return 1;
    }
    // Byte order, as the platform compares multibyte strings of one code page.
    return std::strcmp(m_name, name);
}

int32_t CBaseEle::GetColumns() const {
    const int32_t pitch = m_spacing + m_cellWidth;
    if (pitch <= 0) {
        return 1;  // sizes from messages may be anything; never divide by them unchecked
    }
    return std::max<int32_t>(1, (m_width - m_spacing) / pitch);
}

int32_t CBaseEle::GetX() const { return m_x; }
int32_t CBaseEle::GetY() const { return m_y; }
int32_t CBaseEle::GetWidth() const { return m_width; }
int32_t CBaseEle::GetHeight() const { return m_height; }
int32_t CBaseEle::GetRight() const { return m_x + m_width; }
int32_t CBaseEle::GetBottom() const { return m_y + m_height; }
int32_t CBaseEle::GetCenterX() const { return m_x + (m_width >> 1); }
int32_t CBaseEle::GetCenterY() const { return m_y + (m_height >> 1); }
int32_t CBaseEle::GetCheck() const { return m_check; }
int32_t CBaseEle::GetUserData() const { return m_userData; }
CBaseEle* CBaseEle::GetParent() const { return m_parent; }
int32_t CBaseEle::GetSpacing() const { return m_spacing; }
int32_t CBaseEle::GetCellWidth() const { return m_cellWidth; }
int32_t CBaseEle::GetCellHeight() const { return m_cellHeight; }

void* CBaseEle::GetImageList() const {
    if (m_imageList != nullptr) {
        return m_imageList;
    }
    return m_parent != nullptr ? m_parent->GetImageList() : nullptr;
}

int32_t CBaseEle::GetImageA() const { return m_imageA; }
int32_t CBaseEle::GetImageB() const { return m_imageB; }
int32_t CBaseEle::GetChildCount() const { return 0; }

void* CBaseEle::GetFont() const {
    if (m_font != nullptr) {
        return m_font;
    }
    return m_parent != nullptr ? m_parent->GetFont() : nullptr;
}

uint32_t CBaseEle::GetStyle() const {
    if (m_style != 0) {
        return m_style;
    }
    return m_parent != nullptr ? m_parent->GetStyle() : 0;
}

char CBaseEle::GetCheckChar() const {
    switch (m_check) {
    case kUnchecked:
        return 'U';
    case kChecked:
        return 'C';
    default:
        return 'M';
    }
}

int32_t CBaseEle::SetCheckChar(char letter, int notify, int repaintHint) {
    switch (letter) {
    case 'C':
        return SetCheck(kChecked, notify, repaintHint);
    case 'U':
        return SetCheck(kUnchecked, notify, repaintHint);
    case kMixed:
        return SetCheck(kMixed, notify, repaintHint);
    default:
        return m_check;
    }
}

void CBaseEle::OnChildCheckChanged(CBaseEle*, int32_t, int32_t, int) {}

void CBaseEle::NotifyChanged() {
    if (m_parent != nullptr) {
        m_parent->NotifyChanged();
    }
}

void CBaseEle::SetName(const char* name) { CopyNameCut(m_name, name != nullptr ? name : "", kNameMaxBytes, LeadBytes()); }

CBuilding* CBaseEle::Root() const {
    const CBaseEle* element = this;
    while (element->m_parent != nullptr) {
        element = element->m_parent;
    }
    if (element->m_type != kBuildingKind) {
        return nullptr;
    }
    return static_cast<CBuilding*>(const_cast<CBaseEle*>(element));
}

const LeadByteTable& CBaseEle::LeadBytes() const {
    static const LeadByteTable singleByte;
    const CBuilding* root = Root();
    return root != nullptr ? root->m_leadBytes : singleByte;
}

BuildingHost* CBaseEle::Host() const {
    const CBuilding* root = Root();
    return root != nullptr ? root->m_host : nullptr;
}

// ---- CRoom ----

CRoom::CRoom() : CBaseEle(kRoomKind) { m_spacing = 4; }

CRoom::CRoom(const char* name, const LeadByteTable& leadBytes) : CRoom() {
    CopyNameCut(m_name, name != nullptr ? name : "", kNameMaxBytes, leadBytes);
}

void CRoom::PaintAt(void* dc, const ElementRect* clip, int dx, int dy) {
    if (Host() != nullptr) {
        Host()->PaintRoom(*this, dc, clip, dx, dy);
    }
}

void CRoom::Paint(void* dc, const ElementRect* clip) {
    PaintAt(dc, clip, m_parent != nullptr ? m_parent->GetX() : 0, m_parent != nullptr ? m_parent->GetY() : 0);
}

void CRoom::GetRect(ElementRect* rect) const {
    GetRectAt(rect, m_parent != nullptr ? m_parent->GetX() : 0, m_parent != nullptr ? m_parent->GetY() : 0);
}

int32_t CRoom::SetCheck(int32_t state, int notify, int repaintHint) {
    return CBaseEle::SetCheck(state != kUnchecked ? kChecked : kUnchecked, notify, repaintHint);
}

void CRoom::GetRectAt(ElementRect* rect, int dx, int dy) const {
    *rect = {m_x + dx, m_y + dy, m_x + dx + m_width, m_y + dy + m_height};
}

// ---- CFloor ----

CFloor::CFloor() : CBaseEle(kFloorKind) {
    m_spacing = 4;
    m_cellWidth = 48;
    m_cellHeight = 22;
    m_height = m_headerHeight + 8;
}

CFloor::CFloor(const char* name, const LeadByteTable& leadBytes) : CFloor() {
    CopyNameCut(m_name, name != nullptr ? name : "", kNameMaxBytes, leadBytes);
}

void CFloor::Paint(void* dc, const ElementRect* clip) {
    if (Host() != nullptr) {
        Host()->PaintFloor(*this, dc, clip);
    }
}

int32_t CFloor::ToggleCheck(int notify, int repaintHint) {
    const int32_t old = m_check;
    const int32_t state = old == kChecked ? kUnchecked : kChecked;
    for (auto& room : m_rooms) {
        room->SetCheck(state, 0, 0);
    }
    m_check = state;
    m_checkedCount = state == kChecked ? m_childCount : 0;
    ReportStateChange(old, notify, repaintHint);
    return old;
}

void CFloor::SetCellSize(int width, int height) {
    CBaseEle::SetCellSize(width, height);
    for (auto& room : m_rooms) {
        room->SetSize(width, height);
    }
}

void CFloor::Grow(int dw, int dh) {
    CBaseEle::Grow(dw, dh);
    for (auto& room : m_rooms) {
        room->Offset(dw, dh);
    }
}

int32_t CFloor::SetColumns(int columns) {
    const int32_t old = m_width;
    const int32_t cell = m_rooms.empty() ? m_cellWidth : m_rooms.front()->GetWidth();
    m_width = m_spacing + columns * (m_spacing + cell);
    return old;
}

CBaseEle* CFloor::AddChild(CBaseEle* child, int keepPosition, int notify) {
    if (child == nullptr || child->m_type != kRoomKind || !MakeRoomForOneMore(m_rooms)) {
        return nullptr;
    }
    CRoom* room = static_cast<CRoom*>(child);
    if (keepPosition == 0) {
        const int32_t placed = static_cast<int32_t>(m_rooms.size());
        const int32_t columns = std::max<int32_t>(1, GetColumns());
        const int32_t x = m_spacing + (placed % columns) * (m_spacing + m_cellWidth);
        const int32_t y = (placed / columns) * (m_spacing + m_cellHeight) + m_headerHeight + m_spacing;
        room->SetPos(x, y);
        m_height = std::max(m_height, y + m_spacing + m_cellHeight);
    }
    room->SetWidth(m_cellWidth);
    room->SetHeight(m_cellHeight);
    room->m_checkedFill = m_roomColor;
    room->SetParent(this);
    m_rooms.emplace_back(room);
    ++m_childCount;
    if (room->m_check == kChecked) {
        ++m_checkedCount;
    }
    const int32_t old = m_check;
    m_check = StateOfCount(m_checkedCount, m_childCount);
    if (m_check != old && notify != 0 && m_parent != nullptr) {
        m_parent->OnChildCheckChanged(this, old, m_check, 0);
    }
    if (m_parent != nullptr) {
        m_parent->NotifyChanged();
    }
    return room;
}

CBaseEle* CFloor::AddChildByName(const char* name, int keepPosition, int notify) {
    CRoom* room = new (std::nothrow) CRoom(name, LeadBytes());
    if (room == nullptr) {
        return nullptr;
    }
    if (AddChild(room, keepPosition, notify) == nullptr) {
        delete room;
        return nullptr;
    }
    return room;
}

void CFloor::Layout() {
    const int32_t columns = GetColumns();
    const int32_t body = ExpandedBodyHeight(*this);
    // A collapsed floor keeps its rooms above the header line, hidden by the
    // body clip, so the fold animation slides them out from there.
    int32_t rowTop = (m_collapsed != 0 ? m_headerHeight - body : m_headerHeight) + m_spacing;
    int32_t x = m_spacing;
    int32_t inRow = 0;
    for (auto& room : m_rooms) {
        room->SetPos(x, rowTop);
        x += room->GetWidth() + m_spacing;
        if (++inRow == columns) {
            inRow = 0;
            x = m_spacing;
            rowTop += room->GetHeight() + m_spacing;
        }
    }
    m_height = m_collapsed != 0 ? m_headerHeight : m_headerHeight + body;
}

int32_t CFloor::GetChildCount() const { return m_childCount; }

void CFloor::OnChildCheckChanged(CBaseEle*, int32_t, int32_t newState, int repaintHint) {
    if (newState == kChecked) {
        ++m_checkedCount;
    } else if (newState == kUnchecked) {
        --m_checkedCount;
    }
    const int32_t old = m_check;
    m_check = StateOfCount(m_checkedCount, m_childCount);
    if (m_check != old && m_parent != nullptr) {
        m_parent->OnChildCheckChanged(this, old, m_check, repaintHint);
    }
}

void CFloor::SetAllRooms(int32_t state, int notify) {
    const int32_t old = m_check;
    const int32_t target = state != kUnchecked ? kChecked : kUnchecked;
    for (auto& room : m_rooms) {
        room->SetCheck(target, 0, 0);
    }
    m_check = target;
    m_checkedCount = target == kChecked ? m_childCount : 0;
    ReportStateChange(old, notify, 1);
}

void CFloor::InvertAllRooms(int notify) {
    const int32_t old = m_check;
    for (auto& room : m_rooms) {
        room->ToggleCheck(0, 0);
    }
    if (old == kChecked || old == kUnchecked) {
        m_check = old == kChecked ? kUnchecked : kChecked;
    }
    m_checkedCount = m_childCount - m_checkedCount;
    ReportStateChange(old, notify, 1);
}

void CFloor::ReportStateChange(int32_t oldState, int notify, int repaintHint) {
    if (notify == 0 || m_parent == nullptr || oldState == m_check) {
        return;
    }
    m_parent->OnChildCheckChanged(this, oldState, m_check, repaintHint);
    if (!m_rooms.empty()) {
        m_parent->NotifyChanged();
    }
}

// ---- CBuilding ----

CBuilding::CBuilding(const LeadByteTable& leadBytes) : CBaseEle(kBuildingKind), m_leadBytes(leadBytes) {
    m_spacing = 6;
    m_width = 536;
    m_cellWidth = 524;
    m_cellHeight = 24;
    m_style = kStyleFlatCheckBoxes | kStyleBorder;
}

CBuilding::~CBuilding() = default;

CBaseEle* CBuilding::AddChild(CBaseEle* child, int, int notify) {
    if (child == nullptr || child->m_type != kFloorKind || !MakeRoomForOneMore(m_floors)) {
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
    int32_t y = m_spacing;
    for (auto& floor : m_floors) {
        floor->SetPos(m_spacing, y);
        floor->Layout();
        y += floor->GetHeight() + m_spacing;
    }
    m_height = y;
    RecountState(m_check, nullptr);
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
    int32_t y = m_spacing;
    bool reached = false;
    for (auto& floor : m_floors) {
        reached = reached || floor.get() == from;
        if (!reached) {
            y = floor->GetBottom() + m_spacing;
            continue;
        }
        floor->SetPos(m_spacing, y);
        floor->Layout();
        y += floor->GetHeight() + m_spacing;
    }
    m_height = y;
}

bool CBuilding::Clear() {
    if (IsNotifying()) {
        return false;
    }
    StopInteraction(*this);
    m_floors.clear();
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

bool CBuilding::HoldsFloor(const CBaseEle* floor) const {
    for (const auto& held : m_floors) {
        if (held.get() == floor) {
            return true;
        }
    }
    return false;
}

void CBuilding::Notify(BuildingNoticeCode code, CBaseEle* element, int32_t oldState, int32_t newState) {
    if (m_notify == 0 || m_host == nullptr) {
        return;
    }
    ++m_noticeDepth;
    m_host->SendNotice({code, element, oldState, newState});
    --m_noticeDepth;
}

void CBuilding::RecountState(int32_t oldState, CBaseEle* element) {
    m_checkMax = 2 * static_cast<int32_t>(m_floors.size());
    m_checkSum = 0;
    for (const auto& floor : m_floors) {
        m_checkSum += CheckWeight(floor->m_check);
    }
    m_check = StateOfCount(m_checkSum, m_checkMax);
    if (m_check != oldState) {
        Notify(BuildingNoticeCode::CheckChanged, element, oldState, m_check);
    }
}
