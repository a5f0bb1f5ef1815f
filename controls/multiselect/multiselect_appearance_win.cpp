// Messages of the control's look: style, background, image list, font,
// floor images and sizes.
#include "controls/multiselect/multiselect_appearance_win.h"

#include <commctrl.h>

#include "controls/multiselect/multiselect_window_win.h"
#include "controls/tessella.h"

namespace {

LRESULT Handle(const void* object) { return reinterpret_cast<LRESULT>(object); }

// Style bits that change the look: flat check boxes repaint the picture, the
// border changes the client area the scroll bars measure.
void ShowStyleChange(MultiSelectWindow& control, WPARAM wParam, uint32_t bits) {
    if (!control.RedrawRequested(LOWORD(wParam)) || !(bits & (TSS_FLATCHECKS | TSS_BORDER))) return;
    if (bits & TSS_FLATCHECKS) control.RepaintPicture(nullptr, false);
    if (bits & TSS_BORDER) control.UpdateScrollBars(false);
    control.InvalidateAll();
}

LRESULT SetStyle(MultiSelectWindow& control, WPARAM wParam, uint32_t style) {
    CBuilding& building = control.building();
    const uint32_t old = building.m_style;
    if (style == old) return old;
    building.SetStyle(style, 0);
    ShowStyleChange(control, wParam, style);
    return old;
}

LRESULT ModifyStyle(MultiSelectWindow& control, WPARAM wParam, uint32_t mask) {
    CBuilding& building = control.building();
    const uint32_t before = building.m_style;
    const uint32_t old = building.ModifyStyle(mask, HIWORD(wParam), 0);
    if (building.m_style != before) ShowStyleChange(control, wParam, mask);
    return old;
}

LRESULT SetBackColor(MultiSelectWindow& control, WPARAM wParam, COLORREF colour) {
    CBuilding& building = control.building();
    if (building.m_backColor == colour) return 0;
    building.m_backColor = colour;
    control.RepaintPicture(nullptr, true);
    if (wParam) control.InvalidateAll();
    return 0;
}

LRESULT SetImageList(MultiSelectWindow& control, WPARAM wParam, HIMAGELIST images) {
    void* old = control.building().SetImageList(images);
    if (control.RedrawRequested(LOWORD(wParam))) control.RepaintAll(true);
    return Handle(old);
}

LRESULT SetFont(MultiSelectWindow& control, HFONT font, LPARAM lParam) {
    void* old = control.building().SetFont(font);
    if (control.RedrawRequested(LOWORD(lParam))) control.RepaintAll(true);
    return Handle(old);
}

LRESULT SetFloorImages(MultiSelectWindow& control, WPARAM wParam, LPARAM lParam) {
    for (auto& floor : control.building().m_floors) floor->SetImages(LOWORD(lParam), HIWORD(lParam));
    if (control.RedrawRequested(LOWORD(wParam))) control.RepaintAll(false);
    return 0;
}

// Both sizes change what the picture must hold and how far the bars reach.
LRESULT SetFloorWidth(MultiSelectWindow& control, WPARAM wParam, int width) {
    CBuilding& building = control.building();
    building.m_cellWidth = width;
    for (auto& floor : building.m_floors) floor->SetWidth(width);
    if (!building.m_floors.empty() && control.RedrawRequested(LOWORD(wParam))) control.Rebuild();
    return 0;
}

LRESULT SetRoomSize(MultiSelectWindow& control, WPARAM wParam, int width, int height) {
    CBuilding& building = control.building();
    building.m_roomWidth = width;
    building.m_roomHeight = height;
    for (auto& floor : building.m_floors) floor->SetCellSize(width, height);
    if (!building.m_floors.empty() && control.RedrawRequested(LOWORD(wParam))) control.Rebuild();
    return 0;
}

}  // namespace

LRESULT OnAppearanceMessage(MultiSelectWindow& control, UINT message, WPARAM wParam, LPARAM lParam) {
    CBuilding& building = control.building();
    switch (message) {
    case TSM_GETSTYLE: return building.m_style;
    case TSM_SETSTYLE: return SetStyle(control, wParam, static_cast<uint32_t>(lParam));
    case TSM_MODIFYSTYLE: return ModifyStyle(control, wParam, static_cast<uint32_t>(lParam));
    case TSM_GETBKCOLOR: return building.m_backColor;
    case TSM_SETBKCOLOR: return SetBackColor(control, wParam, static_cast<COLORREF>(lParam));
    case TSM_GETIMAGELIST: return Handle(building.m_imageList);
    case TSM_SETIMAGELIST: return SetImageList(control, wParam, reinterpret_cast<HIMAGELIST>(lParam));
    case TSM_GETFONT: return Handle(building.m_font);
    case TSM_SETFONT: return SetFont(control, reinterpret_cast<HFONT>(wParam), lParam);
    case TSM_SETFLOORIMAGES: return SetFloorImages(control, wParam, lParam);
    case TSM_SETFLOORWIDTH: return SetFloorWidth(control, wParam, LOWORD(lParam));
    case TSM_SETROOMSIZE: return SetRoomSize(control, wParam, LOWORD(lParam), HIWORD(lParam));
    }
    return 0;
}
