// Window behaviour of CGridCtrl: painting, keys, scrolling, resizing, system
// colours, the drag-select timer, the focus cell and selected ranges.
#include "grid/grid_ctrl.h"

#include <algorithm>
#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/utils.h>

void CGridCtrl::OnPaint(wxPaintEvent&) {
    const wxRect update = GetUpdateRegion().GetBox();
    if (m_bOffscreenPaint) {
        wxBufferedPaintDC dc(this);
        if (!update.IsEmpty()) dc.SetClippingRegion(update);
        OnDraw(dc);
    } else {
        wxPaintDC dc(this);
        if (!update.IsEmpty()) dc.SetClippingRegion(update);
        OnDraw(dc);
    }
}

void CGridCtrl::OnSizeEvent(wxSizeEvent& event) {
    static bool inSize = false; // one flag for the whole process
    if (inSize) return;
    inSize = true;
    // A resize ends an in-place edit, as the focus returns to the grid.
    wxWindow* focus = FindFocus();
    if (focus && focus != this && focus->GetParent() == this) SetFocus();
    event.Skip();
    InvalidateTopLeft();
    ResetScrollBars();
    Refresh(false);
    inSize = false;
}

void CGridCtrl::OnSysColourChangedEvent(wxSysColourChangedEvent& event) {
    event.Skip();
    OnSysColorChange();
}

void CGridCtrl::OnSysColorChange() {
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    // Colours the user chose stay; those that followed the system follow it again.
    if (m_clrCellText == m_clrBaseText) m_clrCellText = text;
    if (m_clrHeadText == m_clrBaseText) m_clrHeadText = text;
    if (m_clrCellBack == m_clrBaseWindow) m_clrCellBack = window;
    if (m_clrOutside == m_clrBaseShadow) m_clrOutside = shadow;
    if (m_clrHeadBack == m_clrBaseFace) m_clrHeadBack = face;
    m_clrBaseText = text;
    m_clrBaseWindow = window;
    m_clrBaseFace = face;
    m_clrBaseShadow = shadow;
    Refresh(false);
}

void CGridCtrl::OnCaptureLost(wxMouseCaptureLostEvent&) {
    if (m_pDragTimer) m_pDragTimer->Stop();
    // A row or column being sized keeps its size; its tracking line goes.
    if (m_nMouseAction == 7 || m_nMouseAction == 9) {
        DrawSizingLine(-1);
        m_nSizingIndex = -1;
        m_nMouseAction = 0;
    }
    if (m_nMouseAction == 12) m_nMouseAction = 0;
}

// While a selection is dragged outside the window, the timer moves the focus and
// extends the selection towards the pointer.
void CGridCtrl::OnTimer(wxTimerEvent&) {
    const wxPoint pt = ScreenToClient(wxGetMousePosition());
    const wxSize client = GetClientSize();
    const int fixedRowHeight = GetFixedRowHeight();
    const int fixedColWidth = GetFixedColumnWidth();
    if (pt.y > client.GetHeight()) {
        HandleKeyDown(WXK_DOWN, false, false);
        OnSelecting(GetCellFromPt(
            wxPoint(std::clamp(pt.x, 0, client.GetWidth() - 1), client.GetHeight() - 1)));
    } else if (pt.y < fixedRowHeight) {
        HandleKeyDown(WXK_UP, false, false);
        OnSelecting(
            GetCellFromPt(wxPoint(std::clamp(pt.x, 0, client.GetWidth() - 1), fixedRowHeight + 1)));
    }
    if (pt.x > client.GetWidth()) {
        HandleKeyDown(WXK_RIGHT, false, false);
        OnSelecting(GetCellFromPt(
            wxPoint(client.GetWidth() - 1, std::clamp(pt.y, 0, client.GetHeight() - 1))));
    } else if (pt.x < fixedColWidth) {
        HandleKeyDown(WXK_LEFT, false, false);
        OnSelecting(
            GetCellFromPt(wxPoint(fixedColWidth + 1, std::clamp(pt.y, 0, client.GetHeight() - 1))));
    }
}

void CGridCtrl::OnKeyDownEvent(wxKeyEvent& event) {
    // A grid that does not take Tab passes it to the dialog's navigation.
    if (event.GetKeyCode() == WXK_TAB && (!m_bTakesTab || event.ControlDown())) {
        Navigate(event.ShiftDown() ? wxNavigationKeyEvent::IsBackward
                                   : wxNavigationKeyEvent::IsForward);
        return;
    }
    if (!event.AltDown() &&
        HandleKeyDown(event.GetKeyCode(), event.ShiftDown(), event.ControlDown()))
        return;
    event.Skip();
}

