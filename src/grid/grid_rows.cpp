// Row operations on a bound grid: selecting a row for typing, renumbering, and
// inserting an empty record above the focus row.
#include "grid/grid_ctrl.h"
#include "grid/grid_record_fields.h"

#include "platform/message_box.h"

#include <unordered_map>

namespace {

// The first condition of a filter "field = 'value'" taken apart; empty when the
// filter has none.
void SplitFilter(const ado::Variant& filter, wxString& field, wxString& value) {
    field.clear();
    value.clear();
    if (filter.IsNull() || filter.IsEmpty()) return;
    const wxString text = wxString::FromUTF8(filter.ToString());
    const size_t equals = text.find('=');
    if (text == "0" || equals == wxString::npos) return;
    field = text.Left(equals);
    field.Trim(true).Trim(false);
    const size_t open = text.find('\'', equals);
    if (open == wxString::npos) return;
    for (size_t i = open + 1; i < text.length(); ++i) {
        if (text[i] != '\'') {
            value += text[i];
        } else if (i + 1 < text.length() && text[i + 1] == '\'') {
            value += '\'';
            ++i;
        } else {
            break;
        }
    }
}

long BookmarkOf(ado::Recordset& rs) {
    return static_cast<long>(rs.Bookmark().ToDouble());
}

} // namespace

int CGridCtrl::SelectRow(int row) {
    // Adding a line belongs to the work pages, which add the record behind it.
    if (row < 0) return 0;
    ClearSelectionAndFocus();
    SetFocusCell(row, 1);
    SelectRange(row, m_nFixedColCount > 0 ? 0 : 1, row, m_nColCount - 1);
    if (row < m_nRowCount - 1) SetFocusCell(row + 1, 1);
    EditCell(m_cellFocus.row, m_cellFocus.col, kEditKeyNone);
    if (HasWindow()) Refresh();
    return 1;
}

bool CGridCtrl::RenumberRows() {
    for (int row = 1; row < m_nRowCount; ++row)
        SetItemText(row, 0, wxString::Format("%d", row));
    if (m_nRowCount > 1000) SetColumnWidth(0, 40);
    return true;
}

// The records from the focus row's on move down by one (their contents, not their
// numbers `no`), so the empty line keeps the document's order.
void CGridCtrl::OnInsertRow() {
    if (!m_bEditMode) {
        platform::ShowMessageBox("非编辑状态下不允许此项操作");
        return;
    }
    const int row = m_cellFocus.row;
    if (!MoveToRowRecord(row)) return;
    ado::Recordset& rs = *m_rsBound;
    const long at = rs.AbsolutePosition();
    wxString filterField, filterValue;
    SplitFilter(rs.Filter(), filterField, filterValue);

    // Bookmarks in the present order, to tell every row where its contents went.
    std::vector<long> marks;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
        marks.push_back(BookmarkOf(rs));
    std::unordered_map<long, long> positionOf;
    for (size_t i = 0; i < marks.size(); ++i)
        positionOf[marks[i]] = static_cast<long>(i) + 1;

    ado::Fields& fields = rs.Fields();
    const int count = fields.Count();
    rs.AddNew();
    if (!filterField.empty())
        fields.Item(filterField.utf8_string()).PutValue(ado::Variant(filterValue.utf8_string()));
    rs.Update();
    marks.push_back(BookmarkOf(rs));
    const int numberField = fields.IndexOf("no");
    const long last = static_cast<long>(marks.size());

    std::vector<ado::Variant> values(static_cast<size_t>(count));
    for (long pos = last; pos > at; --pos) {
        rs.PutAbsolutePosition(pos - 1);
        for (int f = 0; f < count; ++f)
            if (f != numberField) values[f] = fields.Item(f).Value();
        rs.PutAbsolutePosition(pos);
        for (int f = 0; f < count; ++f)
            if (f != numberField) fields.Item(f).PutValue(values[f]);
        rs.Update();
    }
    rs.PutAbsolutePosition(at);
    for (int f = 0; f < count; ++f) {
        const std::string& name = fields.Item(f).Name();
        if (f == numberField || name == "flag" ||
            (!filterField.empty() && name == filterField.utf8_string()))
            continue;
        fields.Item(f).PutValue(grid_fields::EmptyValue(fields.Item(f).Type()));
    }
    rs.Update();

    for (int r = 1; r < m_nRowCount; ++r) {
        CGridCell* cell = GetCell(r, 0);
        if (!cell || cell->lParam <= 0) continue;
        auto found = positionOf.find(cell->lParam);
        if (found != positionOf.end() && found->second >= at && found->second < last)
            cell->lParam = marks[static_cast<size_t>(found->second)];
    }
    InsertRow(wxString(), row);
    for (int r = row; r < m_nRowCount; ++r)
        SetItemText(r, 0, wxString::Format("%i", r));
    rs.PutAbsolutePosition(at);
    FillRowFromRecord(row);
    if (HasWindow()) Refresh();
}
