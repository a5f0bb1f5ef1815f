// A small host for the Tessella controls: loads the library by name, binds
// its exports by ordinal, and logs every notification the controls send.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <utility>

#include "controls/tessella.h"

namespace {

enum ChildId {
    kLeftPane = 601,
    kRightPane,
    kVerticalSlider,
    kHorizontalSlider,
    kLog,
    kFramedClock,
    kDisabledClock,
    kSmallClock,
    kRooms,
    kCheckAll,
    kInvertAll,
    kSaveRooms,
    kLoadRooms,
};

constexpr int kMargin = 10;
constexpr int kBarThickness = 6;
constexpr int kWorkWidth = 560;  // panes, sliders and log; the clocks sit to the right
constexpr int kMinPane = 40;
constexpr int kRoomsX = kMargin + kWorkWidth + 20;
constexpr int kRoomsTop = 390;
constexpr int kRoomsWidth = 560;
constexpr int kRoomsHeight = 300;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 26;
constexpr char kRoomSeparator = ',';

struct DemoLayout {
    int split = 260;       // width of the left pane
    int paneHeight = 240;  // height of both panes above the horizontal bar
};

DemoLayout g_layout;

HWND Child(HWND window, int id) { return GetDlgItem(window, id); }

void LogLine(HWND window, const char* text) {
    HWND log = Child(window, kLog);
    const LRESULT index = SendMessageA(log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(log, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Layout(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const int rightX = kMargin + g_layout.split + kBarThickness;
    const int rightWidth = kWorkWidth - g_layout.split - kBarThickness;
    MoveWindow(Child(window, kLeftPane), kMargin, kMargin, g_layout.split, g_layout.paneHeight, TRUE);
    MoveWindow(Child(window, kVerticalSlider), kMargin + g_layout.split, kMargin, kBarThickness, g_layout.paneHeight,
               TRUE);
    MoveWindow(Child(window, kRightPane), rightX, kMargin, rightWidth, g_layout.paneHeight, TRUE);
    const int barY = kMargin + g_layout.paneHeight;
    MoveWindow(Child(window, kHorizontalSlider), kMargin, barY, kWorkWidth, kBarThickness, TRUE);
    const int logY = barY + kBarThickness;
    const int logHeight = client.bottom - kMargin - logY;
    MoveWindow(Child(window, kLog), kMargin, logY, kWorkWidth, logHeight, TRUE);

    SendMessageA(Child(window, kVerticalSlider), VBSM_SETLIMITS, 3,
                 MAKELPARAM(rightWidth - kMinPane, g_layout.split - kMinPane));
    SendMessageA(Child(window, kHorizontalSlider), VBSM_SETLIMITS, 3,
                 MAKELPARAM(logHeight - kMinPane, g_layout.paneHeight - kMinPane));
}

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, int id, int x, int y, int w,
                 int h) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

CFloor* AddDemoFloor(HWND rooms, const char* name) {
    FloorInfo info = {};
    info.mask = TSF_NAME;
    std::snprintf(info.name, sizeof info.name, "%s", name);
    return reinterpret_cast<CFloor*>(SendMessageA(rooms, TSM_ADDFLOOR, 0, reinterpret_cast<LPARAM>(&info)));
}

void AddDemoRoom(HWND rooms, CFloor* floor, const char* name, int check) {
    RoomInfo info = {};
    info.mask = TSF_NAME | TSF_CHECK;
    info.floor = floor;
    info.check = check;
    std::snprintf(info.name, sizeof info.name, "%s", name);
    SendMessageA(rooms, TSM_ADDROOM, 0, reinterpret_cast<LPARAM>(&info));
}

// Two 16 x 16 icons drawn here: 0 a green disc (checked, or an open floor),
// 1 a grey ring (unchecked, or a folded floor). Magenta is the mask colour.
HIMAGELIST MakeDemoIcons() {
    constexpr int kIcon = 16;
    constexpr COLORREF kMaskColour = RGB(255, 0, 255);
    HIMAGELIST icons = ImageList_Create(kIcon, kIcon, ILC_COLOR24 | ILC_MASK, 2, 0);
    if (!icons) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, 2 * kIcon, kIcon);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, strip);
    const RECT all = {0, 0, 2 * kIcon, kIcon};
    HBRUSH mask = CreateSolidBrush(kMaskColour);
    FillRect(dc, &all, mask);
    DeleteObject(mask);
    HBRUSH green = CreateSolidBrush(RGB(22, 163, 74));
    HPEN ink = CreatePen(PS_SOLID, 2, RGB(60, 60, 60));
    HGDIOBJ oldBrush = SelectObject(dc, green);
    HGDIOBJ oldPen = SelectObject(dc, ink);
    Ellipse(dc, 2, 2, 14, 14);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, kIcon + 3, 3, kIcon + 13, 13);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(ink);
    DeleteObject(green);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    ImageList_AddMasked(icons, strip, kMaskColour);
    DeleteObject(strip);
    return icons;
}