bool CGridCtrl::HandleKeyDown(int key, bool shift, bool ctrl) {
    if (!IsCellInGrid(m_cellFocus)) return false;
    if (ctrl && key == 'A') SelectEverything();

    const int lastRow = m_nRowCount - 1, lastCol = m_nColCount - 1;
    GridCellId next = m_cellFocus;
    bool wrapped = false;
    switch (key) {
    case WXK_TAB:
        if (shift) {
            if (next.col > m_nFixedColCount) {
                --next.col;
            } else if (next.row > m_nFixedRowCount) {
                --next.row;
                next.col = lastCol;
                wrapped = true;
            } else {
                return false;
            }
        } else {
            if (next.col < lastCol) {
                ++next.col;
            } else if (next.row < lastRow) {
                ++next.row;
                next.col = std::min(m_nFixedColCount, lastCol);
                wrapped = true;
            } else {
                return false;
            }
        }
        break;
    case WXK_PAGEDOWN:
    case WXK_PAGEUP: {
        const int before = GetTopleftNonFixedCell().row;
        OnVScroll(key == WXK_PAGEDOWN ? SB_PAGEDOWN : SB_PAGEUP);
        const int moved = GetTopleftNonFixedCell().row - before;
        if (key == WXK_PAGEDOWN)
            next.row = moved ? std::min(next.row + moved, lastRow) : lastRow;
        else
            next.row = moved ? std::max(next.row + moved, m_nFixedRowCount) : m_nFixedRowCount;
        break;
    }
    case WXK_HOME:
        OnVScroll(SB_TOP);
        next.row = m_nFixedRowCount;
        break;
    case WXK_END:
        OnVScroll(SB_BOTTOM);
        next.row = lastRow;
        break;
    case WXK_LEFT:
        next.col = next.col > m_nFixedColCount ? next.col - 1 : lastCol;
        break;
    case WXK_RIGHT:
        next.col = next.col < lastCol ? next.col + 1 : std::min(1, lastCol);
        break;
    case WXK_UP:
        if (next.row > m_nFixedRowCount) --next.row;
        break;
    case WXK_DOWN:
        if (next.row == lastRow && m_bEditMode) AppendNewRecord();
        if (next.row < m_nRowCount - 1) ++next.row;
        break;
    case WXK_DELETE:
        // Empties the cell on the screen; the record changes only through the
        // owner's end-of-edit handling.
        if (IsCellEditable(m_cellFocus.row, m_cellFocus.col)) {
            NotifyOwner(m_cellFocus.row, m_cellFocus.col, GVN_BEGINLABELEDIT);
            SetItemText(m_cellFocus.row, m_cellFocus.col, wxString());
            SetModified(true, m_cellFocus.row, m_cellFocus.col);
            NotifyOwner(m_cellFocus.row, m_cellFocus.col, GVN_ENDLABELEDIT);
            RedrawCell(m_cellFocus.row, m_cellFocus.col);
        }
        return true;
    default:
        return ctrl && key == 'A';
    }

    if (next != m_cellFocus) {
        if (m_nMouseAction == 0) {
            m_mapKeptSelection.clear();
            m_nMouseAction = m_bWholeRows ? 3 : 4;
            if (!shift || key == WXK_TAB) m_cellAnchor = next;
            OnSelecting(next);
            m_nMouseAction = 0;
        }
        SetFocusCell(next);
    }
    if (!IsCellVisible(next.row, next.col)) {
        EnsureVisible(next.row, next.col);
        switch (key) {
        case WXK_TAB:
            if (wrapped) {
                OnVScroll(shift ? SB_LINEUP : SB_LINEDOWN);
                OnHScroll(shift ? SB_BOTTOM : SB_TOP);
            } else {
                OnHScroll(shift ? SB_LINEUP : SB_LINEDOWN);
            }
            break;
        case WXK_LEFT:
            OnHScroll(SB_LINEUP);
            break;
        case WXK_RIGHT:
            OnHScroll(SB_LINEDOWN);
            break;
        case WXK_UP:
            OnVScroll(SB_LINEUP);
            break;
        case WXK_DOWN:
            OnVScroll(SB_LINEDOWN);
            break;
        default:
            break;
        }
    }
    if (HasWindow()) Refresh(false);
    return true;
}

// Ctrl and Alt with a key are commands (Alt+S the page's 存档), never typing.
void CGridCtrl::OnCharEvent(wxKeyEvent& event) {
    const int ch = event.GetUnicodeKey();
    if (event.ControlDown() || event.AltDown() || m_nMouseAction != 0 || ch == WXK_TAB ||
        !IsCellInGrid(m_cellFocus) || ch == WXK_NONE || ch < WXK_BACK) {
        event.Skip();
        return;
    }
    OnEditCell(m_cellFocus.row, m_cellFocus.col, ch);
}

