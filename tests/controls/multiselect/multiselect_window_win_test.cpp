#include <windows.h>

#include <algorithm>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/controls/multiselect/multiselect_test_support_win.h"

using namespace multiselect_test;

namespace {

constexpr int kControlId = 711;
constexpr COLORREF kHeaderFill = RGB(0, 64, 128);
constexpr COLORREF kBodyFill = RGB(220, 220, 220);
constexpr COLORREF kCheckedFill = RGB(255, 200, 128);
constexpr COLORREF kUncheckedFill = RGB(240, 240, 240);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class MultiSelectWindow : public MultiSelectTest {
protected:
    static HWND Create(int width, int height) { return MultiSelectTest::Create(kControlId, width, height); }

    // Three floors of 30 rooms: 3 x (24 + 4 + 3 x 26) + 4 x 6 = 342 pixels.
    HWND CreateTall(int width = 560, int height = 150) {
        HWND control = Create(width, height);
        for (const char* name : {"A", "B", "C"}) AddFloorWithRooms(control, name, 30);
        return control;
    }

};

int VerticalPosition(HWND control) { return GetScrollPos(control, SB_VERT); }
int HorizontalPosition(HWND control) { return GetScrollPos(control, SB_HORZ); }

SCROLLINFO Bar(HWND control, int bar) {
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(control, bar, &info);
    return info;
}

void Wheel(HWND control, int delta) {
    SendMessageA(control, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<SHORT>(delta))), 0);
}

bool RowHasInk(HWND control, int y, int fromX, int toX) {
    for (int x = fromX; x < toX; ++x) {
        if (ReadPixel(control, x, y) != kWhite) return true;
    }
    return false;
}

}  // namespace

