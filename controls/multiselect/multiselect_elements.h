#pragma once
// The multi-select control's element tree: a building of floors holding rooms,
// with the check states that flow from rooms up to the building. Plain data
// and integer geometry; window handles are opaque pointers here, and all that
// needs the window system goes through BuildingHost.
#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

#include "controls/multiselect/multiselect_names.h"
#include "controls/tessella_codes.h"

class CBaseEle;
class CFloor;
class CRoom;

// Same member order as the platform's RECT and SIZE, so the window layer
// converts field by field.
struct ElementRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
struct ElementSize {
    int32_t cx;
    int32_t cy;
};

enum ElementKind : int32_t { kBuildingKind = 0, kRoomKind = 1, kFloorKind = 2 };
enum CheckState : int32_t { kUnchecked = 0, kChecked = 1, kMixed = 2 };

// Style bits are the host's TSS_ flags; notice codes its TSN_ codes.
enum class BuildingNoticeCode : int32_t { CheckChanged = TSN_CHECKCHANGED, SelectionChanged = TSN_SELCHANGED };
struct BuildingNotice {
    BuildingNoticeCode code;
    CBaseEle* element;  // the floor concerned, or null
    int32_t oldState;   // building state before and after
    int32_t newState;
};

// What the building needs from its window. Every call happens on the window's
// thread from inside the operation that caused it.
class BuildingHost {
public:
    // Sends the notice to the parent window (WM_NOTIFY). The building calls it
    // only while notices are enabled and marks itself as notifying meanwhile,
    // so clear and load refuse to free the elements the sender still uses.
    virtual void SendNotice(const BuildingNotice& notice) = 0;
    // A room click changed its floor's state: repaint that check box in the
    // picture and invalidate it.
    virtual void RepaintCheckBox(CFloor& floor) = 0;
    // A floor was added and laid out while updates run: make sure the picture
    // is large enough, update the scroll bars with redraw, repaint, invalidate.
    virtual void FloorAdded() = 0;
    // Every element was destroyed: stop the fold animation's timer.
    virtual void TreeCleared() = 0;
    // A replaced image list or font that this control owns.
    virtual void ReleaseImageList(void* imageList) = 0;
    virtual void ReleaseFont(void* font) = 0;
    // Painting of one element into dc; clip may be null.
    virtual void PaintFloor(CFloor& floor, void* dc, const ElementRect* clip) = 0;
    virtual void PaintRoom(CRoom& room, void* dc, const ElementRect* clip, int dx, int dy) = 0;

protected:
    ~BuildingHost() = default;
};

class CBaseEle {
public:
    CBaseEle(const CBaseEle&) = delete;
    CBaseEle& operator=(const CBaseEle&) = delete;

    // Virtual operations in their table order.
    virtual unsigned GetName(char* buffer, unsigned size) const;
    virtual unsigned GetNameLength() const;
    virtual int32_t SetUserData(int32_t value);
    virtual int32_t SetSpacing(int32_t spacing);
    virtual void PaintAt(void* dc, const ElementRect* clip, int dx, int dy);
    virtual void Paint(void* dc, const ElementRect* clip);
    virtual void Offset(int dx, int dy);
    // Rooms: (repaintHint, notify); floors: (notify, repaintHint).
    virtual int32_t ToggleCheck(int first, int second);
    virtual void GetRect(ElementRect* rect) const;
    virtual bool HitTest(int x, int y) const;
    virtual void SetX(int x);
    virtual void SetY(int y);
    virtual void SetWidth(int width);
    virtual void SetHeight(int height);
    virtual void SetPos(int x, int y);
    virtual void SetSize(int width, int height);
    virtual void SetCellSize(int width, int height);
    virtual void Grow(int dw, int dh);
    virtual int32_t SetColumns(int columns);
    virtual int32_t SetCheck(int32_t state, int notify, int repaintHint);
    virtual CBaseEle* SetParent(CBaseEle* parent);
    // Same handle again: nothing is destroyed and the handle is returned.
    // Otherwise the old handle is returned when not owned (style 0x02), or
    // released through the host and null returned.
    virtual void* SetImageList(void* imageList);
    virtual void SetImages(int32_t a, int32_t b);
    virtual void* SetFont(void* font);  // as SetImageList, with style 0x04
    virtual uint32_t SetStyle(uint32_t style, int redraw);
    virtual uint32_t ModifyStyle(uint32_t mask, int set, int redraw);
    // Takes ownership of child when it returns it; on null the caller keeps it.
    virtual CBaseEle* AddChild(CBaseEle* child, int keepPosition, int notify);
    virtual CBaseEle* AddChildByName(const char* name, int keepPosition, int notify);
    virtual void Layout();
    virtual int CompareName(const char* name) const;
    virtual int32_t GetColumns() const;
    virtual int32_t GetX() const;
    virtual int32_t GetY() const;
    virtual int32_t GetWidth() const;
    virtual int32_t GetHeight() const;
    virtual int32_t GetRight() const;
    virtual int32_t GetBottom() const;
    virtual int32_t GetCenterX() const;
    virtual int32_t GetCenterY() const;
    virtual int32_t GetCheck() const;
    virtual int32_t GetUserData() const;
    virtual CBaseEle* GetParent() const;
    virtual int32_t GetSpacing() const;
    virtual int32_t GetCellWidth() const;
    virtual int32_t GetCellHeight() const;
    virtual void* GetImageList() const;
    virtual int32_t GetImageA() const;
    virtual int32_t GetImageB() const;
    virtual int32_t GetChildCount() const;
    virtual void* GetFont() const;
    virtual uint32_t GetStyle() const;
    virtual char GetCheckChar() const;
    // 'C' checks, 'U' unchecks, the value 2 mixes; anything else changes nothing.
    virtual int32_t SetCheckChar(char letter, int notify, int repaintHint);
    virtual void OnChildCheckChanged(CBaseEle* child, int32_t oldState, int32_t newState, int repaintHint);
    virtual void NotifyChanged();

