// Starting and ending in-place edits, appended rows and the insert-row command.
#include "grid/grid_cell_edit.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_keys.h"

#include "data/value_check.h"

namespace {
long EditStyleFor(unsigned format) {
    if (format & DT_RIGHT) return wxTE_RIGHT;
    if (format & DT_CENTER) return wxTE_CENTRE;
    return wxTE_LEFT;
}
} // namespace

void CGridCtrl::OnEditCell(int row, int col, int key) {
    EnsureVisible(row, col);
    wxRect rect;
    if (!IsCellInGrid(row, col) || !IsCellEditable(row, col) || !IsCellVisible(row, col) ||
        !GetCellRect(row, col, &rect))
        return;
    NotifyOwner(row, col, GVN_BEGINLABELEDIT);
    GridItem item;
    item.row = row;
    item.col = col;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    if (!GetItem(&item)) return;
    CreateInPlaceEditControl(rect, EditStyleFor(item.nFormat), kEditorId, row, col, item.strText,
                             key);
}

// The editor starts empty, except in the item columns of a grid that looks items
// up while the operator types.
void CGridCtrl::CreateInPlaceEditControl(const wxRect& rect, long style, int id, int row, int col,
                                         const wxString& text, int key) {
    // One editor at a time: a second start on the same cell goes to the open one
    // (unless typed into), a start elsewhere ends it first.
    for (wxWindow* child : GetChildren()) {
        auto* open = dynamic_cast<CGridCellEdit*>(child);
        if (!open || open->IsClosing()) continue;
        if (open->m_nRow == row && open->m_nColumn == col) {
            if (!open->HasTyped()) open->ApplyFirstKey(key);
            return;
        }
        open->EndEdit(true);
    }
    const wxString heading = GetItemText(0, col);
    const bool keep = m_bDriveLookup && CGridCellEdit::IsLookupColumn(heading);
    new CGridCellEdit(this, rect, style, id, row, col, keep ? text : wxString(), key, heading);
}

void CGridCtrl::EditCell(int row, int col, int firstKey) {
    if (row < 1) return;
    SetFocusCell(row, col);
    wxRect rect;
    if (!IsCellEditable(row, col) || !IsCellVisible(row, col) || !GetCellRect(row, col, &rect))
        return;
    NotifyOwner(row, col, GVN_BEGINLABELEDIT);
    CreateInPlaceEditControl(rect, EditStyleFor(GetItemFormat(row, col)), kEditorId, row, col,
                             GetItemText(row, col), firstKey);
}

void CGridCtrl::OnEndEditCell(int row, int col, const wxString& text) {
    if (text == GetItemText(row, col)) return;
    wxString value = text;
    if (IsMoneyColumn(col)) CValueCheck::FormatMoney(value);
    SetModified(true, row, col);
    SetItemText(row, col, value);
}

// Esc, and an editor left without typing, keep the cell as it was: the editor
// may have started empty, and its text then says nothing about the cell.
void CGridCtrl::OnEndInPlaceEdit(CGridNotifyEvent& event) {
    if (m_bInLookup || !HasWindow()) return;
    const int row = event.row, col = event.col;
    const int key = static_cast<int>(event.lParam);
    // A text the record's field refuses (reported) leaves the cell and the record as
    // they were.
    if (key != VK_ESCAPE && event.textChanged && event.strText != GetItemText(row, col)) {
        wxString text = event.strText;
        if (key == VK_RETURN && m_bDriveLookup && m_bLinkUpper && TakeLinkedLookupRow(col, text))
            return;
        if (WriteEditToRecord(row, col, text)) OnEndEditCell(row, col, text);
    }
    RedrawCell(row, col);
    // The owner learns the cell, the edited text and the ending key.
    if (wxWindow* owner = GetParent()) {
        CGridNotifyEvent note(event);
        note.SetEventObject(this);
        note.SetId(GetId());
        owner->GetEventHandler()->ProcessEvent(note);
    }

    if (key == VK_RETURN && m_bEditMode && m_nColCount > 0 && IsCellInGrid(m_cellFocus)) {
        GridCellId next(m_cellFocus.row, m_cellFocus.col + 1);
        if (m_cellFocus.col >= m_nColCount - 1) {
            next.col = std::min(1, m_nColCount - 1);
            OnHScroll(SB_TOP);
        } else if (!IsCellVisible(next.row, next.col)) {
            EnsureVisible(next.row, next.col);
            OnHScroll(SB_LINEDOWN);
        }
        m_mapKeptSelection.clear();
        m_cellAnchor = next;
        SelectRange(next.row, next.col, next.row, next.col);
        // In edit mode the focus move opens the editor on the next cell itself.
        const bool opened = m_bEditMode && next.row > 0 && next != m_cellFocus;
        SetFocusCell(next);
        if (!opened) EditCell(next.row, next.col, kEditKeyNone);
    } else if (const int wxKey = WxKeyFromVk(key)) {
        HandleKeyDown(wxKey, false, false);
        if (IsCellInGrid(m_cellFocus))
            OnEditCell(m_cellFocus.row, m_cellFocus.col, EditKeyForNavigation(wxKey));
    }
}

// The grid side of appending a record: a new numbered row, and edit mode.
void CGridCtrl::AppendNewRecord() {
    const int row = m_nRowCount;
    if (!SetRowCount(row + 1)) return;
    SetItemText(row, 0, wxString::Format("%i", row));
    SetEditMode(true);
    if (HasWindow()) Refresh(false);
}
