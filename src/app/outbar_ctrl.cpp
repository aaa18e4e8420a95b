#include "app/outbar_ctrl.h"

#include <algorithm>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/utils.h>

wxDEFINE_EVENT(EVT_OUTBAR_NOTIFY, wxNotifyEvent);

namespace {

constexpr int kMargin = 5;        // items from the left and top of the item area
constexpr int kLargeLabelGap = 3; // icon to label, large icons
constexpr int kSmallLabelGap = 4; // icon to label, small icons
constexpr int kLargeItemGap = 8;  // between items, large icons
constexpr int kSmallItemGap = 10; // between items, small icons
constexpr int kScrollPeriodMs = 300;

// Breaks a label into lines no wider than width, between characters (labels are
// Chinese words without blanks).
std::vector<wxString> WrapLabel(const wxDC& dc, const wxString& text, int width) {
    std::vector<wxString> lines;
    wxString line;
    for (wxUniChar ch : text) {
        wxString next = line + ch;
        if (!line.empty() && dc.GetTextExtent(next).x > width) {
            lines.push_back(line);
            line = ch;
        } else {
            line = next;
        }
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
}

void DrawFrame(wxDC& dc, const wxRect& rect, const wxColour& topLeft, const wxColour& bottomRight) {
    dc.SetPen(wxPen(topLeft));
    dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetLeft(), rect.GetTop());
    dc.DrawLine(rect.GetLeft(), rect.GetTop(), rect.GetRight(), rect.GetTop());
    dc.SetPen(wxPen(bottomRight));
    dc.DrawLine(rect.GetRight(), rect.GetTop(), rect.GetRight(), rect.GetBottom());
    dc.DrawLine(rect.GetRight(), rect.GetBottom(), rect.GetLeft() - 1, rect.GetBottom());
}

} // namespace

CGfxOutBarCtrl::CGfxOutBarCtrl() {
    // The bar keeps the dark desktop-like ground of its kind with light labels; the
    // desktop colour means nothing on this platform, so it is fixed here.
    m_crBackground = wxColour(58, 110, 165);
    m_crLine = m_crBackground;
    m_crText = *wxWHITE;
    m_crFace = wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE);
    m_crHighlight = wxSystemSettings::GetColour(wxSYS_COLOUR_3DHIGHLIGHT);
    m_crShadow = wxSystemSettings::GetColour(wxSYS_COLOUR_3DDKSHADOW);
}

CGfxOutBarCtrl::~CGfxOutBarCtrl() {
    m_scrollTimer.Stop();
    m_selTimer.Stop();
}

bool CGfxOutBarCtrl::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                            long flags) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (!wxControl::Create(parent, id, pos, size, wxBORDER_STATIC | wxFULL_REPAINT_ON_RESIZE))
        return false;
    m_dwFlags = flags;
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    m_scrollTimer.SetOwner(this);
    m_selTimer.SetOwner(this);
    Bind(wxEVT_PAINT, &CGfxOutBarCtrl::OnPaint, this);
    Bind(wxEVT_SIZE, &CGfxOutBarCtrl::OnSize, this);
    Bind(wxEVT_MOTION, &CGfxOutBarCtrl::OnMouseMove, this);
    Bind(wxEVT_LEFT_DOWN, &CGfxOutBarCtrl::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CGfxOutBarCtrl::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CGfxOutBarCtrl::OnLeftUp, this);
    Bind(wxEVT_LEAVE_WINDOW, &CGfxOutBarCtrl::OnLeave, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CGfxOutBarCtrl::OnCaptureLost, this);
    m_scrollTimer.Bind(wxEVT_TIMER, &CGfxOutBarCtrl::OnScrollTimer, this);
    m_selTimer.Bind(wxEVT_TIMER, &CGfxOutBarCtrl::OnSelTimer, this);
    return true;
}

wxImageList* CGfxOutBarCtrl::SetImageList(wxImageList* list, int kind) {
    wxImageList* old = nullptr;
    if (kind == fSmallList) {
        old = m_pSmallImageList;
        m_pSmallImageList = list;
    } else if (kind == fLargeList) {
        old = m_pLargeImageList;
        m_pLargeImageList = list;
    }
    return old;
}

