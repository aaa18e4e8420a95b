// Cells dragged out of a CGridCtrl as text, and text dropped onto its cells.
#include "grid/grid_ctrl.h"

#include <algorithm>
#include <climits>
#include <wx/dcmemory.h>
#include <wx/dnd.h>

void CGridCtrl::OnBeginDrag() {
    if (!m_bDragDropOn) return;
    std::unique_ptr<wxTextDataObject> data = CopyTextFromGrid();
    if (!data) return;
    GridCellId topLeft(INT_MAX, INT_MAX);
    for (const GridCellId& cell : GetSelectedCells()) {
        topLeft.row = std::min(topLeft.row, cell.row);
        topLeft.col = std::min(topLeft.col, cell.col);
    }
    NotifyOwner(topLeft.row, topLeft.col, GVN_BEGINDRAG);
    m_nMouseAction = 12;
    // The toolkit takes the pointer for the drag.
    if (HasCapture()) ReleaseMouse();
    m_pDragTimer->Stop();
    wxIcon picture;
    wxSize size;
    const wxBitmap image = CreateDragImage(&size);
    if (image.IsOk()) picture.CopyFromBitmap(image);
    wxDropSource source(*data, this, picture, picture);
    const wxDragResult result = source.DoDragDrop(wxDrag_AllowMove);
    // The button's release went to the drag.
    m_nMouseAction = 0;
    if (result == wxDragMove) CutSelectedText();
}

wxBitmap CGridCtrl::CreateDragImage(wxSize* size) {
    wxRect rect;
    if (!GetCellRect(m_cellFocus.row, m_cellFocus.col, &rect) || rect.IsEmpty()) return wxBitmap();
    wxBitmap image(rect.GetSize());
    if (!image.IsOk()) return wxBitmap();
    {
        wxMemoryDC dc(image);
        DrawCell(dc, m_cellFocus.row, m_cellFocus.col, wxRect(rect.GetSize()), true);
    }
    image.SetMask(new wxMask(image, m_clrCellBack));
    if (size) *size = rect.GetSize();
    return image;
}

wxDragResult CGridCtrl::OnDragEnter(wxCoord x, wxCoord y, wxDragResult def) {
    if (!m_bDragDropOn) return wxDragNone;
    const GridCellId cell = GetCellFromPt(wxPoint(x, y), false);
    if (!IsCellEditable(cell.row, cell.col)) return wxDragNone;
    m_cellDropTarget = cell;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_DROPHILITED);
    RedrawCell(cell.row, cell.col);
    return wxGetKeyState(WXK_CONTROL) ? wxDragCopy : (def == wxDragNone ? wxDragNone : wxDragMove);
}

wxDragResult CGridCtrl::OnDragOver(wxCoord x, wxCoord y, wxDragResult def) {
    if (!m_bDragDropOn || !m_bEditMode) return wxDragNone;
    const GridCellId cell = GetCellFromPt(wxPoint(x, y), false);
    if (!IsCellInGrid(cell)) {
        OnDragLeave();
        return wxDragNone;
    }
    if (!IsCellEditable(cell.row, cell.col)) return wxDragNone;
    if (cell != m_cellDropTarget) {
        OnDragLeave();
        m_cellDropTarget = cell;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GVIS_DROPHILITED);
        RedrawCell(cell.row, cell.col);
    }
    return wxGetKeyState(WXK_CONTROL) ? wxDragCopy : (def == wxDragNone ? wxDragNone : wxDragMove);
}

void CGridCtrl::OnDragLeave() {
    const GridCellId cell = m_cellDropTarget;
    m_cellDropTarget = GridCellId();
    if (!IsCellInGrid(cell)) return;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GVIS_DROPHILITED);
    RedrawCell(cell.row, cell.col);
}

// The text goes in as pasted at the cell the drag was last over.
bool CGridCtrl::OnDrop(wxCoord x, wxCoord y, const wxString& text) {
    const GridCellId cell =
        IsCellInGrid(m_cellDropTarget) ? m_cellDropTarget : GetCellFromPt(wxPoint(x, y), false);
    OnDragLeave();
    if (!m_bDragDropOn || !IsCellInGrid(cell) || !IsCellEditable(cell.row, cell.col)) return false;
    m_nMouseAction = 0;
    return PasteTextToGrid(cell, text);
}