    // Not in the table: the name setter and the building at the root.
    void SetName(const char* name);
    const char* Name() const { return m_name; }
    class CBuilding* Root() const;

    int32_t m_type;
    char m_name[kElementNameBytes] = {};
    int32_t m_x = 8;
    int32_t m_y = 8;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_spacing = 8;
    int32_t m_check = kChecked;
    CBaseEle* m_parent = nullptr;
    int32_t m_cellWidth = 0;
    int32_t m_cellHeight = 0;
    void* m_imageList = nullptr;
    int32_t m_imageA = -1;
    int32_t m_imageB = -1;
    void* m_font = nullptr;
    uint32_t m_style = 0;
    int32_t m_userData = 0;
    int32_t m_checkedCount = 0;
    int32_t m_childCount = 0;

protected:
    explicit CBaseEle(int32_t type) : m_type(type) {}
    // Containers delete children as their concrete class.
    ~CBaseEle() = default;

    // Where names are cut: the building's table; single-byte before the
    // element belongs to one.
    const LeadByteTable& LeadBytes() const;
    BuildingHost* Host() const;

private:
    void* ReplaceHandle(void*& slot, void* handle, uint32_t sharedStyle, void (BuildingHost::*release)(void*));
};

// Derived states: 0 when none, 1 when all, else mixed.
int32_t StateOfCount(int32_t part, int32_t whole);
// Weight of a floor in the building's sum.
int32_t CheckWeight(int32_t state);

class CRoom final : public CBaseEle {
public:
    CRoom();
    CRoom(const char* name, const LeadByteTable& leadBytes);

    void PaintAt(void* dc, const ElementRect* clip, int dx, int dy) override;
    void Paint(void* dc, const ElementRect* clip) override;
    void GetRect(ElementRect* rect) const override;  // building coordinates
    // Rooms hold only 0 or 1: any non-zero state checks, so counts stay true.
    int32_t SetCheck(int32_t state, int notify, int repaintHint) override;
    virtual void GetRectAt(ElementRect* rect, int dx, int dy) const;

    uint32_t m_checkedFill = 0x0080C8FF;  // RGB(255,200,128)
    uint32_t m_normalFill = 0x00F0F0F0;
    uint32_t m_checkedText = 0;
    uint32_t m_normalText = 0x00808080;
};

class CFloor final : public CBaseEle {
public:
    CFloor();
    CFloor(const char* name, const LeadByteTable& leadBytes);

    void Paint(void* dc, const ElementRect* clip) override;
    int32_t ToggleCheck(int notify, int repaintHint) override;
    void SetCellSize(int width, int height) override;
    void Grow(int dw, int dh) override;
    int32_t SetColumns(int columns) override;
    CBaseEle* AddChild(CBaseEle* child, int keepPosition, int notify) override;
    CBaseEle* AddChildByName(const char* name, int keepPosition, int notify) override;
    void Layout() override;
    int32_t GetChildCount() const override;
    void OnChildCheckChanged(CBaseEle* child, int32_t oldState, int32_t newState, int repaintHint) override;

    // Every room to one state / every room flipped, reported as one change.
    void SetAllRooms(int32_t state, int notify);
    void InvertAllRooms(int notify);