void CGfxOutBarCtrl::SetSmallIconView(bool small) {
    if (small != IsSmallIconView()) {
        if (small)
            m_dwFlags |= fSmallIcon;
        else
            m_dwFlags &= ~fSmallIcon;
    }
    m_nFirstItem = 0;
    RefreshRect(GetInsideRect());
}

void CGfxOutBarCtrl::SetAnimSelHighlight(int intervalMs) {
    m_nSelAnimInterval = intervalMs;
    if (intervalMs > 0)
        m_selTimer.Start(intervalMs);
    else
        m_selTimer.Stop();
}

int CGfxOutBarCtrl::AddFolder(const wxString& name, long data) {
    m_arFolder.push_back(Folder{name, data, {}, nullptr});
    return GetFolderCount() - 1;
}

int CGfxOutBarCtrl::AddFolderBar(const wxString& name, wxWindow* child, long data) {
    m_arFolder.push_back(Folder{name, data, {}, child});
    if (child) child->Hide();
    return GetFolderCount() - 1;
}

void CGfxOutBarCtrl::RemoveFolder(int index) {
    if (index < 0 || index >= GetFolderCount()) return;
    if (wxWindow* child = m_arFolder[index].child) child->Hide();
    m_arFolder.erase(m_arFolder.begin() + index);
    if (m_nSelFolder >= index) {
        m_nSelFolder = index - 1;
        if (m_nSelFolder < 0 && !m_arFolder.empty()) m_nSelFolder = 0;
    }
    m_nFirstItem = 0;
    m_nSelItem = -1;
    if (wxWindow* child = GetFolderChild()) {
        child->SetSize(GetInsideRect());
        child->Show();
    }
    Refresh();
}

void CGfxOutBarCtrl::SetSelFolder(int index) {
    if (index < 0 || index >= GetFolderCount()) return;
    if (wxWindow* child = GetFolderChild()) child->Hide();
    if (index != m_nSelFolder && (m_dwFlags & fAnimation) && m_nAnimationDelay >= 0 &&
        IsShownOnScreen())
        AnimateFolderChange(m_nSelFolder, index);
    m_nSelFolder = index;
    m_nFirstItem = 0;
    m_nSelItem = -1;
    if (wxWindow* child = GetFolderChild()) {
        child->SetSize(GetInsideRect());
        child->Show();
    }
    Notify(NM_FOLDERCHANGE, index);
    Refresh();
}

wxWindow* CGfxOutBarCtrl::GetFolderChild(int index) const {
    if (m_arFolder.empty()) return nullptr;
    if (index == -1) index = m_nSelFolder;
    if (index < 0 || index >= GetFolderCount()) return nullptr;
    return m_arFolder[index].child;
}

void CGfxOutBarCtrl::SetFolderText(int index, const wxString& text) {
    if (index < 0 || index >= GetFolderCount()) return;
    m_arFolder[index].name = text;
    RefreshRect(GetFolderRect(index));
}

int CGfxOutBarCtrl::InsertItem(int folder, int index, const wxString& text, int image, long data) {
    if (folder < 0 || folder >= GetFolderCount()) return -1;
    std::vector<Item>& items = m_arFolder[folder].items;
    if (index < 0 || index > int(items.size())) index = int(items.size());
    items.insert(items.begin() + index, Item{text, image, data});
    return index;
}

void CGfxOutBarCtrl::RemoveItem(int index) {
    if (!IsValidItem(index)) return;
    std::vector<Item>& items = m_arFolder[m_nSelFolder].items;
    items.erase(items.begin() + index);
    if (m_nSelItem == index) m_nSelItem = -1;
    RefreshRect(GetInsideRect());
}

int CGfxOutBarCtrl::GetItemCount() const {
    if (m_nSelFolder < 0 || m_nSelFolder >= GetFolderCount()) return 0;
    return int(m_arFolder[m_nSelFolder].items.size());
}

wxString CGfxOutBarCtrl::GetItemText(int index) const {
    return IsValidItem(index) ? m_arFolder[m_nSelFolder].items[index].text : wxString();
}

void CGfxOutBarCtrl::SetItemText(int index, const wxString& text) {
    if (!IsValidItem(index)) return;
    m_arFolder[m_nSelFolder].items[index].text = text;
    RefreshRect(GetInsideRect());
}

// ---- geometry ----------------------------------------------------------------------

