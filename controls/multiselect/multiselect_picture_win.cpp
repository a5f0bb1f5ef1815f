// The off-screen picture of the multi-select control: made once large enough
// for every floor expanded, only ever grown, and copied to the window on
// WM_PAINT without walking the element tree.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "controls/multiselect/multiselect_layout.h"
#include "controls/multiselect/multiselect_resources_win.h"
#include "controls/multiselect/multiselect_window_win.h"
#include "controls/tessella.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

const char kNoData[] = "NO DATA...";
const char kNoPicture[] = "CAN NOT CREATE MEM BITMAP...";

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// The strip keeps its alpha channel only as a DIB section.
HBITMAP LoadGlyphStrip() {
    return static_cast<HBITMAP>(LoadImageA(ThisModule(), MAKEINTRESOURCEA(IDB_MULTISELECT_GLYPHS), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION));
}

// Font and glyph strip selected for painting into the picture; the floors
// point at the glyph DC only while it lives.
class PictureCanvas {
public:
    PictureCanvas(CBuilding& building, HDC memDC, HBITMAP glyphStrip, HDC* glyphSlot)
        : building_(building), memDC_(memDC), glyphSlot_(glyphSlot) {
        if (glyphStrip) {
            glyphDC_ = CreateCompatibleDC(memDC);
            if (glyphDC_) oldGlyph_ = SelectObject(glyphDC_, glyphStrip);
        }
        *glyphSlot_ = glyphDC_;
        SetBkMode(memDC_, TRANSPARENT);
        if (building.m_font) oldFont_ = SelectObject(memDC_, static_cast<HFONT>(building.m_font));
        for (auto& floor : building.m_floors) {
            floor->m_glyphDC = glyphDC_;
            floor->m_glyphSize = building.m_glyphSize;
            floor->m_glyphFrames = building.m_glyphFrames;
        }
    }
    ~PictureCanvas() {
        // A floor left pointing at the released DC would blend from it on
        // its next single paint.
        for (auto& floor : building_.m_floors) floor->m_glyphDC = nullptr;
        *glyphSlot_ = nullptr;
        if (oldFont_) SelectObject(memDC_, oldFont_);
        if (glyphDC_) {
            SelectObject(glyphDC_, oldGlyph_);
            DeleteDC(glyphDC_);
        }
    }
    PictureCanvas(const PictureCanvas&) = delete;
    PictureCanvas& operator=(const PictureCanvas&) = delete;

private:
    CBuilding& building_;
    HDC memDC_;
    HDC* glyphSlot_;
    HDC glyphDC_ = nullptr;
    HGDIOBJ oldGlyph_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};

void DrawCentredNote(HDC dc, const RECT& area, const char* text, HFONT font) {
    RECT box = area;
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    DrawTextA(dc, text, -1, &box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    if (oldFont) SelectObject(dc, oldFont);
}

}  // namespace

ElementSize IconSizeOf(void* imageList) {
    int width = 0, height = 0;
    if (!imageList || !ImageList_GetIconSize(static_cast<HIMAGELIST>(imageList), &width, &height)) return {0, 0};
    return {width, height};
}

MultiSelectWindow::MultiSelectWindow(HWND window, std::unique_ptr<CBuilding> building)
    : window_(window), parent_(GetParent(window)), building_(std::move(building)), glyphStrip_(LoadGlyphStrip()) {
    building_->m_enabled = IsWindowEnabled(window) ? 1 : 0;
    building_->m_glyphSize = 16;
    building_->m_glyphFrames = 7;
    building_->m_host = this;
}

MultiSelectWindow::~MultiSelectWindow() {
    KillTimer(window_, kFoldTimer);
    ReleasePicture();
    if (glyphStrip_) DeleteObject(glyphStrip_);
    // The building's elements call back while they go: they must find no host.
    building_->m_host = nullptr;
    if (building_->m_imageList && building_->OwnsImageList()) {
        ImageList_Destroy(static_cast<HIMAGELIST>(building_->m_imageList));
    }
    if (building_->m_font && building_->OwnsFont()) DeleteObject(static_cast<HFONT>(building_->m_font));
}

void MultiSelectWindow::ReleasePicture() {
    if (!memDC_) return;
    SelectObject(memDC_, oldBitmap_);
    DeleteDC(memDC_);
    if (memBitmap_) DeleteObject(memBitmap_);
    memDC_ = nullptr;
    memBitmap_ = nullptr;
    oldBitmap_ = nullptr;
}

int MultiSelectWindow::EnsurePicture() {
    CBuilding& b = *building_;
    const int width = std::max(b.m_width, b.m_memWidth);
    const int height = std::max({PictureHeight(b), b.m_memHeight, 1});
    if (memBitmap_ && b.m_memWidth >= width && b.m_memHeight >= height) return 1;
    ReleasePicture();
    b.m_memWidth = width;
    b.m_memHeight = height;
    HDC screen = GetDC(window_);
    if (!screen) return 0;
    memDC_ = CreateCompatibleDC(screen);
    memBitmap_ = memDC_ ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    ReleaseDC(window_, screen);
    if (!memBitmap_) {
        ReleasePicture();
        return 0;
    }
    oldBitmap_ = SelectObject(memDC_, memBitmap_);
    return 2;
}

