// Cut, copy and paste of CGridCtrl cells as text: rows on line feeds, cells on tabs.
#include "grid/grid_ctrl.h"

#include "res/command_ids.h"

#include <algorithm>
#include <climits>
#include <wx/clipbrd.h>

namespace {

bool IsDigit(wxUniChar ch) {
    return ch >= '0' && ch <= '9';
}

// A comma between a digit and exactly three more digits groups thousands ("1,234.50")
// and stays inside its field.
bool IsThousandsComma(const wxString& line, size_t i) {
    if (i == 0 || !IsDigit(line[i - 1]) || i + 3 >= line.length()) return false;
    for (size_t k = i + 1; k <= i + 3; ++k)
        if (!IsDigit(line[k])) return false;
    return i + 4 == line.length() || !IsDigit(line[i + 4]);
}

// The fields of one pasted line. A line holding a tab is split at tabs only, so that
// texts with commas (a part's name, a grouped amount) copied out of a grid come back
// whole; other lines also split at commas. A run of separators counts as one.
std::vector<wxString> SplitPastedLine(const wxString& line) {
    const bool tabbed = line.Find('\t') != wxNOT_FOUND;
    std::vector<wxString> fields;
    wxString field;
    for (size_t i = 0; i < line.length(); ++i) {
        const wxUniChar ch = line[i];
        const bool separator = ch == '\t' || (!tabbed && ch == ',' && !IsThousandsComma(line, i));
        if (!separator) {
            field += ch;
            continue;
        }
        if (!field.empty()) fields.push_back(field);
        field.clear();
    }
    if (!field.empty()) fields.push_back(field);
    if (line.empty()) fields.push_back(" "); // an empty line empties its first cell
    for (wxString& text : fields)
        text.Trim(true).Trim(false); // blanks, tabs and carriage returns
    return fields;
}

std::vector<std::vector<wxString>> SplitPastedText(const wxString& text) {
    std::vector<std::vector<wxString>> lines;
    size_t start = 0;
    while (start < text.length()) {
        size_t end = text.find('\n', start);
        if (end == wxString::npos) end = text.length();
        lines.push_back(SplitPastedLine(text.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

} // namespace

std::unique_ptr<wxTextDataObject> CGridCtrl::CopyTextFromGrid() const {
    const std::vector<GridCellId> selected = GetSelectedCells();
    if (selected.empty()) return nullptr;
    GridCellRange range(INT_MAX, INT_MAX, -1, -1);
    for (const GridCellId& cell : selected) {
        range.minRow = std::min(range.minRow, cell.row);
        range.minCol = std::min(range.minCol, cell.col);
        range.maxRow = std::max(range.maxRow, cell.row);
        range.maxCol = std::max(range.maxCol, cell.col);
    }
    if (!IsRangeInGrid(range)) return nullptr;
    wxString text;
    for (int r = range.minRow; r <= range.maxRow; ++r) {
        if (r > range.minRow) text += '\n';
        for (int c = range.minCol; c <= range.maxCol; ++c) {
            if (c > range.minCol) text += '\t';
            if (!(GetItemState(r, c) & GVIS_SELECTED)) continue;
            const wxString cellText = GetItemText(r, c);
            text += cellText.empty() ? wxString(" ") : cellText;
        }
    }
    return std::make_unique<wxTextDataObject>(text);
}

bool CGridCtrl::PutPastedText(int row, int col, const wxString& text) {
    wxString stored = text;
    // The record takes the text as from an edit; a refused text (reported) leaves
    // cell and record as they were.
    if (!WriteEditToRecord(row, col, stored)) return false;
    OnEndEditCell(row, col, stored);
    return true;
}

void CGridCtrl::CutSelectedText() {
    if (!m_bEditMode) return;
    for (const GridCellId& cell : GetSelectedCells()) {
        if (!IsCellEditable(cell.row, cell.col)) continue;
        NotifyOwner(cell.row, cell.col, GVN_BEGINLABELEDIT);
        wxString empty;
        if (WriteEditToRecord(cell.row, cell.col, empty)) {
            DestroyCell(GetCell(cell.row, cell.col), cell.row, cell.col);
            // The focus cell keeps its frame.
            if (cell == m_cellFocus) SetItemState(cell.row, cell.col, GVIS_FOCUSED);
            SetModified(true, cell.row, cell.col);
        }
        NotifyOwner(cell.row, cell.col, GVN_ENDLABELEDIT);
    }
    if (HasWindow()) Refresh(false);
}

bool CGridCtrl::PasteTextToGrid(const GridCellId& cell, const wxString& text) {
    if (!IsCellInGrid(cell) || !IsCellEditable(cell.row, cell.col)) return false;
    const std::vector<std::vector<wxString>> lines = SplitPastedText(text);
    for (size_t i = 0; i < lines.size(); ++i)
        for (size_t j = 0; j < lines[i].size(); ++j) {
            const int row = cell.row + static_cast<int>(i);
            const int col = cell.col + static_cast<int>(j);
            // Fields beyond the grid are dropped; read-only cells keep their text.
            if (!IsCellInGrid(row, col) || !IsCellEditable(row, col)) continue;
            NotifyOwner(row, col, GVN_BEGINLABELEDIT);
            PutPastedText(row, col, lines[i][j]);
            NotifyOwner(row, col, GVN_ENDLABELEDIT);
            SetItemState(row, col, GetItemState(row, col) & ~GVIS_SELECTED);
        }
    if (HasWindow()) Refresh(false);
    return true;
}

void CGridCtrl::OnEditCut() {
    if (!m_bEditMode) return;
    OnEditCopy();
    CutSelectedText();
}

void CGridCtrl::OnEditCopy() {
    std::unique_ptr<wxTextDataObject> data = CopyTextFromGrid();
    if (!data || !wxTheClipboard->Open()) return;
    wxTheClipboard->SetData(data.release());
    wxTheClipboard->Close();
}

void CGridCtrl::OnEditPaste() {
    if (!m_bEditMode) return;
    const GridCellId cell = IsCellInGrid(m_cellFocus) ? m_cellFocus : GetTopleftNonFixedCell();
    wxTextDataObject data;
    if (!wxTheClipboard->Open()) return;
    const bool got = wxTheClipboard->GetData(data); // false when it holds no text
    wxTheClipboard->Close();
    if (got) PasteTextToGrid(cell, data.GetText());
}

void CGridCtrl::OnEditSelectAll() {
    SelectEverything();
}

void CGridCtrl::OnEditCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
    case ID_EDIT_CUT:
        OnEditCut();
        break;
    case ID_EDIT_COPY:
        OnEditCopy();
        break;
    case ID_EDIT_PASTE:
        OnEditPaste();
        break;
    case kSelectAllCommand:
        OnEditSelectAll();
        break;
    default:
        event.Skip();
        break;
    }
}

void CGridCtrl::OnUpdateEditCommand(wxUpdateUIEvent& event) {
    const bool anySelected = !m_mapSelected.empty();
    switch (event.GetId()) {
    case ID_EDIT_CUT:
        event.Enable(anySelected && m_bEditMode);
        break;
    case ID_EDIT_COPY:
        event.Enable(anySelected);
        break;
    case ID_EDIT_PASTE:
        event.Enable(IsCellInGrid(m_cellFocus) &&
                     IsCellEditable(m_cellFocus.row, m_cellFocus.col) &&
                     (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) ||
                      wxTheClipboard->IsSupported(wxDF_TEXT)));
        break;
    case kSelectAllCommand:
        event.Enable(m_bSelectOn);
        break;
    default:
        event.Skip();
        break;
    }
}
