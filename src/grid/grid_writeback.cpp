// Carrying grid edits and typed rows into the bound recordset, and deleting rows and
// records. The edits stay in the recordset's batch until the owner saves its data set.
#include "grid/grid_ctrl.h"
#include "grid/grid_record_fields.h"

#include "data/value_check.h"
#include "platform/gbk.h"
#include "platform/message_box.h"

namespace {

// Puts a cell text into the current record's field. An empty text clears the field
// (a number or date becomes empty rather than refused). A text the field cannot take
// shows the format message with the cell's place and changes nothing.
bool StoreText(ado::Field& field, const wxString& text, int row, int col) {
    const long type = field.Type();
    try {
        if (text.empty())
            field.PutValue(grid_fields::EmptyValue(type));
        else if ((type == ado::adDate || (type >= 133 && type <= 135)) && text == "0:00:00")
            field.PutValue(ado::Variant::Date(0)); // the empty date
        else if (type == ado::adChar)
            field.PutValue(ado::Variant(text.utf8_string()));
        else
            field.PutValue(
                ado::Variant(text.utf8_string())
                    .ChangeType(static_cast<ado::VARTYPE>(CValueCheck::MapFieldType(type, false))));
        return true;
    } catch (const ado::ComError&) {
        platform::ShowMessageBox(
            wxString::Format(wxString::FromUTF8("系统不支持第%i行,第%i列的数据格式！"), row, col)
                .utf8_string());
        return false;
    }
}

// The typed text checked for the field (the check reports what it refuses) and
// stored. False, with the record unchanged, when either refused it; else *stored is
// the text the field took.
bool CheckAndStore(ado::Field& field, const wxString& text, int row, int col, wxString* stored) {
    // A typed text longer than its field is refused rather than cut behind the
    // operator's back.
    const long type = field.Type();
    if ((type == 129 || (type >= 200 && type <= 202)) && field.DefinedSize() > 0 &&
        platform::GbkLength(text.utf8_string()) > static_cast<size_t>(field.DefinedSize())) {
        platform::ShowMessageBox(
            wxString::Format(
                wxString::FromUTF8("文字太长,这一栏最多%ld个字节(一个汉字占两个字节)!"),
                field.DefinedSize())
                .utf8_string());
        return false;
    }
    wxString checked;
    if (!CValueCheck::CheckAccepted(text, field.Type(), field.DefinedSize(), &checked,
                                    field.Precision(), field.NumericScale()))
        return false;
    if (!StoreText(field, checked, row, col)) return false;
    *stored = checked;
    return true;
}

} // namespace

void CGridCtrl::PutFieldText(int col, int row, const wxString& text) {
    if (!m_bPickGrid && MoveToRowRecord(row)) {
        ado::Fields& fields = m_rsBound->Fields();
        const int field = grid_fields::FieldOfTitle(fields, GetItemText(0, col));
        if (field >= 0) StoreText(fields.Item(field), text, row, col);
    }
    if (HasWindow()) Refresh();
}

bool CGridCtrl::WriteEditToRecord(int row, int col, wxString& text) {
    if (m_bPickGrid || !m_rsBound || !m_rsBound->IsOpen()) return true;
    ado::Fields& fields = m_rsBound->Fields();
    const int index = grid_fields::FieldOfTitle(fields, GetItemText(0, col));
    if (index < 0 || !MoveToRowRecord(row)) return true; // a cell with no field behind it
    if (!CheckAndStore(fields.Item(index), text, row, col, &text)) return false;
    SetModified(true);
    return true;
}

// Cells the field refuses (reported) keep their text and leave the field as it was;
// empty cells leave their fields alone.
int CGridCtrl::SaveRowToRecord(int row, int recordNo) {
    m_rsBound->MoveFirst();
    if (recordNo > 1) m_rsBound->Move(recordNo - 1);
    ado::Fields& fields = m_rsBound->Fields();
    for (int col = 1; col < m_nColCount; ++col) {
        wxString text = GetItemText(row, col);
        const int index = grid_fields::FieldOfTitle(fields, GetItemText(0, col));
        if (text.empty() || index < 0) continue;
        if (CheckAndStore(fields.Item(index), text, row, col, &text)) SetItemText(row, col, text);
    }
    const int last = m_nRowCount - 1;
    EnsureVisible(last, 1);
    SelectRow(last);
    return 1;
}

void CGridCtrl::DeleteRowAndRenumber(int row) {
    if (row < 1) row = m_cellFocus.row;
    if (row < 1) return;
    DeleteRow(row);
    for (int r = row; r < m_nRowCount; ++r)
        SetItemText(r, 0, wxString::Format("%i", r));
    if (HasWindow()) Refresh();
}

// Deletes the record shown in the focus row (on a zyxm grid too, whose rows sit one
// record further on), then the row.
bool CGridCtrl::DeleteSelectedRecord() {
    if (!m_rsBound || !m_rsBound->IsOpen()) return true;
    long count = m_rsBound->RecordCount();
    if (count > m_nRowCount - 1) count -= 1;
    if (count <= 0) return true;
    const int row = m_cellFocus.row;
    if (row < 1) {
        platform::ShowMessageBox("请先选取数据！");
        return false;
    }
    if (MoveToRowRecord(row)) m_rsBound->Delete(ado::adAffectCurrent);
    ClearSelectionAndFocus();
    DeleteRowAndRenumber(row);
    if (row >= 2) SelectRow(row - 1);
    return true;
}