void CGridCtrl::OnScrollWin(wxScrollWinEvent& event) {
    const wxEventType type = event.GetEventType();
    int code = SB_THUMBTRACK;
    if (type == wxEVT_SCROLLWIN_LINEUP)
        code = SB_LINEUP;
    else if (type == wxEVT_SCROLLWIN_LINEDOWN)
        code = SB_LINEDOWN;
    else if (type == wxEVT_SCROLLWIN_PAGEUP)
        code = SB_PAGEUP;
    else if (type == wxEVT_SCROLLWIN_PAGEDOWN)
        code = SB_PAGEDOWN;
    else if (type == wxEVT_SCROLLWIN_TOP)
        code = SB_TOP;
    else if (type == wxEVT_SCROLLWIN_BOTTOM)
        code = SB_BOTTOM;
    else if (type == wxEVT_SCROLLWIN_THUMBRELEASE)
        code = SB_THUMBPOSITION;
    if (event.GetOrientation() == wxHORIZONTAL)
        OnHScroll(code, event.GetPosition());
    else
        OnVScroll(code, event.GetPosition());
}

void CGridCtrl::OnHScroll(int code, int trackPos) {
    ScrollBy(wxHORIZONTAL, code, trackPos);
}
void CGridCtrl::OnVScroll(int code, int trackPos) {
    ScrollBy(wxVERTICAL, code, trackPos);
}

// Scrolls by whole columns (rows) and redraws only the non-fixed area.
void CGridCtrl::ScrollBy(int orient, int code, int trackPos) {
    if (!HasWindow()) return;
    wxWindow* focus = FindFocus();
    if (focus != this) SetFocus(); // ends an in-place edit
    const bool vertical = orient == wxVERTICAL;
    const int fixedSize = vertical ? GetFixedRowHeight() : GetFixedColumnWidth();
    const wxSize client = GetClientSize();
    const int page = (vertical ? client.GetHeight() : client.GetWidth()) - fixedSize;
    const int range = vertical ? m_nVScrollRange : m_nHScrollRange;
    const int pos = GetScrollPos32(orient);
    const GridCellId topLeft = GetTopleftNonFixedCell();
    const wxRect area = vertical ? wxRect(0, fixedSize, client.GetWidth(), page)
                                 : wxRect(fixedSize, 0, page, client.GetHeight());
    switch (code) {
    case SB_LINEUP:
    case SB_LINEDOWN:
        if (StepLine(orient, code == SB_LINEDOWN)) {
            SetScrollPos32(orient, GetScrollPos32(orient));
            RefreshRect(area, false);
        }
        break;
    case SB_PAGEUP:
        SetScrollPos32(orient, std::max(pos - page, 0));
        RefreshRect(area, false);
        break;
    case SB_PAGEDOWN:
        SetScrollPos32(orient, std::min(pos + page, range));
        RefreshRect(area, false);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetScrollPos32(orient, trackPos);
        if (GetTopleftNonFixedCell() != topLeft) Refresh(false);
        break;
    case SB_TOP:
        SetScrollPos32(orient, 0);
        Refresh(false);
        break;
    case SB_BOTTOM:
        SetScrollPos32(orient, range);
        Refresh(false);
        break;
    default:
        break;
    }
}

bool CGridCtrl::IsCellInGrid(int row, int col) const {
    return row >= 0 && row < m_nRowCount && col >= 0 && col < m_nColCount;
}

bool CGridCtrl::IsRangeInGrid(const GridCellRange& range) const {
    return range.IsValid() && range.maxRow < m_nRowCount && range.maxCol < m_nColCount;
}

bool CGridCtrl::RepaintCell(int row, int col, wxDC* dc) {
    if (!m_bDrawOn || !IsCellVisible(row, col)) return false;
    wxRect rect;
    if (!GetCellRect(row, col, &rect)) return false;
    if (!dc) {
        // Drawing happens in the next paint; GTK paints only there.
        RefreshRect(wxRect(rect.x, rect.y, rect.width + 1, rect.height + 1), false);
        return true;
    }
    const bool fixed = row < m_nFixedRowCount || col < m_nFixedColCount;
    if (fixed) return DrawFixedCell(*dc, row, col, rect, true);
    const bool drawn = DrawCell(*dc, row, col, rect, true);
    dc->SetPen(wxPen(m_clrLines, std::max(1, m_nLinePen)));
    if (m_nGridLines == 1 || m_nGridLines == 3)
        dc->DrawLine(rect.x, rect.GetBottom(), rect.GetRight() + 1, rect.GetBottom());
    if (m_nGridLines == 2 || m_nGridLines == 3)
        dc->DrawLine(rect.GetRight(), rect.y, rect.GetRight(), rect.GetBottom() + 1);
    dc->SetPen(wxNullPen);
    return drawn;
}