// Several floors: a small one, one with Chinese names (GBK, code page 936),
// an empty one and one long enough to scroll.
void FillBuilding(HWND rooms) {
    SendMessageA(rooms, TSM_BEGINUPDATE, 0, 0);
    CFloor* lobby = AddDemoFloor(rooms, "Lobby");
    for (const char* name : {"Desk", "Hall", "Cafe", "Shop", "Lift"}) AddDemoRoom(rooms, lobby, name, name[0] != 'C');
    // The lobby shows icons: wider rooms, and images for both states.
    FloorInfo wide = {};
    wide.mask = TSF_CELLSIZE | TSF_IMAGES;
    wide.floor = lobby;
    wide.cellWidth = 72;
    wide.cellHeight = 22;
    wide.expandedImage = 0;
    wide.collapsedImage = 1;
    SendMessageA(rooms, TSM_SETFLOORINFO, 0, reinterpret_cast<LPARAM>(&wide));
    for (int i = 0; i < 5; ++i) {
        FindRequest find = {reinterpret_cast<CBaseEle*>(lobby), 1, i, nullptr};
        RoomInfo images = {};
        images.mask = TSF_IMAGES;
        images.room = reinterpret_cast<CRoom*>(SendMessageA(rooms, TSM_FINDROOM, 0, reinterpret_cast<LPARAM>(&find)));
        images.checkedImage = 0;
        images.uncheckedImage = 1;
        SendMessageA(rooms, TSM_SETROOMINFO, 0, reinterpret_cast<LPARAM>(&images));
    }
    CFloor* chinese = AddDemoFloor(rooms, "\xD2\xBB\xC2\xA5 (first floor)");
    for (const char* name : {"\xBF\xCD\xCC\xFC", "\xCE\xD4\xCA\xD2", "\xB3\xF8\xB7\xBF", "\xCA\xE9\xB7\xBF"}) {
        AddDemoRoom(rooms, chinese, name, 1);
    }
    AddDemoFloor(rooms, "Empty floor");
    CFloor* store = AddDemoFloor(rooms, "Store rooms");
    char name[16];
    for (int i = 1; i <= 46; ++i) {
        std::snprintf(name, sizeof name, "S%02d", i);
        AddDemoRoom(rooms, store, name, i % 3 != 0);
    }
    SendMessageA(rooms, TSM_ENDUPDATE, 0, 0);
}

void CreateBuilding(HWND window) {
    int x = kRoomsX;
    const int buttonY = kRoomsTop - kButtonHeight - 6;
    for (const auto& [id, text] : {std::pair{kCheckAll, "Check all"}, std::pair{kInvertAll, "Invert all"},
                                   std::pair{kSaveRooms, "Save rooms"}, std::pair{kLoadRooms, "Load rooms"}}) {
        CreateChild(window, "BUTTON", text, BS_PUSHBUTTON | WS_TABSTOP, id, x, buttonY, kButtonWidth, kButtonHeight);
        x += kButtonWidth + 8;
    }
    HWND rooms = CreateChild(window, TESSELLA_CLASS_A, "", WS_TABSTOP, kRooms, kRoomsX, kRoomsTop, kRoomsWidth,
                             kRoomsHeight);
    // The stock font belongs to the system: the control must never delete it.
    SendMessageA(rooms, TSM_MODIFYSTYLE, MAKEWPARAM(0, 1), TSS_SHAREDFONT);
    SendMessageA(rooms, TSM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    SendMessageA(rooms, TSM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(MakeDemoIcons()));
    FillBuilding(rooms);
    // Every added room reported a selection change: the log starts after them.
    SendMessageA(Child(window, kLog), LB_RESETCONTENT, 0, 0);
}

// The text file of the rooms lives in the temporary folder.
std::string RoomsFilePath() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) return "tessella-demo-rooms.txt";
    return std::string(folder) + "tessella-demo-rooms.txt";
}

void SaveOrLoadRooms(HWND window, UINT message) {
    std::string path = RoomsFilePath();
    TextRequest request = {};
    request.text = path.data();
    request.separator = kRoomSeparator;
    const LRESULT done = SendMessageA(Child(window, kRooms), message, 1, reinterpret_cast<LPARAM>(&request));
    char line[MAX_PATH + 48];
    std::snprintf(line, sizeof line, "%s %s: %s", message == TSM_SAVEFILE ? "saved" : "loaded", path.c_str(),
                  done ? "ok" : "failed");
    LogLine(window, line);
}

