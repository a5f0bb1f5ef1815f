// Floors and rooms painted into the off-screen picture, in content
// coordinates (the picture's pixels are the content's).
#include <windows.h>

#include <commctrl.h>

#include "controls/multiselect/multiselect_layout.h"
#include "controls/multiselect/multiselect_window_win.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kHeaderCorner = 12;
constexpr int kRoomCorner = 5;

// Clips the DC to a rectangle, narrowed further by the caller's clip; the
// clip is removed when this goes.
class ScopedClip {
public:
    ScopedClip(HDC dc, const ElementRect& area, const ElementRect* clip) : dc_(dc) { Narrow(area, clip); }
    ~ScopedClip() { SelectClipRgn(dc_, nullptr); }
    ScopedClip(const ScopedClip&) = delete;
    ScopedClip& operator=(const ScopedClip&) = delete;

    void Narrow(const ElementRect& area, const ElementRect* clip) {
        HRGN region = CreateRectRgn(area.left, area.top, area.right, area.bottom);
        if (clip) {
            HRGN outer = CreateRectRgn(clip->left, clip->top, clip->right, clip->bottom);
            CombineRgn(region, region, outer, RGN_AND);
            DeleteObject(outer);
        }
        SelectClipRgn(dc_, region);
        DeleteObject(region);
    }
    void Reset(const ElementRect* clip) {
        if (clip) {
            Narrow(*clip, nullptr);
        } else {
            SelectClipRgn(dc_, nullptr);
        }
    }

private:
    HDC dc_;
};

// A brush or pen made for one drawing and selected meanwhile; null keeps the
// DC's current one.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), object_(object) {
        if (object_) old_ = SelectObject(dc, object_);
    }
    ~ScopedSelection() {
        if (!object_) return;
        SelectObject(dc_, old_);
        DeleteObject(object_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ old_ = nullptr;
};

// Room colours at their defaults draw with what the DC holds: a white fill
// keeps the current brush and black text the current pen.
HGDIOBJ RoomBrush(COLORREF colour) { return colour == kWhite ? nullptr : CreateSolidBrush(colour); }
HGDIOBJ RoomPen(COLORREF colour) { return colour == 0 ? nullptr : CreatePen(PS_SOLID, 1, colour); }

bool Meets(const ElementRect& a, const ElementRect* clip) {
    return !clip || (a.left < clip->right && clip->left < a.right && a.top < clip->bottom && clip->top < a.bottom);
}

void DrawName(HDC dc, const char* name, RECT box, COLORREF colour, UINT alignment) {
    const COLORREF old = SetTextColor(dc, colour);
    DrawTextA(dc, name, -1, &box, alignment | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    SetTextColor(dc, old);
}

void DrawGlyph(HDC dc, const CFloor& floor, const ElementRect& at) {
    if (!floor.m_glyphDC) return;
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const int size = floor.m_glyphSize;
    AlphaBlend(dc, at.left, at.top, size, size, static_cast<HDC>(floor.m_glyphDC), size * floor.m_glyphFrame, 0, size,
               size, blend);
}

void DrawCheckBox(HDC dc, const CFloor& floor, const ElementRect& at) {
    UINT state = DFCS_BUTTONCHECK;
    if (floor.m_check == kChecked) state |= DFCS_CHECKED;
    if (floor.m_check == kMixed) state |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (floor.GetStyle() & TSS_FLATCHECKS) state |= DFCS_FLAT;
    RECT box = ToRect(at);
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
}

void DrawIcon(HDC dc, const CBaseEle& element, int image, int x, int y) {
    ImageList_Draw(static_cast<HIMAGELIST>(element.GetImageList()), image, dc, x, y, ILD_NORMAL);
}

}  // namespace

void MultiSelectWindow::PaintFloor(CFloor& floor, void* dcHandle, const ElementRect* clip) {
    HDC dc = static_cast<HDC>(dcHandle);
    const ElementRect whole = FloorRect(floor);
    if (!Meets(whole, clip)) return;
    const FloorHeaderParts parts = FloorHeaderGeometry(floor, IconSizeOf);
    const int x = floor.m_x, y = floor.m_y, right = x + floor.m_width, header = floor.m_headerHeight;

    // Drawn twice as tall and clipped, so only the top corners are round.
    ScopedClip clipTo(dc, {x, y, right, y + header + 1}, clip);
    {
        ScopedSelection fill(dc, CreateSolidBrush(floor.m_headerColor));
        RoundRect(dc, x, y, right, y + 2 * header, kHeaderCorner, kHeaderCorner);
    }
    DrawGlyph(dc, floor, parts.glyph);
    DrawCheckBox(dc, floor, parts.checkBox);
    if (parts.hasIcon) {
        DrawIcon(dc, floor, floor.m_collapsed ? floor.m_imageA : floor.m_imageB, parts.icon.left, parts.icon.top);
    }
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, floor.m_name, static_cast<int>(floor.GetNameLength()), &extent);
    floor.m_textSize = {extent.cx, extent.cy};
    DrawName(dc, floor.m_name, {parts.textLeft, y, right, y + header}, floor.m_headerTextColor, DT_LEFT);

    clipTo.Reset(clip);
    if (header < floor.m_height) {
        {
            ScopedSelection fill(dc, CreateSolidBrush(floor.m_bodyColor));
            Rectangle(dc, x, y + header, right, y + floor.m_height);
        }
        if (!floor.m_rooms.empty()) {
            clipTo.Narrow({x, y + header + 1, right, y + floor.m_height}, clip);
            for (auto& room : floor.m_rooms) room->PaintAt(dc, clip, x, y);
        }
    } else {
        MoveToEx(dc, x, y + header, nullptr);
        LineTo(dc, right, y + header);
    }
}

void MultiSelectWindow::PaintRoom(CRoom& room, void* dcHandle, const ElementRect* clip, int dx, int dy) {
    HDC dc = static_cast<HDC>(dcHandle);
    const RoomFaceParts face = RoomFaceGeometry(room, dx, dy, IconSizeOf);
    const ElementRect& at = face.room;
    if (!Meets(at, clip)) return;
    const bool checked = room.m_check == kChecked;
    const COLORREF text = checked ? room.m_checkedText : room.m_normalText;
    {
        ScopedSelection fill(dc, RoomBrush(checked ? room.m_checkedFill : room.m_normalFill));
        ScopedSelection pen(dc, RoomPen(text));
        RoundRect(dc, at.left, at.top, at.right, at.bottom, kRoomCorner, kRoomCorner);
    }
    if (face.hasIcon) DrawIcon(dc, room, checked ? room.m_imageA : room.m_imageB, face.icon.left, face.icon.top);
    DrawName(dc, room.m_name, ToRect(face.text), text, face.hasIcon ? DT_LEFT : DT_CENTER);
}