wxRect CGfxOutBarCtrl::GetFolderRect(int index) const {
    wxSize client = GetClientSize();
    int count = GetFolderCount();
    int top = index <= m_nSelFolder ? index * kFolderHeight - 1
                                    : client.y - (count - index) * kFolderHeight;
    if (index > m_nAnimLow && index <= m_nAnimHigh) top += m_nAnimShift;
    return wxRect(0, top, client.x, kFolderHeight);
}

wxRect CGfxOutBarCtrl::GetInsideRect() const {
    wxSize client = GetClientSize();
    if (m_arFolder.empty()) return wxRect(client);
    int top = (m_nSelFolder + 1) * kFolderHeight - 1;
    int bottom = client.y - (GetFolderCount() - m_nSelFolder - 1) * kFolderHeight;
    return wxRect(0, top, client.x, std::max(0, bottom - top));
}

wxSize CGfxOutBarCtrl::IconSize() const {
    return IsSmallIconView() ? wxSize(16, 16) : wxSize(32, 32);
}

int CGfxOutBarCtrl::LabelHeight(const wxString& text, int width) const {
    wxClientDC dc(const_cast<CGfxOutBarCtrl*>(this));
    dc.SetFont(GetFont());
    int lineHeight = dc.GetCharHeight();
    if (IsSmallIconView()) return lineHeight;
    return int(WrapLabel(dc, text, width).size()) * lineHeight;
}

int CGfxOutBarCtrl::ItemHeight(const Item& item, int width) const {
    int label = LabelHeight(item.text, width);
    if (IsSmallIconView()) return std::max(IconSize().y, label);
    return IconSize().y + kLargeLabelGap + label;
}

wxRect CGfxOutBarCtrl::GetItemRect(int folder, int index) const {
    wxRect inside = GetInsideRect();
    int width = std::max(0, inside.width - 2 * kMargin);
    if (folder < 0 || folder >= GetFolderCount()) return wxRect();
    const std::vector<Item>& items = m_arFolder[folder].items;
    if (index < 0 || index >= int(items.size())) return wxRect();
    int gap = IsSmallIconView() ? kSmallItemGap : kLargeItemGap;
    int first = folder == m_nSelFolder ? m_nFirstItem : 0;
    int y = inside.y + kMargin;
    if (index >= first) {
        for (int i = first; i < index; ++i)
            y += ItemHeight(items[i], width) + gap;
    } else {
        for (int i = first - 1; i >= index; --i)
            y -= ItemHeight(items[i], width) + gap;
    }
    return wxRect(inside.x + kMargin, y, width, ItemHeight(items[index], width));
}

wxRect CGfxOutBarCtrl::GetIconRect(int folder, int index) const {
    wxRect item = GetItemRect(folder, index);
    if (item.height == 0) return item;
    wxSize icon = IconSize();
    if (IsSmallIconView())
        return wxRect(item.x + 2, item.y + (item.height - icon.y) / 2, icon.x, icon.y);
    wxRect inside = GetInsideRect();
    return wxRect(inside.x + (inside.width - icon.x) / 2, item.y, icon.x, icon.y);
}

wxRect CGfxOutBarCtrl::GetLabelRect(int folder, int index) const {
    wxRect item = GetItemRect(folder, index);
    if (item.height == 0) return item;
    const Item& data = m_arFolder[folder].items[index];
    if (IsSmallIconView()) {
        wxRect icon = GetIconRect(folder, index);
        wxClientDC dc(const_cast<CGfxOutBarCtrl*>(this));
        dc.SetFont(GetFont());
        wxSize text = dc.GetTextExtent(data.text);
        return wxRect(icon.GetRight() + 1 + kSmallLabelGap, item.y + (item.height - text.y) / 2,
                      text.x, text.y);
    }
    int top = item.y + IconSize().y + kLargeLabelGap;
    return wxRect(item.x, top, item.width, item.GetBottom() + 1 - top);
}

void CGfxOutBarCtrl::GetVisibleRange(int folder, int& first, int& last) const {
    first = folder == m_nSelFolder ? m_nFirstItem : 0;
    last = first - 1;
    if (folder < 0 || folder >= GetFolderCount()) return;
    int bottom = GetInsideRect().GetBottom();
    int count = int(m_arFolder[folder].items.size());
    for (int i = first; i < count; ++i) {
        if (GetItemRect(folder, i).GetBottom() > bottom) break;
        last = i;
    }
}