void OnCommand(HWND window, int id) {
    HWND rooms = Child(window, kRooms);
    switch (id) {
    case kCheckAll:
        SendMessageA(rooms, TSM_CHECKALL, MAKEWPARAM(1, 1), 0);
        break;
    case kInvertAll:
        SendMessageA(rooms, TSM_INVERTALL, 1, 0);
        break;
    case kSaveRooms:
        SaveOrLoadRooms(window, TSM_SAVEFILE);
        break;
    case kLoadRooms:
        SaveOrLoadRooms(window, TSM_LOADFILE);
        break;
    }
}

void CreateChildren(HWND window) {
    CreateChild(window, "EDIT", "Left pane: drag the bar to the right.", WS_BORDER | ES_MULTILINE, kLeftPane, 0, 0, 0,
                0);
    CreateChild(window, "EDIT", "Right pane.", WS_BORDER | ES_MULTILINE, kRightPane, 0, 0, 0, 0);
    CreateChild(window, VBSLIDER_CLASS_A, "", WS_TABSTOP, kVerticalSlider, 0, 0, 0, 0);
    HWND horizontal = CreateChild(window, VBSLIDER_CLASS_A, "", WS_TABSTOP, kHorizontalSlider, 0, 0, 0, 0);
    SendMessageA(horizontal, VBSM_SETORIENTATION, 1, 0);
    CreateChild(window, "LISTBOX", "", WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, kLog, 0, 0, 0, 0);

    const int clockX = kMargin + kWorkWidth + 20;
    HWND framed = CreateChild(window, CLOCK_CLASS_A, "", 0, kFramedClock, clockX, kMargin, 200, 200);
    SendMessageA(framed, CLKM_MODIFYFLAGS, MAKEWPARAM(1, 1), CLKF_FRAME);
    CreateChild(window, CLOCK_CLASS_A, "", WS_DISABLED, kDisabledClock, clockX + 210, kMargin, 150, 150);
    HWND small = CreateChild(window, CLOCK_CLASS_A, "", 0, kSmallClock, clockX, kMargin + 220, 110, 110);
    ClockTime quarterPast = {10, 15};
    SendMessageA(small, CLKM_SETTIME, 1, reinterpret_cast<LPARAM>(&quarterPast));
    CreateBuilding(window);
    Layout(window);
}

void OnNotify(HWND window, const NMHDR* header) {
    char line[96];
    switch (header->idFrom) {
    case kVerticalSlider:
    case kHorizontalSlider: {
        const LONG delta = reinterpret_cast<const NMVBSLIDER*>(header)->delta;
        std::snprintf(line, sizeof line, "slider %u: code %u, delta %ld", static_cast<unsigned>(header->idFrom),
                      header->code, static_cast<long>(delta));
        if (header->idFrom == kVerticalSlider) {
            g_layout.split += delta;
        } else {
            g_layout.paneHeight += delta;
        }
        Layout(window);
        break;
    }
    case kFramedClock:
    case kDisabledClock:
    case kSmallClock: {
        const NMCLOCKTIME* time = reinterpret_cast<const NMCLOCKTIME*>(header);
        std::snprintf(line, sizeof line, "clock %u: code %u, time %02u:%02u", static_cast<unsigned>(header->idFrom),
                      header->code, time->hour, time->minute);
        break;
    }
    case kRooms: {
        const CheckNotify* check = reinterpret_cast<const CheckNotify*>(header);
        std::snprintf(line, sizeof line, "rooms: %s, floor %p, building %d -> %d",
                      header->code == TSN_CHECKCHANGED ? "TSN_CHECKCHANGED" : "TSN_SELCHANGED",
                      static_cast<const void*>(check->element), check->oldState, check->newState);
        break;
    }
    default:
        return;
    }
    LogLine(window, line);
}

bool OnSetCursor(HWND target) {
    const int id = GetDlgCtrlID(target);
    if (id != kVerticalSlider && id != kHorizontalSlider) return false;
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(id == kVerticalSlider ? IDC_SIZEWE : IDC_SIZENS)));
    return true;
}

LRESULT CALLBACK DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateChildren(window);
        return 0;
    case WM_SIZE:
        if (Child(window, kLog)) Layout(window);
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        OnNotify(window, reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool LoadTessella() {
    HMODULE library = LoadLibraryA("Tessella.dll");
    if (!library) return false;
    auto registerTessella =
        reinterpret_cast<RegisterTessellaProc>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(1))));
    auto registerSliders =
        reinterpret_cast<RegisterSlidersProc>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(2))));
    if (!registerTessella || !registerSliders) return false;
    registerTessella();
    registerSliders();
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (!LoadTessella()) {
        MessageBoxA(nullptr, "Tessella.dll could not be loaded.", "Tessella demo", MB_ICONERROR);
        return 1;
    }
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DemoWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TessellaDemo";
    if (!RegisterClassExA(&wc)) return 1;
    HWND window = CreateWindowExA(0, "TessellaDemo", "Tessella demo", WS_OVERLAPPEDWINDOW, 0, 0, 1180, 740, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