void CGridCtrl::RepaintFixedOf(int row, int col, wxDC* dc) {
    for (int r = 0; r < m_nFixedRowCount; ++r)
        RepaintCell(r, col, dc);
    for (int c = 0; c < m_nFixedColCount; ++c)
        RepaintCell(row, c, dc);
}

GridCellId CGridCtrl::SetFocusCell(int row, int col) {
    const GridCellId cell(row, col);
    const GridCellId old = m_cellFocus;
    if (cell == old) return old;
    MakeCurrentGrid();
    if (IsCellInGrid(old)) {
        NotifyOwner(old.row, old.col, GVN_SELCHANGING);
        SetItemState(old.row, old.col, GetItemState(old.row, old.col) & ~GVIS_FOCUSED);
        RepaintCell(old.row, old.col);
        RepaintFixedOf(old.row, old.col, nullptr);
    }
    m_cellFocus = cell;
    if (IsCellInGrid(cell)) {
        SetItemState(row, col, GetItemState(row, col) | GVIS_FOCUSED);
        RepaintCell(row, col);
        RepaintFixedOf(row, col, nullptr);
        NotifyOwner(row, col, GVN_SELCHANGED);
        if (m_bEditMode && row > 0) EditCell(row, col, kEditKeyNone);
    }
    return old;
}

void CGridCtrl::ClearSelectionAndFocus() {
    for (const GridCellId& cell : GetSelectedCells())
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GVIS_SELECTED);
    m_mapSelected.clear();
    m_mapKeptSelection.clear();
    if (IsCellInGrid(m_cellFocus))
        SetItemState(m_cellFocus.row, m_cellFocus.col,
                     GetItemState(m_cellFocus.row, m_cellFocus.col) & ~GVIS_FOCUSED);
    m_cellFocus = GridCellId();
    if (HasWindow() && m_bDrawOn) Refresh(false);
}

void CGridCtrl::SelectRange(int minRow, int minCol, int maxRow, int maxCol, bool) {
    if (!m_bSelectOn) return;
    const GridCellRange range(minRow, minCol, maxRow, maxCol);
    for (const GridCellId& cell : GetSelectedCells()) {
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GVIS_SELECTED);
        if (!range.InRange(cell.row, cell.col)) RedrawCell(cell.row, cell.col);
    }
    if (!m_bOneRowOnly)
        for (const auto& entry : m_mapKeptSelection) {
            const GridCellId& cell = entry.second;
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_SELECTED);
            RedrawCell(cell.row, cell.col);
        }
    if (!IsRangeInGrid(range)) return;
    for (int r = minRow; r <= maxRow; ++r)
        for (int c = minCol; c <= maxCol; ++c) {
            const unsigned state = GetItemState(r, c);
            if (state & GVIS_SELECTED) continue;
            SetItemState(r, c, state | GVIS_SELECTED);
            RedrawCell(r, c);
        }
}

void CGridCtrl::SelectEverything() {
    if (m_bSelectOn)
        SelectRange(m_nFixedRowCount, m_nFixedColCount, m_nRowCount - 1, m_nColCount - 1);
}

void CGridCtrl::ExtendColumnSelection(const GridCellId& cell) {
    if (!m_bSelectOn || cell.col < m_nFixedColCount || !IsCellInGrid(cell)) return;
    SelectRange(m_nFixedRowCount, std::min(m_cellAnchor.col, cell.col), m_nRowCount - 1,
                std::max(m_cellAnchor.col, cell.col));
}

void CGridCtrl::ExtendRowSelection(const GridCellId& cell) {
    if (!m_bSelectOn || cell.row < m_nFixedRowCount || !IsCellInGrid(cell)) return;
    if (m_bWholeRows && m_bOneRowOnly)
        SelectRange(cell.row, m_nFixedColCount, cell.row, m_nColCount - 1);
    else
        SelectRange(std::min(m_cellAnchor.row, cell.row), m_nFixedColCount,
                    std::max(m_cellAnchor.row, cell.row), m_nColCount - 1);
}

void CGridCtrl::ExtendCellSelection(const GridCellId& cell) {
    if (!m_bSelectOn || cell.row < m_nFixedRowCount || cell.col < m_nFixedColCount ||
        !IsCellInGrid(cell))
        return;
    SelectRange(std::min(m_cellAnchor.row, cell.row), std::min(m_cellAnchor.col, cell.col),
                std::max(m_cellAnchor.row, cell.row), std::max(m_cellAnchor.col, cell.col));
}

void CGridCtrl::OnSelecting(const GridCellId& cell) {
    switch (m_nMouseAction) {
    case 1:
        SelectEverything();
        break;
    case 2:
        ExtendColumnSelection(cell);
        break;
    case 3:
        ExtendRowSelection(cell);
        break;
    case 4:
        ExtendCellSelection(cell);
        break;
    default:
        break;
    }
}