bool CGfxOutBarCtrl::IsUpArrowShown() const {
    return !GetFolderChild() && m_nFirstItem > 0;
}

bool CGfxOutBarCtrl::IsDownArrowShown() const {
    if (GetFolderChild() || m_arFolder.empty()) return false;
    int first, last;
    GetVisibleRange(m_nSelFolder, first, last);
    return last < GetItemCount() - 1;
}

wxRect CGfxOutBarCtrl::GetArrowRect(bool up) const {
    wxRect inside = GetInsideRect();
    int side = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this);
    if (side <= 0) side = 16;
    int x = inside.GetRight() + 1 - kMargin - side;
    int y = up ? inside.y + kMargin : inside.GetBottom() + 1 - kMargin - side;
    return wxRect(x, y, side, side);
}

int CGfxOutBarCtrl::HitTest(const wxPoint& point, int& index) const {
    index = -1;
    if (IsUpArrowShown() && GetArrowRect(true).Contains(point)) return htUpScroll;
    if (IsDownArrowShown() && GetArrowRect(false).Contains(point)) return htDownScroll;
    for (int i = 0; i < GetFolderCount(); ++i) {
        if (GetFolderRect(i).Contains(point)) {
            index = i;
            return htFolder;
        }
    }
    if (GetFolderChild()) return htNothing;
    wxRect inside = GetInsideRect();
    if (!inside.Contains(point)) return htNothing;
    for (int i = m_nFirstItem; i < GetItemCount(); ++i) {
        wxRect item = GetItemRect(m_nSelFolder, i);
        if (item.y > inside.GetBottom()) break;
        bool hit;
        if (IsSmallIconView()) {
            hit = item.Contains(point);
        } else {
            wxRect label = GetLabelRect(m_nSelFolder, i);
            label.y -= kLargeLabelGap;
            label.height += kLargeLabelGap;
            hit = GetIconRect(m_nSelFolder, i).Contains(point) || label.Contains(point);
        }
        if (hit) {
            index = i;
            return htItem;
        }
    }
    return htNothing;
}

// ---- painting ----------------------------------------------------------------------

wxImageList* CGfxOutBarCtrl::CurrentImageList() const {
    return IsSmallIconView() ? m_pSmallImageList : m_pLargeImageList;
}

void CGfxOutBarCtrl::DrawFolder(wxDC& dc, int index, bool pressed, bool hot) const {
    wxRect rect = GetFolderRect(index);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(m_crFace));
    dc.DrawRectangle(rect);
    if (pressed)
        DrawFrame(dc, rect, m_crShadow, m_crHighlight);
    else
        DrawFrame(dc, rect, m_crHighlight, hot ? m_crShadow : m_crLine);
    if (hot && !pressed) {
        wxRect inner = rect.Deflate(1);
        dc.SetPen(wxPen(m_crLine));
        dc.DrawLine(inner.GetRight(), inner.GetTop(), inner.GetRight(), inner.GetBottom());
        dc.DrawLine(inner.GetRight(), inner.GetBottom(), inner.GetLeft(), inner.GetBottom());
    }
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
    dc.DrawLabel(m_arFolder[index].name, rect, wxALIGN_CENTER);
}

void CGfxOutBarCtrl::DrawArrow(wxDC& dc, bool up, bool pressed) const {
    wxRect rect = GetArrowRect(up);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(m_crFace));
    dc.DrawRectangle(rect);
    if (pressed)
        DrawFrame(dc, rect, m_crShadow, m_crHighlight);
    else
        DrawFrame(dc, rect, m_crHighlight, m_crShadow);
    int cx = rect.x + rect.width / 2 + (pressed ? 1 : 0);
    int cy = rect.y + rect.height / 2 + (pressed ? 1 : 0);
    int h = std::max(2, rect.width / 4);
    wxPoint points[3];
    if (up) {
        points[0] = wxPoint(cx - h, cy + h / 2);
        points[1] = wxPoint(cx + h, cy + h / 2);
        points[2] = wxPoint(cx, cy - h / 2 - 1);
    } else {
        points[0] = wxPoint(cx - h, cy - h / 2);
        points[1] = wxPoint(cx + h, cy - h / 2);
        points[2] = wxPoint(cx, cy + h / 2 + 1);
    }
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT)));
    dc.DrawPolygon(3, points);
}