void MultiSelectWindow::FillBackground(HDC dc, const RECT& area) const {
    const CBuilding& b = *building_;
    if (!b.m_enabled) {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    } else if (b.m_backColor == 0xFFFFFF) {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    } else {
        HBRUSH brush = CreateSolidBrush(b.m_backColor);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
}

void MultiSelectWindow::RepaintPicture(const ElementRect* area, bool fillBackground) {
    if (!memBitmap_ && EnsurePicture() == 0) return;
    CBuilding& b = *building_;
    PictureCanvas canvas(b, memDC_, glyphStrip_, &glyphDC_);
    if (fillBackground) {
        const RECT whole = {0, 0, b.m_memWidth, b.m_memHeight};
        FillBackground(memDC_, area ? ToRect(*area) : whole);
    }
    for (auto& floor : b.m_floors) floor->Paint(memDC_, area);
}

void MultiSelectWindow::RepaintElement(CBaseEle& element) {
    ElementRect area;
    if (element.m_type != kRoomKind) {
        element.GetRect(&area);
    } else if (!RoomVisibleRect(static_cast<CRoom&>(element), area)) {
        return;  // its floor is folded: the room lies over the header or the floor above
    }
    if (memBitmap_) {
        PictureCanvas canvas(*building_, memDC_, glyphStrip_, &glyphDC_);
        IntersectClipRect(memDC_, area.left, area.top, area.right, area.bottom);
        element.Paint(memDC_, nullptr);
        SelectClipRgn(memDC_, nullptr);
    }
    InvalidateContent(area);
}

void MultiSelectWindow::InvalidateContent(const ElementRect& content) {
    const RECT shown = ToRect(WindowRectFromContent(*building_, content));
    InvalidateRect(window_, &shown, FALSE);
}

void MultiSelectWindow::InvalidateAll() { InvalidateRect(window_, nullptr, FALSE); }

void MultiSelectWindow::RepaintAll(bool fillBackground) {
    RepaintPicture(nullptr, fillBackground);
    InvalidateAll();
}

void MultiSelectWindow::ShowResizedContent() {
    EnsurePicture();
    UpdateScrollBars(true);
    RepaintAll(true);
}

void MultiSelectWindow::Rebuild() {
    building_->Layout();
    ShowResizedContent();
}

void MultiSelectWindow::PaintWindow(HDC dc) {
    CBuilding& b = *building_;
    RECT client;
    GetClientRect(window_, &client);
    const RECT inner = ToRect(InnerClientRect(b, ToElementRect(client)));
    if (b.GetStyle() & TSS_BORDER) FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
    HFONT font = static_cast<HFONT>(b.m_font);
    if (!memBitmap_) {
        if (EnsurePicture() == 0) {
            FillBackground(dc, inner);
            DrawCentredNote(dc, inner, kNoPicture, font);
            return;
        }
        RepaintPicture(nullptr, true);
    }
    if (b.m_floors.empty()) {
        FillBackground(dc, inner);
        DrawCentredNote(dc, inner, kNoData, font);
        return;
    }
    const RECT covered = {inner.left, inner.top, inner.left + b.m_memWidth - b.m_scrollX,
                          inner.top + b.m_memHeight - b.m_scrollY};
    if (covered.right < inner.right || covered.bottom < inner.bottom) {
        HRGN outside = CreateRectRgnIndirect(&inner);
        HRGN picture = CreateRectRgnIndirect(&covered);
        CombineRgn(outside, outside, picture, RGN_DIFF);
        const RECT whole = inner;
        SelectClipRgn(dc, outside);
        FillBackground(dc, whole);
        SelectClipRgn(dc, nullptr);
        DeleteObject(picture);
        DeleteObject(outside);
    }
    BitBlt(dc, inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top, memDC_, b.m_scrollX,
           b.m_scrollY, SRCCOPY);
}

void MultiSelectWindow::SendNotice(const BuildingNotice& notice) {
    if (!parent_ || windowDestroyed) return;
    CheckNotify record = {};
    record.hdr.hwndFrom = window_;
    record.hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongA(window_, GWL_ID));
    record.hdr.code = static_cast<UINT>(notice.code);
    record.element = notice.element;
    record.oldState = notice.oldState;
    record.newState = notice.newState;
    SendMessageA(parent_, WM_NOTIFY, record.hdr.idFrom, reinterpret_cast<LPARAM>(&record));
}

void MultiSelectWindow::RepaintCheckBox(CFloor& floor) {
    const ElementRect box = FloorHeaderGeometry(floor, IconSizeOf).checkBox;
    RepaintPicture(&box, true);
    InvalidateContent(box);
}

void MultiSelectWindow::FloorAdded() { ShowResizedContent(); }

void MultiSelectWindow::TreeCleared() { KillTimer(window_, kFoldTimer); }

void MultiSelectWindow::ReleaseImageList(void* imageList) { ImageList_Destroy(static_cast<HIMAGELIST>(imageList)); }

void MultiSelectWindow::ReleaseFont(void* font) { DeleteObject(static_cast<HFONT>(font)); }
