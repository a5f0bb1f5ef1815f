#include "controls/multiselect/multiselect_elements.h"

#include <algorithm>
#include <cstring>
#include <utility>

int32_t StateOfCount(int32_t part, int32_t whole) {
    if (part == 0) {
        return kUnchecked;
    }
    return part == whole ? kChecked : kMixed;
}

int32_t CheckWeight(int32_t state) {
    switch (state) {
    case kUnchecked:
        return 0;
    case kChecked:
        return 2;
    default:
        return 1;
    }
}

unsigned CBaseEle::GetName(char* buffer, unsigned size) const {
    // Never past the caller's size: the terminator goes inside the buffer.
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    return static_cast<unsigned>(CopyNameCut(buffer, m_name, size - 1, LeadBytes()));
}

unsigned CBaseEle::GetNameLength() const { return static_cast<unsigned>(std::strlen(m_name)); }

int32_t CBaseEle::SetUserData(int32_t value) { return std::exchange(m_userData, value); }

int32_t CBaseEle::SetSpacing(int32_t spacing) { return std::exchange(m_spacing, spacing); }

void CBaseEle::PaintAt(void*, const ElementRect*, int, int) {}

void CBaseEle::Paint(void*, const ElementRect*) {}

void CBaseEle::Offset(int dx, int dy) {
    m_x += dx;
    m_y += dy;
}

int32_t CBaseEle::ToggleCheck(int repaintHint, int notify) {
    return SetCheck(m_check == kChecked ? kUnchecked : kChecked, notify, repaintHint);
}

void CBaseEle::GetRect(ElementRect* rect) const { *rect = {m_x, m_y, m_x + m_width, m_y + m_height}; }

bool CBaseEle::HitTest(int x, int y) const {
    return x >= m_x && x < m_x + m_width && y >= m_y && y < m_y + m_height;
}

void CBaseEle::SetX(int x) { m_x = x; }
void CBaseEle::SetY(int y) { m_y = y; }
void CBaseEle::SetWidth(int width) { m_width = width; }
void CBaseEle::SetHeight(int height) { m_height = height; }

void CBaseEle::SetPos(int x, int y) {
    m_x = x;
    m_y = y;
}

void CBaseEle::SetSize(int width, int height) {
    m_width = width;
    m_height = height;
}

void CBaseEle::SetCellSize(int width, int height) {
    m_cellWidth = width;
    m_cellHeight = height;
}

void CBaseEle::Grow(int dw, int dh) {
    m_width += dw;
    m_height += dh;
}

int32_t CBaseEle::SetColumns(int columns) {
    const int32_t old = m_width;
    m_width = m_spacing + columns * (m_spacing + m_cellWidth);
    return old;
}

int32_t CBaseEle::SetCheck(int32_t state, int notify, int repaintHint) {
    const int32_t old = m_check;
    if (state == old) {
        return old;
    }
    m_check = state;
    if (notify != 0 && m_parent != nullptr) {
        m_parent->OnChildCheckChanged(this, old, state, repaintHint);
        m_parent->NotifyChanged();
    }
    return old;
}

CBaseEle* CBaseEle::SetParent(CBaseEle* parent) { return std::exchange(m_parent, parent); }

void* CBaseEle::SetImageList(void* imageList) {
    return ReplaceHandle(m_imageList, imageList, TSS_SHAREDIMAGELIST, &BuildingHost::ReleaseImageList);
}

void CBaseEle::SetImages(int32_t a, int32_t b) {
    m_imageA = a;
    m_imageB = b;
}

void* CBaseEle::SetFont(void* font) {
    return ReplaceHandle(m_font, font, TSS_SHAREDFONT, &BuildingHost::ReleaseFont);
}

void* CBaseEle::ReplaceHandle(void*& slot, void* handle, uint32_t sharedStyle, void (BuildingHost::*release)(void*)) {
    void* old = slot;
    if (handle == old) {
        return old;  // releasing it would leave the element drawing with a dead handle
    }
    slot = handle;
    if ((GetStyle() & sharedStyle) != 0) {
        return old;
    }
    if (old != nullptr && Host() != nullptr) {
        (Host()->*release)(old);
    }
    return nullptr;
}

uint32_t CBaseEle::SetStyle(uint32_t style, int) { return std::exchange(m_style, style); }

uint32_t CBaseEle::ModifyStyle(uint32_t mask, int set, int) {
    const uint32_t old = m_style;
    m_style = set != 0 ? (old | mask) : (old & ~mask);
    return mask & old;
}

CBaseEle* CBaseEle::AddChild(CBaseEle*, int, int) { return nullptr; }
CBaseEle* CBaseEle::AddChildByName(const char*, int, int) { return nullptr; }
void CBaseEle::Layout() {}

int CBaseEle::CompareName(const char* name) const {
    if (name == nullptr) {
        return 1;
    }
    // Byte order, as the platform compares multibyte strings of one code page.
    return std::strcmp(m_name, name);
}