bool CGfxOutBarCtrl::IsItemEnabled(int index) const {
    return !m_itemEnabled || m_itemEnabled(m_nSelFolder, index);
}

void CGfxOutBarCtrl::DrawItems(wxDC& dc) const {
    const Folder& folder = m_arFolder[m_nSelFolder];
    wxRect inside = GetInsideRect();
    wxDCClipper clip(dc, inside);
    wxImageList* images = CurrentImageList();
    dc.SetTextForeground(m_crText);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    for (int i = m_nFirstItem; i < int(folder.items.size()); ++i) {
        wxRect item = GetItemRect(m_nSelFolder, i);
        if (item.y > inside.GetBottom()) break;
        const Item& data = folder.items[i];
        const bool enabled = IsItemEnabled(i);
        dc.SetTextForeground(enabled ? m_crText
                                     : wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
        wxRect icon = GetIconRect(m_nSelFolder, i);
        wxPoint at = icon.GetTopLeft();
        if (i == m_nSelItem && m_nSelAnimInterval > 0) {
            if (m_nSelAnimCount == 0) at += wxPoint(-1, 1);
            if (m_nSelAnimCount == 2) at += wxPoint(1, 1);
        }
        if (images && data.image >= 0 && data.image < images->GetImageCount()) {
            if (enabled)
                images->Draw(data.image, dc, at.x, at.y, wxIMAGELIST_DRAW_TRANSPARENT);
            else
                dc.DrawBitmap(images->GetBitmap(data.image).ConvertToDisabled(), at, true);
        }
        if (!enabled) {
            DrawLabel(dc, data.text, GetLabelRect(m_nSelFolder, i));
            continue;
        }
        wxRect frame = icon.Inflate(1);
        bool pressed = m_nPressKind == htItem && m_nPressIndex == i && m_bPressedOver;
        if (i == m_nSelItem && (m_dwFlags & fSelHighlight))
            DrawFrame(dc, frame, m_crShadow, m_crFace);
        else if (pressed)
            DrawFrame(dc, frame, m_crShadow, m_crFace);
        else if (i == m_nHotItem && m_nPressKind == htNothing)
            DrawFrame(dc, frame, m_crFace, m_crShadow);
        DrawLabel(dc, data.text, GetLabelRect(m_nSelFolder, i));
    }
}

void CGfxOutBarCtrl::DrawLabel(wxDC& dc, const wxString& text, const wxRect& label) const {
    if (IsSmallIconView()) {
        dc.DrawText(text, label.GetTopLeft());
        return;
    }
    int lineHeight = dc.GetCharHeight();
    int y = label.y;
    for (const wxString& line : WrapLabel(dc, text, label.width)) {
        dc.DrawLabel(line, wxRect(label.x, y, label.width, lineHeight),
                     wxALIGN_CENTER_HORIZONTAL | wxALIGN_TOP);
        y += lineHeight;
    }
}

void CGfxOutBarCtrl::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetFont(GetFont());
    dc.SetBackground(wxBrush(m_crBackground));
    dc.Clear();
    if (m_arFolder.empty()) return;
    for (int i = 0; i < GetFolderCount(); ++i) {
        bool pressed = m_nPressKind == htFolder && m_nPressIndex == i && m_bPressedOver;
        DrawFolder(dc, i, pressed, i == m_nHotFolder);
    }
    if (GetFolderChild() || m_nAnimHigh >= 0) return;
    DrawItems(dc);
    if (m_bDragging && m_nDropIndex >= 0) {
        // The insertion marker: between the items, or under the last one.
        int gap = IsSmallIconView() ? kSmallItemGap : kLargeItemGap;
        int count = GetItemCount();
        int y = m_nDropIndex < count ? GetItemRect(m_nSelFolder, m_nDropIndex).y - gap / 2
                                     : GetItemRect(m_nSelFolder, count - 1).GetBottom() + gap / 2;
        wxRect inside = GetInsideRect();
        dc.SetPen(wxPen(*wxBLACK, 1));
        dc.DrawLine(inside.x + kMargin, y, inside.GetRight() - kMargin, y);
    }
    if (IsUpArrowShown()) DrawArrow(dc, true, m_nPressKind == htUpScroll && m_bPressedOver);
    if (IsDownArrowShown()) DrawArrow(dc, false, m_nPressKind == htDownScroll && m_bPressedOver);
}

