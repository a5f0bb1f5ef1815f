#include "controls/multiselect/multiselect_layout.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool Contains(const ElementRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

int32_t BorderWidth(const CBuilding& building) { return (building.GetStyle() & TSS_BORDER) != 0 ? 1 : 0; }

}  // namespace

int32_t ExpandedBodyHeight(const CFloor& floor) {
    const int32_t rooms = static_cast<int32_t>(floor.m_rooms.size());
    if (rooms == 0) {
        return 2 * floor.m_spacing;
    }
    const int32_t columns = floor.GetColumns();
    const int64_t rows = (rooms + columns - 1) / columns;
    return ClampedExtent(floor.m_spacing + rows * (int64_t{floor.m_spacing} + floor.m_cellHeight));
}

int32_t ExpandedFloorHeight(const CFloor& floor) {
    return ClampedExtent(int64_t{floor.m_headerHeight} + ExpandedBodyHeight(floor));
}

int32_t ContentHeight(const CBuilding& building) {
    if (building.m_floors.empty()) {
        return building.m_spacing;
    }
    return building.m_floors.back()->GetBottom() + building.m_spacing;
}

int32_t PictureHeight(const CBuilding& building) {
    int64_t height = building.m_spacing;
    for (const auto& floor : building.m_floors) {
        height = ClampedExtent(height + ExpandedFloorHeight(*floor) + building.m_spacing);
    }
    return ClampedExtent(height);
}

bool ShowsIcon(const CBaseEle& element) {
    return element.GetImageList() != nullptr && element.GetImageA() >= 0 && element.GetImageB() >= 0;
}

ElementRect FloorRect(const CFloor& floor) {
    ElementRect rect;
    floor.GetRect(&rect);
    return rect;
}

ElementRect FloorBodyRect(const CFloor& floor) {
    return {floor.m_x, floor.m_y + floor.m_headerHeight, floor.GetRight(), floor.GetBottom()};
}

bool RoomVisibleRect(const CRoom& room, ElementRect& visible) {
    room.GetRect(&visible);
    const auto* floor = static_cast<const CFloor*>(room.GetParent());
    if (floor == nullptr || floor->m_type != kFloorKind) {
        return false;
    }
    const ElementRect body = FloorBodyRect(*floor);
    visible.left = std::max(visible.left, body.left);
    visible.top = std::max(visible.top, body.top + 1);  // the header's bottom line
    visible.right = std::min(visible.right, body.right);
    visible.bottom = std::min(visible.bottom, body.bottom);
    return visible.left < visible.right && visible.top < visible.bottom;
}

int32_t ClampedMessageSize(int32_t size) { return std::clamp<int32_t>(size, 0, kMaxMessageSize); }

int32_t ClampedExtent(int64_t extent) {
    return static_cast<int32_t>(std::clamp<int64_t>(extent, -kMaxContentExtent, kMaxContentExtent));
}

FloorHeaderParts FloorHeaderGeometry(const CFloor& floor, IconSizeQuery iconSize) {
    const int32_t x = floor.m_x;
    const int32_t y = floor.m_y;
    const int32_t s = floor.m_spacing;
    const int32_t h = floor.m_headerHeight;
    const int32_t g = floor.m_glyphSize;
    const int32_t k = floor.m_checkSize;
    FloorHeaderParts parts{};
    parts.header = {x, y, x + floor.m_width, y + h};
    parts.glyph = {x + s, y + (h - g) / 2, x + s + g, y + (h - g) / 2 + g};
    parts.checkBox = {x + g + 2 * s, y + (h - k) / 2, x + g + 2 * s + k, y + (h - k) / 2 + k};
    const int32_t iconLeft = x + (5 * s) / 2 + k + g;
    ElementSize icon{0, 0};
    parts.hasIcon = ShowsIcon(floor) && iconSize != nullptr;
    if (parts.hasIcon) {
        icon = iconSize(floor.GetImageList());
        const int32_t top = y + (h - icon.cy) / 2;
        parts.icon = {iconLeft, top, iconLeft + icon.cx, top + icon.cy};
    }
    const int32_t labelTop = y + (h - floor.m_textSize.cy) / 2;
    int32_t labelRight = iconLeft + floor.m_textSize.cx;
    if (parts.hasIcon) {
        labelRight += icon.cx + s / 2;
    }
    parts.label = {iconLeft - s / 2, labelTop, labelRight, labelTop + floor.m_textSize.cy};
    parts.textLeft = (parts.hasIcon ? parts.icon.right : parts.checkBox.right) + s / 2;
    return parts;
}