TEST_F(MultiSelectWindow, FreshControlIsCheckedEmptyAndSaysNoData) {
    HWND control = Create(300, 100);
    EXPECT_EQ(SendMessageA(control, TSM_GETCHECK, 0, 0), 1);
    EXPECT_EQ(SendMessageA(control, TSM_GETFLOORCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(control, TSM_GETSTYLE, 0, 0), 0x09);
    ShowNow(host_->handle());
    EXPECT_TRUE(RowHasInk(control, 50, 60, 240)) << "NO DATA... centred";
    EXPECT_FALSE(RowHasInk(control, 10, 1, 299));
    EXPECT_EQ(ReadPixel(control, 0, 0), RGB(64, 64, 64)) << "the border";
}

TEST_F(MultiSelectWindow, PaintsFloorsRoomsGlyphsAndTheDisabledLook) {
    HWND control = Create(560, 200);
    CFloor* floor = AddFloor(control, "Lobby");
    AddRoom(control, floor, "a");  // short names leave the rooms' left edges bare
    CRoom* second = AddRoom(control, floor, "b");
    SendMessageA(control, TSM_CHECKROOM, MAKEWPARAM(1, 0), reinterpret_cast<LPARAM>(second));
    ShowNow(host_->handle());
    const int top = kBuildingSpacing + kBorder;
    EXPECT_EQ(ReadPixel(control, 500, top + 3), kHeaderFill);
    EXPECT_EQ(ReadPixel(control, 500, top + kHeader + 2), kBodyFill);
    EXPECT_EQ(ReadPixel(control, RoomPoint(kBuildingSpacing, 0).x, RoomPoint(kBuildingSpacing, 0).y), kCheckedFill);
    EXPECT_EQ(ReadPixel(control, RoomPoint(kBuildingSpacing, 1).x, RoomPoint(kBuildingSpacing, 1).y),
              kUncheckedFill);
    // The left of the expanded glyph's disc, away from its arrow.
    EXPECT_EQ(ReadPixel(control, top + kFloorSpacing + 3, top + 4 + 8), RGB(236, 242, 250));
    // The check box sits right of the glyph: neither header blue nor glyph.
    const COLORREF box = ReadPixel(control, top + 16 + 2 * kFloorSpacing + 7, top + 12);
    EXPECT_NE(box, kHeaderFill);
    EXPECT_EQ(ReadPixel(control, 300, 190), kWhite);

    // A click on the check box repaints that floor alone; its glyph must
    // come from a live glyph DC, not the one of the last full repaint.
    Click(control, {top + 16 + 2 * kFloorSpacing + 7, top + 12});
    ShowNow(host_->handle());
    EXPECT_EQ(Names(control, 1), "a,b");
    EXPECT_EQ(ReadPixel(control, top + kFloorSpacing + 3, top + 4 + 8), RGB(236, 242, 250));

    EnableWindow(control, FALSE);
    ShowNow(host_->handle());
    EXPECT_EQ(ReadPixel(control, 300, 190), RGB(192, 192, 192));
    EXPECT_EQ(ReadPixel(control, 500, top + 3), kHeaderFill);
}

TEST_F(MultiSelectWindow, RoomClickNotifiesTheFloorAndTheBuildingInOrder) {
    HWND control = Create(560, 200);
    CFloor* floor = AddFloorWithRooms(control, "A", 2);
    host_->ClearNotices();

    Click(control, RoomPoint(kBuildingSpacing, 0));
    const auto& notices = host_->notices();
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_EQ(notices[0].header.code, static_cast<UINT>(TSN_CHECKCHANGED));
    EXPECT_EQ(notices[0].element, floor);
    EXPECT_EQ(notices[0].oldState, 1);
    EXPECT_EQ(notices[0].newState, 2);
    EXPECT_EQ(notices[1].header.code, static_cast<UINT>(TSN_SELCHANGED));
    EXPECT_EQ(notices[1].element, floor);
    EXPECT_EQ(notices[2].header.code, static_cast<UINT>(TSN_SELCHANGED));
    EXPECT_EQ(notices[2].element, nullptr);
    EXPECT_EQ(notices[2].oldState, 2);
    EXPECT_EQ(notices[2].newState, 2);
    for (const ReceivedNotice& notice : notices) {
        EXPECT_EQ(notice.wParam, static_cast<WPARAM>(kControlId));
        EXPECT_EQ(notice.header.idFrom, static_cast<UINT_PTR>(kControlId));
        EXPECT_EQ(notice.header.hwndFrom, control);
    }
    EXPECT_EQ(SendMessageA(control, TSM_GETCHECK, 0, 0), 2);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MultiSelectWindow, OnlyAPressAndReleaseOnTheSameRoomToggles) {
    HWND control = Create(560, 200);
    AddFloorWithRooms(control, "A", 2);
    host_->ClearNotices();
    const POINT first = RoomPoint(kBuildingSpacing, 0);
    const POINT second = RoomPoint(kBuildingSpacing, 1);
    SendMouse(control, WM_LBUTTONDOWN, first.x, first.y);
    EXPECT_EQ(GetCapture(), control);
    SendMouse(control, WM_LBUTTONUP, second.x, second.y);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(host_->notices().empty());
    EXPECT_EQ(Names(control, 1), "r0,r1");

    Click(control, first);
    EXPECT_EQ(Names(control, 1), "r1");
    // A release whose press went to another window must not replay the last click.
    SendMouse(control, WM_LBUTTONUP, first.x, first.y);
    EXPECT_EQ(Names(control, 1), "r1");

    // Nor may a press whose capture another window took.
    SendMouse(control, WM_LBUTTONDOWN, second.x, second.y);
    SetCapture(host_->handle());
    ReleaseCapture();
    SendMouse(control, WM_LBUTTONUP, second.x, second.y);
    EXPECT_EQ(Names(control, 1), "r1");
}

TEST_F(MultiSelectWindow, ReadOnlyStyleBlocksClicksButNotPageDown) {
    HWND control = CreateTall();
    EXPECT_EQ(SendMessageA(control, TSM_MODIFYSTYLE, MAKEWPARAM(1, 1), TSS_READONLY), 0);
    Click(control, RoomPoint(kBuildingSpacing, 0));
    EXPECT_EQ(SendMessageA(control, TSM_GETCHECK, 0, 0), 1);
    SendMessageA(control, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(VerticalPosition(control), static_cast<int>(Bar(control, SB_VERT).nPage) - 24);
}

TEST_F(MultiSelectWindow, WheelScrollsWholeLinesAndKeysFollowTheLastBar) {
    HWND control = CreateTall(300, 150);
    Wheel(control, -60);
    EXPECT_EQ(VerticalPosition(control), kLine);
    SendMessageA(control, WM_VSCROLL, SB_BOTTOM, 0);
    const int bottom = VerticalPosition(control);
    const SCROLLINFO bar = Bar(control, SB_VERT);
    EXPECT_EQ(bar.nMax, 342) << "content height";
    EXPECT_EQ(bottom, bar.nMax - static_cast<int>(bar.nPage) + 1);
    Wheel(control, 360);
    EXPECT_EQ(VerticalPosition(control), bottom - 3 * kLine);

    SendMessageA(control, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(VerticalPosition(control), bottom - 2 * kLine);
    SendMessageA(control, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(HorizontalPosition(control), kLine);
    SendMessageA(control, WM_KEYDOWN, VK_DOWN, 0);
    Wheel(control, -120);
    EXPECT_EQ(HorizontalPosition(control), 3 * kLine);
    EXPECT_EQ(VerticalPosition(control), bottom - 2 * kLine);
}

TEST_F(MultiSelectWindow, ClearingDuringAnAnimationStopsIt) {
    HWND control = CreateTall();
    const int glyph = kBuildingSpacing + kFloorSpacing + 8 + kBorder;
    Click(control, {glyph, glyph});
    EXPECT_EQ(SendMessageA(control, TSM_CLEAR, 0, 0), 0);
    SendMessageA(control, WM_TIMER, 505, 0);
    PumpFor(100);
    EXPECT_EQ(SendMessageA(control, TSM_GETFLOORCOUNT, 0, 0), 0);

    // Nothing of the dead animation may refuse scrolling or presses now.
    AddFloorWithRooms(control, "again", 30);
    AddFloorWithRooms(control, "more", 30);
    SendMessageA(control, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(VerticalPosition(control), kLine);
    SendMessageA(control, WM_VSCROLL, SB_TOP, 0);
    Click(control, RoomPoint(kBuildingSpacing, 0));
    EXPECT_EQ(SendMessageA(control, TSM_GETCHECK, 0, 0), 2);
}

TEST_F(MultiSelectWindow, AnimationCollapsesAFloorAndMovesTheOnesBelow) {
    HWND control = Create(560, 400);
    AddFloorWithRooms(control, "A", 12);
    AddFloorWithRooms(control, "B", 1);
    const int glyph = kBuildingSpacing + kFloorSpacing + 8 + kBorder;
    Click(control, {glyph, glyph});
    PumpFor(400);
    ShowNow(host_->handle());
    // Floor B now starts right under A's 24-pixel header.
    const int secondTop = kBuildingSpacing + kHeader + kBuildingSpacing;
    EXPECT_EQ(ReadPixel(control, 500, secondTop + 3 + kBorder), kHeaderFill);
    Click(control, RoomPoint(secondTop, 0));
    EXPECT_EQ(Names(control, 0), "r0") << "B's room is where the layout says";
}

namespace {
HWND g_answering = nullptr;
LRESULT g_clearAnswer = -1;
LRESULT g_loadAnswer = -1;

void ClearOnSelectionChange(const NMHDR* header) {
    if (header->code != TSN_SELCHANGED) return;
    g_clearAnswer = SendMessageA(g_answering, TSM_CLEAR, 0, 0);
    char text[] = "F:x\nR:Cy\n";
    TextRequest request = {text, 0, 0, 0, ','};
    g_loadAnswer = SendMessageA(g_answering, TSM_LOADTEXT, 1, reinterpret_cast<LPARAM>(&request));
}
}  // namespace

TEST_F(MultiSelectWindow, ClearAndLoadAreRefusedWhileANotificationIsSent) {
    HWND control = Create(560, 200);
    AddFloorWithRooms(control, "A", 2);
    g_answering = control;
    host_->SetNoticeHook(ClearOnSelectionChange);
    Click(control, RoomPoint(kBuildingSpacing, 0));
    host_->SetNoticeHook(nullptr);
    EXPECT_EQ(g_clearAnswer, 0);
    EXPECT_EQ(g_loadAnswer, 0);
    EXPECT_EQ(Names(control, 2), "r0,r1");
    EXPECT_EQ(SendMessageA(control, TSM_CLEAR, 0, 0), 0);
    EXPECT_EQ(SendMessageA(control, TSM_GETFLOORCOUNT, 0, 0), 0) << "and allowed again afterwards";
}

namespace {
void DestroyOnSelectionChange(const NMHDR* header) {
    if (header->code == TSN_SELCHANGED && IsWindow(header->hwndFrom)) DestroyWindow(header->hwndFrom);
}
}  // namespace

// A dialog that closes when a room is chosen destroys the control inside the
// click's selection notice: the click finishes on the state it started with,
// and nothing more is sent from a window that is gone.
TEST_F(MultiSelectWindow, AParentMayDestroyTheControlFromANotification) {
    HWND control = Create(560, 200);
    AddFloorWithRooms(control, "A", 2);
    host_->ClearNotices();
    host_->SetNoticeHook(DestroyOnSelectionChange);
    Click(control, RoomPoint(kBuildingSpacing, 0));
    host_->SetNoticeHook(nullptr);
    EXPECT_FALSE(IsWindow(control));
    const auto& notices = host_->notices();
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back().header.code, static_cast<UINT>(TSN_SELCHANGED)) << "nothing after the destroying one";
    const auto selectionNotices = std::count_if(notices.begin(), notices.end(), [](const ReceivedNotice& notice) {
        return notice.header.code == TSN_SELCHANGED;
    });
    EXPECT_EQ(selectionNotices, 1);
}

TEST_F(MultiSelectWindow, SettingTheSameImageListOrFontKeepsIt) {
    HWND control = Create(560, 200);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 2, 0);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(SendMessageA(control, TSM_SETIMAGELIST, 1, reinterpret_cast<LPARAM>(images)), 0);
    EXPECT_EQ(SendMessageA(control, TSM_SETIMAGELIST, 1, reinterpret_cast<LPARAM>(images)),
              reinterpret_cast<LRESULT>(images));
    EXPECT_EQ(SendMessageA(control, TSM_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(images));
    int width = 0, height = 0;
    EXPECT_TRUE(ImageList_GetIconSize(images, &width, &height)) << "still alive";

    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    EXPECT_EQ(SendMessageA(control, TSM_SETFONT, reinterpret_cast<WPARAM>(font), 1), 0);
    EXPECT_EQ(SendMessageA(control, TSM_SETFONT, reinterpret_cast<WPARAM>(font), 1), reinterpret_cast<LRESULT>(font));
    LOGFONTA described = {};
    EXPECT_NE(GetObjectA(font, sizeof described, &described), 0) << "still alive";
    AddFloorWithRooms(control, "A", 2);
    ShowNow(host_->handle());
}

TEST_F(MultiSelectWindow, EndUpdateGrowsThePictureForFloorsAddedMeanwhile) {
    HWND control = Create(560, 200);
    ShowNow(host_->handle());  // the picture exists, sized for no floor
    SendMessageA(control, TSM_BEGINUPDATE, 0, 0);
    for (int i = 0; i < 8; ++i) AddFloorWithRooms(control, "F", 20);
    SendMessageA(control, TSM_ENDUPDATE, 0, 0);
    SendMessageA(control, WM_VSCROLL, SB_BOTTOM, 0);
    ShowNow(host_->handle());
    // The last floor's last row ends 6 + 4 pixels above the content bottom.
    const int lastRowTop = 200 - 2 * kBorder - kBuildingSpacing - kFloorSpacing - kRoomHeight;
    EXPECT_EQ(ReadPixel(control, 14, lastRowTop + 5 + kBorder), kCheckedFill);
}

TEST_F(MultiSelectWindow, FoldByMessageShowsTheFinalGlyphAndClearsWhatMovedUp) {
    HWND control = Create(560, 300);
    CFloor* first = AddFloorWithRooms(control, "A", 12);
    AddFloorWithRooms(control, "B", 1);
    ShowNow(host_->handle());
    const int oldBottomOfB = kBuildingSpacing + FloorHeight(12) + kBuildingSpacing + FloorHeight(1) - 2 + kBorder;
    const POINT arrowOfCollapsed = {kBuildingSpacing + kFloorSpacing + 9 + kBorder, kBuildingSpacing + 4 + 8 + kBorder};
    EXPECT_EQ(ReadPixel(control, 500, oldBottomOfB), kBodyFill);
    EXPECT_NE(ReadPixel(control, arrowOfCollapsed.x, arrowOfCollapsed.y), kHeaderFill);

    SendMessageA(control, TSM_EXPANDFLOOR, MAKEWPARAM(1, 0), reinterpret_cast<LPARAM>(first));
    ShowNow(host_->handle());
    EXPECT_EQ(ReadPixel(control, 500, oldBottomOfB), kWhite);
    EXPECT_EQ(ReadPixel(control, arrowOfCollapsed.x, arrowOfCollapsed.y), kHeaderFill) << "frame 0's arrow";
    SendMessageA(control, TSM_TOGGLEFLOOR, 1, reinterpret_cast<LPARAM>(first));
    ShowNow(host_->handle());
    EXPECT_EQ(ReadPixel(control, 500, oldBottomOfB), kBodyFill);
}

namespace {
// An image list of one solid 16 x 16 icon.
HIMAGELIST SolidIcons(COLORREF colour) {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ImageList_Add(images, bitmap, nullptr);
    DeleteObject(bitmap);
    return images;
}
}  // namespace

TEST_F(MultiSelectWindow, IconsSitWhereTheLayoutPutsThem) {
    HWND control = Create(560, 200);
    const COLORREF red = RGB(255, 0, 0);
    SendMessageA(control, TSM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(SolidIcons(red)));
    FloorInfo floor = {};
    floor.mask = TSF_NAME | TSF_IMAGES;
    std::strcpy(floor.name, "F");
    CFloor* handle = reinterpret_cast<CFloor*>(SendMessageA(control, TSM_ADDFLOOR, 0, reinterpret_cast<LPARAM>(&floor)));
    RoomInfo room = {};
    room.mask = TSF_NAME | TSF_IMAGES;
    room.floor = handle;
    std::strcpy(room.name, "r");
    SendMessageA(control, TSM_ADDROOM, 0, reinterpret_cast<LPARAM>(&room));
    ShowNow(host_->handle());
    // Header icon from x + 5s/2 + k + g = 40, centred in the 24-pixel header.
    const int floorLeft = kBuildingSpacing + kBorder;
    EXPECT_EQ(ReadPixel(control, floorLeft + 40, floorLeft + 4), red);
    EXPECT_EQ(ReadPixel(control, floorLeft + 55, floorLeft + 19), red);
    EXPECT_NE(ReadPixel(control, floorLeft + 56, floorLeft + 12), red);
    // Room icon at its left + s/2, centred in the 22-pixel room.
    const int roomLeft = floorLeft + kFloorSpacing, roomTop = floorLeft + kHeader + kFloorSpacing;
    EXPECT_EQ(ReadPixel(control, roomLeft + 2, roomTop + 3), red);
    EXPECT_EQ(ReadPixel(control, roomLeft + 17, roomTop + 18), red);
    EXPECT_NE(ReadPixel(control, roomLeft + 1, roomTop + 11), red);
}

TEST_F(MultiSelectWindow, SaysSoWhenThePictureCannotBeMade) {
    HWND control = Create(300, 100);
    // Rooms 60000 pixels high: two floors of ten rows need a picture of
    // 1.2 million rows, more than a bitmap may hold.
    SendMessageA(control, TSM_SETROOMSIZE, 1, MAKELPARAM(48, 60000));
    SendMessageA(control, TSM_BEGINUPDATE, 0, 0);
    AddFloorWithRooms(control, "A", 100);
    AddFloorWithRooms(control, "B", 100);
    SendMessageA(control, TSM_ENDUPDATE, 0, 0);
    ShowNow(host_->handle());
    RECT client;
    GetClientRect(control, &client);  // less the scroll bars
    EXPECT_TRUE(RowHasInk(control, client.bottom / 2, 20, client.right - 20)) << "CAN NOT CREATE MEM BITMAP...";
    EXPECT_EQ(ReadPixel(control, 20, 20), kWhite);
    Click(control, RoomPoint(kBuildingSpacing, 0));
    SendMessageA(control, WM_VSCROLL, SB_LINEDOWN, 0);
    ShowNow(host_->handle());
    EXPECT_EQ(SendMessageA(control, TSM_GETCHECK, 0, 0), 2) << "the building works on without pixels";
}

// Growing the window lowers the highest position; what was on screen came
// from the old one, so all of it must be painted again, not just the strip
// the system exposes (here none: the move asks for no redraw).
TEST_F(MultiSelectWindow, GrowingTheWindowRepaintsFromTheLoweredPosition) {
    HWND control = CreateTall(560, 150);
    SendMessageA(control, WM_VSCROLL, SB_BOTTOM, 0);
    ShowNow(host_->handle());
    SetWindowPos(control, nullptr, 0, 0, 560, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    const SCROLLINFO bar = Bar(control, SB_VERT);
    EXPECT_EQ(bar.nPos, bar.nMax - static_cast<int>(bar.nPage) + 1);
    RECT dirty = {};
    ASSERT_TRUE(GetUpdateRect(control, &dirty, FALSE));
    EXPECT_LE(dirty.top, kBorder);
    ShowNow(host_->handle());
    const int secondTop = kBuildingSpacing + FloorHeight(30) + kBuildingSpacing;
    EXPECT_EQ(ReadPixel(control, 500, secondTop - bar.nPos + kBorder + 3), kHeaderFill) << "floor B's header";
}

// Larger rooms need a taller picture and longer bars at once, not only when
// the next floor or room is added.
TEST_F(MultiSelectWindow, SizesChangedByMessageReachThePictureAndTheBars) {
    HWND control = Create(560, 200);
    CFloor* floor = AddFloorWithRooms(control, "A", 30);
    ShowNow(host_->handle());
    SendMessageA(control, TSM_SETROOMSIZE, 1, MAKELPARAM(kRoomWidth, 100));
    const int height = kHeader + kFloorSpacing + 3 * (kFloorSpacing + 100);
    EXPECT_EQ(Bar(control, SB_VERT).nMax, kBuildingSpacing + height + kBuildingSpacing);
    SendMessageA(control, WM_VSCROLL, SB_BOTTOM, 0);
    ShowNow(host_->handle());
    const int lastRoomBottom = kBuildingSpacing + height - kFloorSpacing;
    EXPECT_EQ(ReadPixel(control, 14, lastRoomBottom - GetScrollPos(control, SB_VERT) + kBorder - 10), kCheckedFill);

    // A floor's own room size moves its rooms apart.
    FloorInfo wide = {};
    wide.mask = TSF_CELLSIZE;
    wide.floor = floor;
    wide.cellWidth = 100;
    wide.cellHeight = kRoomHeight;
    SendMessageA(control, TSM_SETFLOORINFO, 0, reinterpret_cast<LPARAM>(&wide));
    SendMessageA(control, WM_VSCROLL, SB_TOP, 0);
    ShowNow(host_->handle());
    const int secondRoomLeft = kBuildingSpacing + kFloorSpacing + 100 + kFloorSpacing + kBorder;
    const int firstRow = kBuildingSpacing + kHeader + kFloorSpacing + kBorder + 3;
    EXPECT_EQ(ReadPixel(control, secondRoomLeft + 3, firstRow), kCheckedFill);
    EXPECT_EQ(ReadPixel(control, secondRoomLeft - 2, firstRow), kBodyFill) << "the gap before it";
}