// ---- mouse -------------------------------------------------------------------------

void CGfxOutBarCtrl::OnSize(wxSizeEvent& event) {
    for (Folder& folder : m_arFolder)
        if (folder.child) folder.child->SetSize(GetInsideRect());
    Refresh();
    event.Skip();
}

void CGfxOutBarCtrl::OnMouseMove(wxMouseEvent& event) {
    int index;
    int kind = HitTest(event.GetPosition(), index);
    if (m_nPressKind == htItem && (m_dwFlags & fDragItems) && (m_bDragging || kind != htItem)) {
        // Leaving the items with the button held starts a drag.
        m_bDragging = true;
        m_bPressedOver = true;
        m_nDropIndex = DropIndexAt(event.GetPosition());
        SetCursor(wxCursor(m_nDropIndex >= 0 ? wxCURSOR_HAND : wxCURSOR_NO_ENTRY));
        Refresh();
        return;
    }
    if (m_nPressKind != htNothing) {
        bool over = kind == m_nPressKind && index == m_nPressIndex;
        if (m_nPressKind == htUpScroll || m_nPressKind == htDownScroll) over = kind == m_nPressKind;
        if (over != m_bPressedOver) {
            m_bPressedOver = over;
            Refresh();
        }
        return;
    }
    wxWindow* focus = FindFocus();
    if (focus && focus != this && IsDescendant(focus)) return; // an edit box or the tree
    int hotFolder = kind == htFolder ? index : -1;
    int hotItem = kind == htItem && IsItemEnabled(index) ? index : -1;
    SetCursor(kind == htFolder ? wxCursor(wxCURSOR_HAND) : wxNullCursor);
    if (hotFolder != m_nHotFolder || hotItem != m_nHotItem) {
        m_nHotFolder = hotFolder;
        m_nHotItem = hotItem;
        Refresh();
    }
}

void CGfxOutBarCtrl::OnLeave(wxMouseEvent&) {
    if (m_nHotFolder == -1 && m_nHotItem == -1) return;
    m_nHotFolder = m_nHotItem = -1;
    Refresh();
}

void CGfxOutBarCtrl::OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    int index;
    int kind = HitTest(event.GetPosition(), index);
    if (kind == htNothing) return;
    m_nPressKind = kind;
    m_nPressIndex = index;
    m_bPressedOver = true;
    if (!HasCapture() && !GetCapture()) CaptureMouse();
    if (kind == htUpScroll || kind == htDownScroll) m_scrollTimer.Start(kScrollPeriodMs);
    Refresh();
}

void CGfxOutBarCtrl::OnLeftUp(wxMouseEvent& event) {
    if (HasCapture()) ReleaseMouse();
    m_scrollTimer.Stop();
    int kind = m_nPressKind, pressed = m_nPressIndex;
    bool over = m_bPressedOver, dragging = m_bDragging;
    m_nPressKind = htNothing;
    m_nPressIndex = -1;
    m_bPressedOver = false;
    m_bDragging = false;
    m_nDropIndex = -1;
    if (dragging) {
        SetCursor(wxNullCursor);
        EndDrag(pressed, DropIndexAt(event.GetPosition()));
        Refresh();
        return;
    }
    int index;
    int hit = HitTest(event.GetPosition(), index);
    if (kind == htFolder && hit == htFolder && index == pressed) {
        if (m_bFolderCommands) {
            if (index == 0) Notify(NM_FOLDERCHANGE, 999);
            if (index == 1) Notify(NM_FOLDERCHANGE, 900);
        } else if (index != m_nSelFolder) {
            SetSelFolder(index);
        }
    } else if (kind == htItem && hit == htItem && index == pressed && IsItemEnabled(index)) {
        m_nSelItem = index;
        m_nSelAnimCount = 0;
        Notify(NM_ITEMCLICK, index);
    } else if ((kind == htUpScroll || kind == htDownScroll) && over) {
        ScrollOne(kind == htUpScroll);
    }
    Refresh();
}

