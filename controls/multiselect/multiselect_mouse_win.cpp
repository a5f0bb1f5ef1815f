#include "controls/multiselect/multiselect_mouse_win.h"

#include "controls/multiselect/multiselect_layout.h"
#include "controls/multiselect/multiselect_window_win.h"

namespace {

BuildingHit HitAt(CBuilding& building, int x, int y) {
    const ContentPoint point = ContentPointFromClient(building, x, y);
    return HitTestBuilding(building, point.x, point.y, IconSizeOf);
}

void StartFoldOf(MultiSelectWindow& control, CFloor& floor) {
    // Killing first restarts a fold of the same floor in the other direction.
    KillTimer(control.window(), MultiSelectWindow::kFoldTimer);
    StartFold(control.building(), floor);
    SetTimer(control.window(), MultiSelectWindow::kFoldTimer, MultiSelectWindow::kFoldPeriodMs, nullptr);
}

}  // namespace

void PressBuildingAt(MultiSelectWindow& control, int x, int y) {
    CBuilding& building = control.building();
    if (building.GetStyle() & TSS_READONLY) return;
    if (GetFocus() != control.window()) SetFocus(control.window());
    if (PressBuilding(building, HitAt(building, x, y))) SetCapture(control.window());
}

void ReleaseBuildingAt(MultiSelectWindow& control, int x, int y) {
    CBuilding& building = control.building();
    const BuildingHit hit = HitAt(building, x, y);
    const ClickAction action = ReleaseBuilding(building, hit);
    if (GetCapture() == control.window()) ReleaseCapture();
    switch (action) {
    case ClickAction::ToggleFloor:
        hit.floor->ToggleCheck(1, 0);
        control.RepaintElement(*hit.floor);
        break;
    case ClickAction::ToggleRoom:
        hit.room->ToggleCheck(1, 1);
        control.RepaintElement(*hit.room);
        break;
    case ClickAction::Fold:
        StartFoldOf(control, *hit.floor);
        break;
    case ClickAction::None:
        break;
    }
}

void AbandonPress(MultiSelectWindow& control, HWND newCapture) {
    if (newCapture != control.window()) control.building().m_pressedHit = kHitNothing;
}

void AdvanceFoldTick(MultiSelectWindow& control) {
    CBuilding& building = control.building();
    CFloor* floor = building.m_pressedFloor;
    const FoldTick tick = AdvanceFold(building);
    if (!tick.ended) {
        control.RepaintPicture(&building.m_animRect, true);
        control.InvalidateAll();
        return;
    }
    KillTimer(control.window(), MultiSelectWindow::kFoldTimer);
    if (tick.glyphFinished && floor) {
        const ElementRect glyph = FloorHeaderGeometry(*floor, IconSizeOf).glyph;
        control.RepaintPicture(&glyph, true);
    }
    control.UpdateScrollBars(true);
    control.InvalidateAll();
}
