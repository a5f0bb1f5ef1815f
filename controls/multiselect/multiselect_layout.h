#pragma once
// Geometry of the building that needs no window system: heights, the parts of
// a floor's header, hit testing, scroll arithmetic, the mouse click rule and
// the fold animation. The window layer gathers client size, icon size and
// scroll bar state, calls these, and paints or invalidates what they return.
#include <cstdint>

#include "controls/multiselect/multiselect_elements.h"

// Expanded body height of a floor: its room rows, or two spacings when empty.
int32_t ExpandedBodyHeight(const CFloor& floor);
int32_t ExpandedFloorHeight(const CFloor& floor);
// Bottom of the last floor plus the building spacing: the scrolled extent.
int32_t ContentHeight(const CBuilding& building);
// Height with every floor expanded: the off-screen picture never needs to
// grow for a fold.
int32_t PictureHeight(const CBuilding& building);

// Icon size of an image list (ImageList_GetIconSize in the window layer).
using IconSizeQuery = ElementSize (*)(void* imageList);
// An icon shows when an image list is reachable and both indexes are set.
bool ShowsIcon(const CBaseEle& element);

struct FloorHeaderParts {
    ElementRect header;
    ElementRect glyph;
    ElementRect checkBox;
    ElementRect icon;  // empty (all zero) without an icon
    ElementRect label;  // what hit testing takes for the name
    int32_t textLeft;   // where the name is drawn: after the icon, else after the check box
    bool hasIcon;
};
// In content coordinates; label extent from the floor's last measured text.
FloorHeaderParts FloorHeaderGeometry(const CFloor& floor, IconSizeQuery iconSize);
ElementRect FloorRect(const CFloor& floor);

struct RoomFaceParts {
    ElementRect room;
    ElementRect icon;  // empty (all zero) without an icon
    ElementRect text;  // left-aligned after the icon; without one the whole room, centred
    bool hasIcon;
};
// Room at offset dx, dy (its floor's position).
RoomFaceParts RoomFaceGeometry(const CRoom& room, int dx, int dy, IconSizeQuery iconSize);
ElementRect FloorBodyRect(const CFloor& floor);
// Where a room painted on its own may draw: its rectangle within its floor's
// body below the header line, as the floor's paint clips it. False when
// none of it shows (its floor is folded, or it lies above the fold).
bool RoomVisibleRect(const CRoom& room, ElementRect& visible);

// Sizes that enter through records are cut to the 16-bit range the size
// messages carry, so the layout's sums of a few of them cannot overflow.
constexpr int32_t kMaxMessageSize = 0xFFFF;
int32_t ClampedMessageSize(int32_t size);
// Many rooms of the largest size would still overflow 32 bits: positions
// and heights are summed in 64 bits and stop here, low enough that a
// position plus a height plus a spacing stays within 32 bits. No picture
// that large can be made; the window says so.
constexpr int32_t kMaxContentExtent = 0x1FFFFFFF;
int32_t ClampedExtent(int64_t extent);

enum HitCode : int32_t {
    kHitNothing = 0,
    kHitGlyph = 1,
    kHitCheckBox = 2,
    kHitHeader = 3,
    kHitRoom = 4,
    kHitLabel = 5,
    kHitIcon = 6,
};
struct BuildingHit {
    int32_t code;
    CFloor* floor;
    CRoom* room;
};
// Point in content coordinates.
BuildingHit HitTestBuilding(const CBuilding& building, int x, int y, IconSizeQuery iconSize);

// Client point to content point: the border frame (style 0x08) is taken off
// before the scroll position is added, so hits match what is painted.
struct ContentPoint {
    int32_t x;
    int32_t y;
};
ContentPoint ContentPointFromClient(const CBuilding& building, int x, int y);
// Content rectangle to the window rectangle to invalidate.
ElementRect WindowRectFromContent(const CBuilding& building, const ElementRect& content);
// Client rectangle less the border frame when the style draws one.
ElementRect InnerClientRect(const CBuilding& building, const ElementRect& client);

// Scroll bar codes (the platform's SB_ values) and the "no movement" code keys
// without a meaning become.
enum ScrollCode : int32_t {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollTop = 6,
    kScrollBottom = 7,
    kScrollNone = 255,
};
constexpr int32_t kScrollLinePixels = 16;
constexpr int32_t kWheelDelta = 120;

// New position for a scroll code on a bar of range 0..max with the page.
int32_t ScrolledPosition(int32_t code, int32_t thumb, int32_t max, int32_t page, int32_t position);
// Position kept when the content or the page changes size: 0 when everything
// fits, else at most content - page + 1.
int32_t FittedScrollPosition(int32_t position, int32_t content, int32_t page);
// Scroll code of a virtual key (VK_PRIOR .. VK_DOWN).
int32_t ScrollCodeOfKey(uint32_t virtualKey);
// A wheel turn as a number of line steps in one direction.
struct WheelSteps {
    int32_t code;  // kScrollLineUp or kScrollLineDown
    int32_t count;
};
WheelSteps WheelScroll(int32_t delta);

// Mouse clicks act on release, on the target of the press only.
enum class ClickAction { None, ToggleFloor, ToggleRoom, Fold };
// Returns whether the window captures the mouse.
bool PressBuilding(CBuilding& building, const BuildingHit& hit);
// Always leaves no press pending, whatever the outcome.
ClickAction ReleaseBuilding(CBuilding& building, const BuildingHit& hit);

// Fold animation, one tick per timer message.
void StartFold(CBuilding& building, CFloor& floor);
struct FoldTick {
    bool ended;          // stop the timer, update the scroll bars, invalidate
    bool glyphFinished;  // at the end: repaint the glyph at its final frame
};
FoldTick AdvanceFold(CBuilding& building);
// Folds or opens a floor at once (the messages, not a click): the glyph takes
// its final frame, and a running fold of that floor ends, so its next tick
// reports the end. Returns whether the floor changed; the window lays out
// from the floor and repaints with background.
bool SetFloorFolded(CBuilding& building, CFloor& floor, bool collapsed);
// Forgets the fold and the press; the window kills its timer.
void StopInteraction(CBuilding& building);