void CGfxOutBarCtrl::OnCaptureLost(wxMouseCaptureLostEvent&) {
    m_scrollTimer.Stop();
    m_bDragging = false;
    m_nDropIndex = -1;
    SetCursor(wxNullCursor);
    m_nPressKind = htNothing;
    m_nPressIndex = -1;
    m_bPressedOver = false;
    Refresh();
}

bool CGfxOutBarCtrl::ScrollOne(bool up) {
    if (up) {
        if (m_nFirstItem <= 0) return false;
        --m_nFirstItem;
        return true;
    }
    int count = GetItemCount();
    if (count == 0) return false;
    if (GetItemRect(m_nSelFolder, count - 1).GetBottom() <= GetInsideRect().GetBottom())
        return false;
    ++m_nFirstItem;
    return true;
}

void CGfxOutBarCtrl::OnScrollTimer(wxTimerEvent&) {
    if (!m_bPressedOver) return;
    if (!ScrollOne(m_nPressKind == htUpScroll)) {
        m_scrollTimer.Stop();
        m_nPressKind = htNothing;
        m_bPressedOver = false;
        if (HasCapture()) ReleaseMouse();
    }
    Refresh();
}

void CGfxOutBarCtrl::OnSelTimer(wxTimerEvent&) {
    if (++m_nSelAnimCount > 10) m_nSelAnimCount = -1;
    if (m_nSelItem >= m_nFirstItem && IsValidItem(m_nSelItem) && !GetFolderChild())
        RefreshRect(GetIconRect(m_nSelFolder, m_nSelItem).Inflate(3));
}

// Slides the buttons between the old and the new open folder, one button height per
// step, up when the new folder lies below the old one and down otherwise. The item
// area stays empty meanwhile.
void CGfxOutBarCtrl::AnimateFolderChange(int from, int to) {
    const int travel = GetInsideRect().height; // how far the buttons between move
    const int direction = to > from ? -1 : 1;
    m_nAnimLow = std::min(from, to);
    m_nAnimHigh = std::max(from, to);
    if (direction > 0) {
        // Going up the list: the buttons after the new folder start at their old top
        // places; measured from there with the new folder open.
        m_nSelFolder = to;
        m_nAnimShift = -travel;
    }
    for (int moved = kFolderHeight; moved < travel; moved += kFolderHeight) {
        m_nAnimShift = direction > 0 ? -travel + moved : -moved;
        Refresh();
        Update();
        wxMilliSleep(m_nAnimationDelay);
    }
    m_nAnimLow = m_nAnimHigh = -1;
    m_nAnimShift = 0;
}

int CGfxOutBarCtrl::DropIndexAt(const wxPoint& point) const {
    int index;
    if (HitTest(point, index) == htItem) return index;
    wxRect inside = GetInsideRect();
    int count = GetItemCount();
    if (!inside.Contains(point) || count == 0) return -1;
    return point.y > GetItemRect(m_nSelFolder, count - 1).GetBottom() ? count : -1;
}

void CGfxOutBarCtrl::EndDrag(int dragged, int target) {
    if (target < 0 || target == dragged || !IsValidItem(dragged)) return;
    if (!NotifyAndAsk(NM_ITEMMOVED, dragged)) return;
    std::vector<Item>& items = m_arFolder[m_nSelFolder].items;
    Item item = items[dragged];
    items.erase(items.begin() + dragged);
    if (target > dragged) --target;
    items.insert(items.begin() + target, item);
    m_nSelItem = -1;
}

bool CGfxOutBarCtrl::NotifyAndAsk(int code, long value) {
    wxWindow* target = m_pOwner ? m_pOwner : GetParent();
    if (!target) return false;
    wxNotifyEvent event(EVT_OUTBAR_NOTIFY, GetId());
    event.SetEventObject(this);
    event.SetInt(code);
    event.SetExtraLong(value);
    return target->GetEventHandler()->ProcessEvent(event) && event.IsAllowed();
}

void CGfxOutBarCtrl::Notify(int code, long value) {
    wxWindow* target = m_pOwner ? m_pOwner : GetParent();
    if (!target) return;
    wxNotifyEvent event(EVT_OUTBAR_NOTIFY, GetId());
    event.SetEventObject(this);
    event.SetInt(code);
    event.SetExtraLong(value);
    // Posted: the owner may open a modal form, which must not run inside the bar's
    // mouse handling.
    wxQueueEvent(target->GetEventHandler(), event.Clone());
}