    std::vector<std::unique_ptr<CRoom>> m_rooms;
    int32_t m_collapsed = 0;
    int32_t m_glyphFrame = 6;
    int32_t m_glyphFrames = 7;
    ElementSize m_textSize = {0, 0};  // measured by the last paint
    int32_t m_headerHeight = 24;
    int32_t m_glyphSize = 16;
    int32_t m_checkSize = 14;
    void* m_glyphDC = nullptr;
    uint32_t m_headerColor = 0x00804000;  // RGB(0,64,128)
    uint32_t m_bodyColor = 0x00DCDCDC;
    uint32_t m_headerTextColor = 0x00C0C0C0;
    uint32_t m_roomColor = 0x0080C8FF;

private:
    void ReportStateChange(int32_t oldState, int notify, int repaintHint);
};

class CBuilding final : public CBaseEle {
public:
    explicit CBuilding(const LeadByteTable& leadBytes = LeadByteTable{});
    ~CBuilding();

    CBaseEle* AddChild(CBaseEle* child, int keepPosition, int notify) override;
    CBaseEle* AddChildByName(const char* name, int keepPosition, int notify) override;
    void Layout() override;
    int32_t GetChildCount() const override;
    void OnChildCheckChanged(CBaseEle* child, int32_t oldState, int32_t newState, int repaintHint) override;
    void NotifyChanged() override;
    virtual void RelayoutFrom(CFloor* floor);

    // Destroys every floor. Refused (false, nothing changed) while a notice is
    // being sent: the sender still holds the elements.
    bool Clear();
    bool IsNotifying() const { return m_noticeDepth > 0; }
    // All floors to one state, or all inverted, with one pair of notices.
    void CheckAllFloors(int32_t state);
    void InvertAllFloors();
    int32_t TotalRooms() const;
    // Whether a handle names one of this building's floors or rooms, in
    // constant time. The address is looked up before anything is read, so a
    // handle from before a clear or a load, or from another control, is
    // refused without touching freed memory.
    bool HoldsFloor(const CBaseEle* floor) const;
    bool HoldsRoom(const CBaseEle* room) const;
    // Registers an element that joins this building (a room, or a floor with
    // its rooms); false when memory ran out, with nothing registered.
    bool Admit(const CBaseEle& element);
    // Gives target what this building gives the floors and rooms added to
    // it: a load fills such a building aside before it replaces the floors.
    void CopyChildDefaultsTo(CBuilding& target) const;
    // Takes every floor of source, which is left empty. This building must
    // have been cleared; its font, image list and window state stay.
    void AdoptFloors(CBuilding& source) noexcept;
    // Sends a notice when enabled and a host is attached.
    void Notify(BuildingNoticeCode code, CBaseEle* element, int32_t oldState, int32_t newState);
    // Whether destroying the building must also release these.
    bool OwnsImageList() const { return (m_style & TSS_SHAREDIMAGELIST) == 0; }
    bool OwnsFont() const { return (m_style & TSS_SHAREDFONT) == 0; }

    std::vector<std::unique_ptr<CFloor>> m_floors;
    int32_t m_roomWidth = 48;
    int32_t m_roomHeight = 22;
    int32_t m_floorSpacing = 4;
    uint32_t m_floorHeaderColor = 0x00804000;
    uint32_t m_floorBodyColor = 0x00DCDCDC;
    uint32_t m_floorTextColor = 0x00C0C0C0;
    uint32_t m_roomColor = 0x0080C8FF;
    uint32_t m_backColor = 0x00FFFFFF;
    int32_t m_enabled = 1;
    int32_t m_glyphFrames = 7;
    int32_t m_glyphSize = 16;
    int32_t m_tick = 0;
    int32_t m_glyphAnimating = 0;
    int32_t m_memWidth = -1;  // size of the window's off-screen picture
    int32_t m_memHeight = -1;
    int32_t m_scrollX = 0;
    int32_t m_scrollY = 0;
    CFloor* m_pressedFloor = nullptr;  // also the floor being animated
    CRoom* m_pressedRoom = nullptr;
    int32_t m_pressedHit = 0;
    int32_t m_animating = 0;
    int32_t m_animStep = 8;
    ElementRect m_animRect = {0, 0, 0, 0};
    int32_t m_suspended = 0;
    int32_t m_notify = 1;
    int32_t m_checkSum = 0;
    int32_t m_checkMax = 0;
    // Window handles, the picture's DC and bitmaps, the timer and the scroll
    // message belong to the window's own state; it attaches itself here.
    BuildingHost* m_host = nullptr;
    LeadByteTable m_leadBytes;
    int32_t m_noticeDepth = 0;

private:
    bool HoldsKind(const CBaseEle* element, int32_t kind) const;

    std::unordered_set<const CBaseEle*> m_live;  // every floor and room held

    // Weights from the floors' states, for a layout after bulk changes.
    void RecountState();
};
