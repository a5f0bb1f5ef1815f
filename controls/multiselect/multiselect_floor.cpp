#include "controls/multiselect/multiselect_elements.h"

#include <algorithm>
#include <new>

#include "controls/multiselect/multiselect_children.h"
#include "controls/multiselect/multiselect_layout.h"

CFloor::CFloor() : CBaseEle(kFloorKind) {
    m_spacing = 4;
    m_cellWidth = 48;
    m_cellHeight = 22;
    m_height = m_headerHeight + 8;
}

CFloor::CFloor(const char* name, const LeadByteTable& leadBytes) : CFloor() {
    CopyNameCut(m_name, name != nullptr ? name : "", kElementNameMaxBytes, leadBytes);
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
    // A floor of no building yet has its rooms registered when it joins one.
    CBuilding* building = Root();
    if (building != nullptr && !building->Admit(*child)) {
        return nullptr;
    }
    CRoom* room = static_cast<CRoom*>(child);
    if (keepPosition == 0) {
        const int32_t placed = static_cast<int32_t>(m_rooms.size());
        const int32_t columns = std::max<int32_t>(1, GetColumns());
        const int32_t x = m_spacing + (placed % columns) * (m_spacing + m_cellWidth);
        const int32_t y =
            ClampedExtent(int64_t{placed / columns} * (int64_t{m_spacing} + m_cellHeight) + m_headerHeight + m_spacing);
        room->SetPos(x, y);
        m_height = std::max(m_height, ClampedExtent(int64_t{y} + m_spacing + m_cellHeight));
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
    int64_t rowTop = int64_t{m_collapsed != 0 ? m_headerHeight - body : m_headerHeight} + m_spacing;
    int32_t x = m_spacing;
    int32_t inRow = 0;
    for (auto& room : m_rooms) {
        room->SetPos(x, ClampedExtent(rowTop));
        x += room->GetWidth() + m_spacing;
        if (++inRow == columns) {
            inRow = 0;
            x = m_spacing;
            rowTop = ClampedExtent(rowTop + room->GetHeight() + m_spacing);
        }
    }
    m_height = m_collapsed != 0 ? m_headerHeight : ClampedExtent(int64_t{m_headerHeight} + body);
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