RoomFaceParts RoomFaceGeometry(const CRoom& room, int dx, int dy, IconSizeQuery iconSize) {
    RoomFaceParts parts{};
    room.GetRectAt(&parts.room, dx, dy);
    parts.text = parts.room;
    parts.hasIcon = ShowsIcon(room) && iconSize != nullptr;
    if (parts.hasIcon) {
        const ElementSize icon = iconSize(room.GetImageList());
        const int32_t left = parts.room.left + room.m_spacing / 2;
        const int32_t top = parts.room.top + (room.m_height - icon.cy) / 2;
        parts.icon = {left, top, left + icon.cx, top + icon.cy};
        parts.text.left = parts.icon.right + room.m_spacing / 2;
    }
    return parts;
}

BuildingHit HitTestBuilding(const CBuilding& building, int x, int y, IconSizeQuery iconSize) {
    for (const auto& owned : building.m_floors) {
        CFloor* floor = owned.get();
        if (!floor->HitTest(x, y)) {
            continue;
        }
        const FloorHeaderParts parts = FloorHeaderGeometry(*floor, iconSize);
        if (Contains(parts.header, x, y)) {
            int32_t code = kHitHeader;
            if (Contains(parts.glyph, x, y)) {
                code = kHitGlyph;
            } else if (Contains(parts.checkBox, x, y)) {
                code = kHitCheckBox;
            } else if (parts.hasIcon && Contains(parts.icon, x, y)) {
                code = kHitIcon;
            } else if (Contains(parts.label, x, y)) {
                code = kHitLabel;
            }
            return {code, floor, nullptr};
        }
        const int32_t rowPitch = floor->m_spacing + floor->m_cellHeight;
        const int32_t columnPitch = floor->m_spacing + floor->m_cellWidth;
        if (rowPitch <= 0 || columnPitch <= 0) {
            return {kHitNothing, nullptr, nullptr};
        }
        const int32_t row = (y - floor->m_headerHeight - floor->m_y) / rowPitch;
        const int32_t column = (x - floor->m_x) / columnPitch;
        const int64_t index = static_cast<int64_t>(column) + static_cast<int64_t>(row) * floor->GetColumns();
        if (index < 0 || index >= static_cast<int64_t>(floor->m_rooms.size())) {
            return {kHitNothing, nullptr, nullptr};
        }
        CRoom* room = floor->m_rooms[static_cast<size_t>(index)].get();
        if (!room->HitTest(x - floor->m_x, y - floor->m_y)) {
            return {kHitNothing, nullptr, nullptr};
        }
        return {kHitRoom, floor, room};
    }
    return {kHitNothing, nullptr, nullptr};
}

ContentPoint ContentPointFromClient(const CBuilding& building, int x, int y) {
    const int32_t border = BorderWidth(building);
    return {x - border + building.m_scrollX, y - border + building.m_scrollY};
}

ElementRect WindowRectFromContent(const CBuilding& building, const ElementRect& content) {
    const int32_t dx = BorderWidth(building) - building.m_scrollX;
    const int32_t dy = BorderWidth(building) - building.m_scrollY;
    return {content.left + dx, content.top + dy, content.right + dx, content.bottom + dy};
}

ElementRect InnerClientRect(const CBuilding& building, const ElementRect& client) {
    const int32_t border = BorderWidth(building);
    return {client.left + border, client.top + border, client.right - border, client.bottom - border};
}

int32_t ScrolledPosition(int32_t code, int32_t thumb, int32_t max, int32_t page, int32_t position) {
    const int32_t limit = std::max(0, max - page + 1);
    const int32_t pageStep = std::max(4, page - 24);
    int32_t next = position;
    switch (code) {
    case kScrollLineUp:
        next = position - kScrollLinePixels;
        break;
    case kScrollLineDown:
        next = std::min(position + kScrollLinePixels, limit);
        break;
    case kScrollPageUp:
        next = position - pageStep;
        break;
    case kScrollPageDown:
        next = std::min(position + pageStep, limit);
        break;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
        next = thumb;
        break;
    case kScrollTop:
        next = 0;
        break;
    case kScrollBottom:
        next = limit;
        break;
    default:
        break;
    }
    return std::max(0, next);
}

int32_t FittedScrollPosition(int32_t position, int32_t content, int32_t page) {
    if (page >= content) {
        return 0;
    }
    return std::min(position, content - page + 1);
}

int32_t ScrollCodeOfKey(uint32_t virtualKey) {
    switch (virtualKey) {
    case 0x21:  // VK_PRIOR
        return kScrollPageUp;
    case 0x22:  // VK_NEXT
        return kScrollPageDown;
    case 0x23:  // VK_END
        return kScrollBottom;
    case 0x24:  // VK_HOME
        return kScrollTop;
    case 0x25:  // VK_LEFT
    case 0x26:  // VK_UP
        return kScrollLineUp;
    case 0x27:  // VK_RIGHT
    case 0x28:  // VK_DOWN
        return kScrollLineDown;
    default:
        return kScrollNone;
    }
}