int32_t CBaseEle::GetColumns() const {
    const int32_t pitch = m_spacing + m_cellWidth;
    if (pitch <= 0) {
        return 1;  // sizes from messages may be anything; never divide by them unchecked
    }
    return std::max<int32_t>(1, (m_width - m_spacing) / pitch);
}

int32_t CBaseEle::GetX() const { return m_x; }
int32_t CBaseEle::GetY() const { return m_y; }
int32_t CBaseEle::GetWidth() const { return m_width; }
int32_t CBaseEle::GetHeight() const { return m_height; }
int32_t CBaseEle::GetRight() const { return m_x + m_width; }
int32_t CBaseEle::GetBottom() const { return m_y + m_height; }
int32_t CBaseEle::GetCenterX() const { return m_x + (m_width >> 1); }
int32_t CBaseEle::GetCenterY() const { return m_y + (m_height >> 1); }
int32_t CBaseEle::GetCheck() const { return m_check; }
int32_t CBaseEle::GetUserData() const { return m_userData; }
CBaseEle* CBaseEle::GetParent() const { return m_parent; }
int32_t CBaseEle::GetSpacing() const { return m_spacing; }
int32_t CBaseEle::GetCellWidth() const { return m_cellWidth; }
int32_t CBaseEle::GetCellHeight() const { return m_cellHeight; }

void* CBaseEle::GetImageList() const {
    if (m_imageList != nullptr) {
        return m_imageList;
    }
    return m_parent != nullptr ? m_parent->GetImageList() : nullptr;
}

int32_t CBaseEle::GetImageA() const { return m_imageA; }
int32_t CBaseEle::GetImageB() const { return m_imageB; }
int32_t CBaseEle::GetChildCount() const { return 0; }

void* CBaseEle::GetFont() const {
    if (m_font != nullptr) {
        return m_font;
    }
    return m_parent != nullptr ? m_parent->GetFont() : nullptr;
}

uint32_t CBaseEle::GetStyle() const {
    if (m_style != 0) {
        return m_style;
    }
    return m_parent != nullptr ? m_parent->GetStyle() : 0;
}

char CBaseEle::GetCheckChar() const {
    switch (m_check) {
    case kUnchecked:
        return 'U';
    case kChecked:
        return 'C';
    default:
        return 'M';
    }
}

int32_t CBaseEle::SetCheckChar(char letter, int notify, int repaintHint) {
    switch (letter) {
    case 'C':
        return SetCheck(kChecked, notify, repaintHint);
    case 'U':
        return SetCheck(kUnchecked, notify, repaintHint);
    case kMixed:
        return SetCheck(kMixed, notify, repaintHint);
    default:
        return m_check;
    }
}

void CBaseEle::OnChildCheckChanged(CBaseEle*, int32_t, int32_t, int) {}

void CBaseEle::NotifyChanged() {
    if (m_parent != nullptr) {
        m_parent->NotifyChanged();
    }
}

void CBaseEle::SetName(const char* name) { CopyNameCut(m_name, name != nullptr ? name : "", kElementNameMaxBytes, LeadBytes()); }

CBuilding* CBaseEle::Root() const {
    const CBaseEle* element = this;
    while (element->m_parent != nullptr) {
        element = element->m_parent;
    }
    if (element->m_type != kBuildingKind) {
        return nullptr;
    }
    return static_cast<CBuilding*>(const_cast<CBaseEle*>(element));
}

const LeadByteTable& CBaseEle::LeadBytes() const {
    static const LeadByteTable singleByte;
    const CBuilding* root = Root();
    return root != nullptr ? root->m_leadBytes : singleByte;
}

BuildingHost* CBaseEle::Host() const {
    const CBuilding* root = Root();
    return root != nullptr ? root->m_host : nullptr;
}

// ---- CRoom ----

CRoom::CRoom() : CBaseEle(kRoomKind) { m_spacing = 4; }

CRoom::CRoom(const char* name, const LeadByteTable& leadBytes) : CRoom() {
    CopyNameCut(m_name, name != nullptr ? name : "", kElementNameMaxBytes, leadBytes);
}

void CRoom::PaintAt(void* dc, const ElementRect* clip, int dx, int dy) {
    if (Host() != nullptr) {
        Host()->PaintRoom(*this, dc, clip, dx, dy);
    }
}

void CRoom::Paint(void* dc, const ElementRect* clip) {
    PaintAt(dc, clip, m_parent != nullptr ? m_parent->GetX() : 0, m_parent != nullptr ? m_parent->GetY() : 0);
}

void CRoom::GetRect(ElementRect* rect) const {
    GetRectAt(rect, m_parent != nullptr ? m_parent->GetX() : 0, m_parent != nullptr ? m_parent->GetY() : 0);
}

int32_t CRoom::SetCheck(int32_t state, int notify, int repaintHint) {
    return CBaseEle::SetCheck(state != kUnchecked ? kChecked : kUnchecked, notify, repaintHint);
}

void CRoom::GetRectAt(ElementRect* rect, int dx, int dy) const {
    *rect = {m_x + dx, m_y + dy, m_x + dx + m_width, m_y + dy + m_height};
}

