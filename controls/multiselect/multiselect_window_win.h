#pragma once
// The window side of one multi-select control: the building it shows, the
// off-screen picture everything is painted into, and what the building asks
// of its window (notices, repaints, releasing handles) through BuildingHost.
#include <windows.h>

#include <memory>

#include "controls/multiselect/multiselect_elements.h"

class MultiSelectWindow final : public BuildingHost {
public:
    static constexpr UINT_PTR kFoldTimer = 505;
    static constexpr UINT kFoldPeriodMs = 10;

    MultiSelectWindow(HWND window, std::unique_ptr<CBuilding> building);
    ~MultiSelectWindow();
    MultiSelectWindow(const MultiSelectWindow&) = delete;
    MultiSelectWindow& operator=(const MultiSelectWindow&) = delete;

    HWND window() const { return window_; }
    CBuilding& building() { return *building_; }
    // A message's redraw word counts only while updates run: between
    // TSM_BEGINUPDATE and TSM_ENDUPDATE nothing is repainted, and the end
    // repaints everything once.
    bool RedrawRequested(WORD redraw) const { return redraw != 0 && building_->m_suspended == 0; }

    // Off-screen picture: 0 when it cannot be made, 1 when the one there is
    // large enough, 2 when a new (larger) one was made. Never shrinks.
    int EnsurePicture();
    // Repaints part of the picture (all of it for null), over a fresh
    // background when asked.
    void RepaintPicture(const ElementRect* area, bool fillBackground);
    // Paints one floor or room over what the picture holds and invalidates
    // where it shows; a room only within its floor's body.
    void RepaintElement(CBaseEle& element);
    // The element's rectangle of the window, shifted by the scroll position.
    void InvalidateContent(const ElementRect& content);
    void InvalidateAll();
    void RepaintAll(bool fillBackground);
    // After the content changed size (laid out already): a picture large
    // enough, scroll bars, pixels.
    void ShowResizedContent();
    // Everything again: layout, then as above.
    void Rebuild();
    void PaintWindow(HDC dc);

    void UpdateScrollBars(bool redraw);
    UINT scrollMessage = WM_VSCROLL;  // keys and wheel replay the bar last used

    // A parent may destroy the control from inside a notification, while
    // the click that sent it still works on the building: the state outlives
    // its window until the outermost message of the window is done.
    int messageNesting = 0;
    bool windowDestroyed = false;

    // BuildingHost.
    void SendNotice(const BuildingNotice& notice) override;
    void RepaintCheckBox(CFloor& floor) override;
    void FloorAdded() override;
    void TreeCleared() override;
    void ReleaseImageList(void* imageList) override;
    void ReleaseFont(void* font) override;
    void PaintFloor(CFloor& floor, void* dc, const ElementRect* clip) override;
    void PaintRoom(CRoom& room, void* dc, const ElementRect* clip, int dx, int dy) override;

private:
    void ReleasePicture();
    void FillBackground(HDC dc, const RECT& area) const;

    HWND window_;
    HWND parent_;
    std::unique_ptr<CBuilding> building_;
    HBITMAP glyphStrip_;
    HDC memDC_ = nullptr;
    HBITMAP memBitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HDC glyphDC_ = nullptr;  // only while painting into the picture
};

// Icon size of an image list, for the portable geometry.
ElementSize IconSizeOf(void* imageList);

inline RECT ToRect(const ElementRect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline ElementRect ToElementRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