WheelSteps WheelScroll(int32_t delta) {
    const int64_t magnitude = std::llabs(static_cast<int64_t>(delta)) / kWheelDelta;
    const int32_t count = static_cast<int32_t>(std::max<int64_t>(1, magnitude));
    return {delta > 0 ? kScrollLineUp : kScrollLineDown, count};
}

bool PressBuilding(CBuilding& building, const BuildingHit& hit) {
    if ((building.GetStyle() & TSS_READONLY) != 0) {
        return false;
    }
    if (building.m_animating != 0 && hit.floor != building.m_pressedFloor) {
        building.m_pressedHit = kHitNothing;
        return false;
    }
    building.m_pressedFloor = hit.floor;
    building.m_pressedRoom = hit.room;
    building.m_pressedHit = hit.code;
    return hit.code != kHitNothing;
}

ClickAction ReleaseBuilding(CBuilding& building, const BuildingHit& hit) {
    const int32_t pressed = building.m_pressedHit;
    // A release without its own press (the press went elsewhere, or was
    // refused) must never act on an earlier click's target.
    building.m_pressedHit = kHitNothing;
    if ((building.GetStyle() & TSS_READONLY) != 0 || pressed == kHitNothing) {
        return ClickAction::None;
    }
    if (hit.code != pressed || hit.floor != building.m_pressedFloor || hit.room != building.m_pressedRoom) {
        return ClickAction::None;
    }
    switch (pressed) {
    case kHitCheckBox:
    case kHitLabel:
        return ClickAction::ToggleFloor;
    case kHitRoom:
        return ClickAction::ToggleRoom;
    case kHitGlyph:
    case kHitHeader:
    case kHitIcon:
        return ClickAction::Fold;
    default:
        return ClickAction::None;
    }
}

void StartFold(CBuilding& building, CFloor& floor) {
    building.m_animRect = FloorRect(floor);
    building.m_animRect.bottom = building.m_memHeight;
    floor.m_collapsed = floor.m_collapsed != 0 ? 0 : 1;
    building.m_pressedFloor = &floor;
    building.m_animating = 1;
    building.m_glyphAnimating = 1;
    building.m_tick = 0;
}

FoldTick AdvanceFold(CBuilding& building) {
    CFloor* floor = building.m_pressedFloor;
    if (building.m_animating == 0 || floor == nullptr) {
        StopInteraction(building);
        return {true, false};
    }
    const bool collapsing = floor->m_collapsed != 0;
    const int32_t target = collapsing ? floor->m_headerHeight : ExpandedFloorHeight(*floor);
    const int32_t height = floor->m_height;
    if (collapsing ? height <= target : height >= target) {
        building.m_animating = 0;
        const bool glyphFinished = building.m_glyphAnimating != 0;
        if (glyphFinished) {
            floor->m_glyphFrame = collapsing ? 0 : floor->m_glyphFrames - 1;
            building.m_glyphAnimating = 0;
        }
        return {true, glyphFinished};
    }
    const int32_t delta = collapsing ? -std::min(building.m_animStep, height - target)
                                     : std::min(building.m_animStep, target - height);
    if (building.m_tick % 4 == 0 && building.m_glyphAnimating != 0) {
        const int32_t last = floor->m_glyphFrames - 1;
        if (collapsing ? floor->m_glyphFrame > 0 : floor->m_glyphFrame < last) {
            floor->m_glyphFrame += collapsing ? -1 : 1;
        } else {
            building.m_glyphAnimating = 0;
        }
    }
    floor->Grow(0, delta);
    bool below = false;
    for (auto& other : building.m_floors) {
        if (below) {
            other->Offset(0, delta);
        }
        below = below || other.get() == floor;
    }
    ++building.m_tick;
    return {false, false};
}

bool SetFloorFolded(CBuilding& building, CFloor& floor, bool collapsed) {
    if ((floor.m_collapsed != 0) == collapsed) {
        return false;
    }
    floor.m_collapsed = collapsed ? 1 : 0;
    floor.m_glyphFrame = collapsed ? 0 : floor.m_glyphFrames - 1;
    if (building.m_animating != 0 && building.m_pressedFloor == &floor) {
        building.m_animating = 0;
        building.m_glyphAnimating = 0;
    }
    return true;
}

void StopInteraction(CBuilding& building) {
    building.m_pressedFloor = nullptr;
    building.m_pressedRoom = nullptr;
    building.m_pressedHit = kHitNothing;
    building.m_animating = 0;
    building.m_glyphAnimating = 0;
    building.m_tick = 0;
}
