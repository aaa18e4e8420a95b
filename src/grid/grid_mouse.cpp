// The mouse in CGridCtrl: selecting by clicks and drags, clicks in the fixed row
// and column, sizing rows and columns at their borders, the wheel and the cursor.
#include "grid/grid_ctrl.h"

#include "res/command_ids.h"

#include <algorithm>
#include <wx/dcclient.h>

namespace {
enum MouseAction : int {
    kNothing = 0,
    kSelectAll = 1,
    kSelectRows = 3,
    kSelectCells = 4,
    kOverRowBorder = 6,
    kSizingRow = 7,
    kOverColBorder = 8,
    kSizingCol = 9,
    kPrepareEdit = 10,
    kPrepareDrag = 11,
    kDragging = 12,
};

constexpr int kWheelDelta = 120;
constexpr int kWheelPageScroll = -1; // the desktop's "one page a notch"
constexpr int kSelectTimerMs = 100;
} // namespace

void CGridCtrl::BindMouseAndClipboard() {
    Bind(wxEVT_LEFT_DOWN, &CGridCtrl::OnLButtonDown, this);
    Bind(wxEVT_MOTION, &CGridCtrl::OnMouseMove, this);
    Bind(wxEVT_LEFT_UP, &CGridCtrl::OnLButtonUp, this);
    Bind(wxEVT_LEFT_DCLICK, &CGridCtrl::OnLButtonDblClk, this);
    Bind(wxEVT_MOUSEWHEEL, &CGridCtrl::OnMouseWheel, this);
    Bind(wxEVT_SET_CURSOR, &CGridCtrl::OnSetCursorEvent, this);
    Bind(wxEVT_SET_FOCUS, &CGridCtrl::OnFocusEvent, this);
    Bind(wxEVT_KILL_FOCUS, &CGridCtrl::OnFocusEvent, this);
    BindContextMenu();
    for (int id : {int(ID_EDIT_CUT), int(ID_EDIT_COPY), int(ID_EDIT_PASTE), kSelectAllCommand}) {
        Bind(wxEVT_MENU, &CGridCtrl::OnEditCommand, this, id);
        Bind(wxEVT_UPDATE_UI, &CGridCtrl::OnUpdateEditCommand, this, id);
    }
}

void CGridCtrl::OnFocusEvent(wxFocusEvent& event) {
    m_bHasFocus = event.GetEventType() == wxEVT_SET_FOCUS;
    event.Skip();
}

// A border counts within the capture width of a column's right edge, or of its
// left edge (then the column to its left is sized) for every column but the first.
int CGridCtrl::ColumnBorderAt(const wxPoint& point) const {
    if (!m_bColSizing || point.y < 0 || point.y >= GetFixedRowHeight()) return -1;
    const GridCellId cell = GetCellFromPt(point);
    wxRect rect;
    if (!IsCellInGrid(cell) || !GetCellRect(cell.row, cell.col, &rect)) return -1;
    if (point.x >= rect.GetRight() + 1 - m_nSizingZone) return cell.col;
    wxPoint previous;
    if (cell.col > 0 && point.x < rect.x + m_nSizingZone &&
        GetCellOrigin(cell.row, cell.col - 1, &previous))
        return cell.col - 1;
    return -1;
}

int CGridCtrl::RowBorderAt(const wxPoint& point) const {
    if (!m_bRowSizing || point.x < 0 || point.x >= GetFixedColumnWidth()) return -1;
    const GridCellId cell = GetCellFromPt(point);
    wxRect rect;
    if (!IsCellInGrid(cell) || !GetCellRect(cell.row, cell.col, &rect)) return -1;
    if (point.y >= rect.GetBottom() + 1 - m_nSizingZone) return cell.row;
    wxPoint previous;
    if (cell.row > 0 && point.y < rect.y + m_nSizingZone &&
        GetCellOrigin(cell.row - 1, cell.col, &previous))
        return cell.row - 1;
    return -1;
}

// The tracking line of a row or column being sized; -1 only takes the old one away.
void CGridCtrl::DrawSizingLine(int pos) {
    const wxSize client = GetClientSize();
    const bool vertical = m_nMouseAction == kSizingCol;
    auto lineAt = [&](int p) {
        return vertical ? wxRect(p - 1, 0, 2, client.y) : wxRect(0, p - 1, client.x, 2);
    };
    if (m_nSizingLine >= 0) {
        RefreshRect(lineAt(m_nSizingLine), false);
        Update();
    }
    m_nSizingLine = pos;
    if (pos < 0 || !IsShownOnScreen()) return;
    wxClientDC dc(this);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(m_clrCellText));
    dc.DrawRectangle(lineAt(pos));
}

void CGridCtrl::OnLButtonDown(wxMouseEvent& event) {
    const bool hadFocus = m_bHasFocus;
    const wxPoint point = event.GetPosition();
    m_ptClickDown = point;
    m_cellClickDown = GetCellFromPt(point);
    if (!IsCellInGrid(m_cellClickDown)) return;

    m_cellAnchor = event.ShiftDown() ? m_cellFocus : m_cellClickDown;
    SetFocus();
    if (m_cellClickDown == m_cellFocus) {
        m_nMouseAction = kPrepareEdit;
        return;
    }
    if (m_nMouseAction != kOverRowBorder && m_nMouseAction != kOverColBorder)
        SetFocusCell(std::max(m_cellClickDown.row, m_nFixedRowCount),
                     std::max(m_cellClickDown.col, m_nFixedColCount));
    if (m_bDragDropOn && hadFocus &&
        (GetItemState(m_cellClickDown.row, m_cellClickDown.col) & GVIS_SELECTED)) {
        m_nMouseAction = kPrepareDrag;
        return;
    }

    if (!HasCapture()) CaptureMouse();
    if (m_nMouseAction == kNothing) {
        if (ColumnBorderAt(point) >= 0) {
            SetCursor(wxCursor(wxCURSOR_SIZEWE));
            m_nMouseAction = kOverColBorder;
        } else if (RowBorderAt(point) >= 0) {
            SetCursor(wxCursor(wxCURSOR_SIZENS));
            m_nMouseAction = kOverRowBorder;
        }
    }
    if (m_nMouseAction == kOverColBorder || m_nMouseAction == kOverRowBorder) {
        const bool columns = m_nMouseAction == kOverColBorder;
        m_nSizingIndex = columns ? ColumnBorderAt(point) : RowBorderAt(point);
        if (m_nSizingIndex < 0) {
            m_nMouseAction = kNothing;
            return;
        }
        m_nMouseAction = columns ? kSizingCol : kSizingRow;
        DrawSizingLine(columns ? point.x : point.y);
        return;
    }

    m_mapKeptSelection.clear();
    if (event.ControlDown()) m_mapKeptSelection = m_mapSelected;
    if (m_cellClickDown.row < m_nFixedRowCount) {
        OnFixedRowClick(m_cellClickDown);
    } else if (m_cellClickDown.col >= m_nFixedColCount) {
        m_nMouseAction = m_bWholeRows ? kSelectRows : kSelectCells;
        OnSelecting(m_cellClickDown);
        m_pDragTimer->Start(kSelectTimerMs);
    } else {
        OnFixedColumnClick(m_cellClickDown);
        if (m_nMouseAction != kNothing) m_pDragTimer->Start(kSelectTimerMs);
    }
}

void CGridCtrl::OnFixedColumnClick(const GridCellId& cell) {
    if (!IsCellInGrid(cell)) return;
    GridCellId clicked = cell;
    clicked.col = std::min(1, m_nColCount - 1);
    m_cellClickDown = clicked;
    m_nMouseAction = clicked.row < m_nFixedRowCount ? kSelectAll : kSelectRows;
    OnSelecting(clicked);
}

void CGridCtrl::OnMouseMove(wxMouseEvent& event) {
    const wxPoint point = event.GetPosition();
    const wxRect client(GetClientSize());
    if (m_nMouseAction != kDragging && !client.Contains(point)) return;

    if (event.LeftIsDown() && m_nMouseAction != kNothing) {
        switch (m_nMouseAction) {
        case 2:
        case kSelectRows:
        case kSelectCells: {
            const GridCellId cell = GetCellFromPt(point);
            if (!IsCellInGrid(cell) || cell == m_cellFocus) break;
            OnSelecting(cell);
            if (cell.row >= m_nFixedRowCount && cell.col >= m_nFixedColCount) SetFocusCell(cell);
            break;
        }
        case kSizingCol:
            DrawSizingLine(point.x);
            break;
        case kSizingRow:
            DrawSizingLine(point.y);
            break;
        case kPrepareDrag:
            OnBeginDrag();
            break;
        default:
            break;
        }
    } else if (ColumnBorderAt(point) >= 0) {
        SetCursor(wxCursor(wxCURSOR_SIZEWE));
        m_nMouseAction = kOverColBorder;
    } else if (RowBorderAt(point) >= 0) {
        SetCursor(wxCursor(wxCURSOR_SIZENS));
        m_nMouseAction = kOverRowBorder;
    } else if (m_nMouseAction != kNothing) {
        SetCursor(*wxSTANDARD_CURSOR);
        m_nMouseAction = kNothing;
    }
    m_ptLastMouse = point;
}

void CGridCtrl::OnLButtonUp(wxMouseEvent& event) {
    const wxPoint point = event.GetPosition();
    if (HasCapture()) {
        ReleaseMouse();
        m_pDragTimer->Stop();
    }
    switch (m_nMouseAction) {
    case kPrepareEdit:
        OnEditCell(m_cellFocus.row, m_cellFocus.col, kEditKeyMouse);
        break;
    case kPrepareDrag:
        ClearSelectionAndFocus();
        break;
    case kSizingCol:
    case kSizingRow: {
        const bool columns = m_nMouseAction == kSizingCol;
        DrawSizingLine(-1);
        wxPoint origin;
        const bool known = columns ? GetCellOrigin(0, m_nSizingIndex, &origin)
                                   : GetCellOrigin(m_nSizingIndex, 0, &origin);
        if (point != m_ptClickDown && known) {
            // The pointer never sizes a row or column below nothing.
            if (columns)
                SetColumnWidth(m_nSizingIndex, std::max(0, point.x - origin.x));
            else
                SetRowHeight(m_nSizingIndex, std::max(0, point.y - origin.y));
            ResetScrollBars();
            Refresh(false);
            m_bSizesChanged = true;
        }
        m_nSizingIndex = -1;
        break;
    }
    default:
        break;
    }
    m_nMouseAction = kNothing;
    SetCursor(*wxSTANDARD_CURSOR);
    if (IsCellInGrid(m_cellClickDown)) {
        wxWindow* owner = GetParent();
        if (!owner) return;
        auto* clicked = new wxCommandEvent(wxEVT_BUTTON, GetId());
        clicked->SetEventObject(this);
        owner->GetEventHandler()->QueueEvent(clicked);
    }
}

void CGridCtrl::OnLButtonDblClk(wxMouseEvent& event) {
    const wxPoint point = event.GetPosition();
    if (m_bPickGrid && m_nMouseAction == kNothing) {
        // A lookup list: the row goes into the page in front.
        TransferChosenRow(0);
    } else if (m_nMouseAction == kOverColBorder) {
        const int col = ColumnBorderAt(point);
        if (col >= 0) AutoSizeColumn(col);
        Refresh(false);
    } else if (m_nMouseAction == kOverRowBorder) {
        const int row = RowBorderAt(point);
        if (row >= 0) AutoSizeRow(row);
        Refresh(false);
    } else if (m_nMouseAction == kNothing && m_bEditMode && IsCellInGrid(m_cellClickDown) &&
               m_cellClickDown.row >= m_nFixedRowCount && IsCellInGrid(m_cellFocus)) {
        OnEditCell(m_cellFocus.row, m_cellFocus.col, kEditKeyMouse);
    }
    event.Skip();
}

void CGridCtrl::OnMouseWheel(wxMouseEvent& event) {
    if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
        event.Skip();
        return;
    }
    const int delta = event.GetWheelRotation();
    if (m_nWheelRows == kWheelPageScroll) {
        const int pages = delta / kWheelDelta;
        for (int i = 0; i < std::abs(pages); ++i)
            OnVScroll(pages > 0 ? SB_PAGEUP : SB_PAGEDOWN);
        return;
    }
    const int lines = delta * m_nWheelRows / kWheelDelta;
    for (int i = 0; i < std::abs(lines); ++i)
        OnVScroll(lines > 0 ? SB_LINEUP : SB_LINEDOWN);
}

void CGridCtrl::OnSetCursorEvent(wxSetCursorEvent& event) {
    if (!wxRect(GetClientSize()).Contains(event.GetX(), event.GetY())) {
        event.Skip();
        return;
    }
    switch (m_nMouseAction) {
    case kOverRowBorder:
        event.SetCursor(wxCursor(wxCURSOR_SIZENS));
        break;
    case kOverColBorder:
        event.SetCursor(wxCursor(wxCURSOR_SIZEWE));
        break;
    case kDragging:
        event.Skip();
        break;
    default:
        event.SetCursor(*wxSTANDARD_CURSOR);
        break;
    }
}
