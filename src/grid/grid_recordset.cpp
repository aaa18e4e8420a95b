// The grid's bound recordset: which record a row shows, and reloading the rows.
#include "grid/grid_ctrl.h"
#include "grid/grid_record_fields.h"

#include "data/data_progress.h"

namespace {
// The zyxm recordset starts with a record the grid never shows.
bool SkipsFirstRecord(const wxString& table) {
    return table == "zyxm";
}
} // namespace

void CGridCtrl::SetRowRecord(int row, long bookmark) {
    if (CGridCell* cell = GetCell(row, 0)) cell->lParam = bookmark;
}

// A row loaded from the recordset knows its record, so sorted rows still reach their
// own; other rows stand for the record at their position.
bool CGridCtrl::MoveToRowRecord(int row) {
    if (!m_rsBound || !m_rsBound->IsOpen() || row < 1 || row >= m_nRowCount) return false;
    const CGridCell* cell = GetCell(row, 0);
    try {
        if (cell && cell->lParam > 0) {
            m_rsBound->PutBookmark(ado::Variant(static_cast<double>(cell->lParam)));
            return !m_rsBound->EndOfFile() && !m_rsBound->BOF();
        }
        const long count = m_rsBound->RecordCount();
        const long offset = SkipsFirstRecord(m_strTableName) ? row : row - 1;
        if (count < 1 || offset > count - 1) return false;
        m_rsBound->MoveFirst();
        if (offset > 0) m_rsBound->Move(offset);
        return !m_rsBound->EndOfFile();
    } catch (const ado::ComError&) {
        return false; // the record is gone (deleted, filtered out)
    }
}

void CGridCtrl::FillRowFromRecord(int row) {
    if (!m_rsBound || !m_rsBound->IsOpen() || m_rsBound->EndOfFile() || m_rsBound->BOF()) return;
    ado::Fields& fields = m_rsBound->Fields();
    for (int col = 1; col < m_nColCount; ++col) {
        const int field = grid_fields::FieldOfTitle(fields, GetItemText(0, col));
        if (field >= 0) SetItemText(row, col, grid_fields::CellText(fields.Item(field)));
    }
    SetRowRecord(row, static_cast<long>(m_rsBound->Bookmark().ToDouble()));
}

void CGridCtrl::LoadRecordset() {
    if (m_nColCount < 1) return;
    // The titles stay; all other rows go at once.
    SetRowCount(std::max(1, m_nFixedRowCount));
    SetRowCount(1);
    if (!m_rsBound || !m_rsBound->IsOpen()) return;
    const long count = m_rsBound->RecordCount();
    std::unique_ptr<CDataProgress> progress;
    if (count > 0)
        progress = std::make_unique<CDataProgress>(wxString::FromUTF8("正在加载数据..."), 40,
                                                   static_cast<int>(count), false);
    std::vector<wxString> titles;
    for (int col = 0; col < m_nColCount; ++col)
        titles.push_back(GetItemText(0, col));
    ado::Fields& fields = m_rsBound->Fields();
    const std::vector<int> fieldOf = grid_fields::FieldsOfColumns(fields, titles);
    std::vector<ado::Field*> fieldAt(fieldOf.size(), nullptr);
    for (size_t col = 1; col < fieldOf.size(); ++col)
        if (fieldOf[col] >= 0) fieldAt[col] = &fields.Item(fieldOf[col]);

    // The hidden zyxm record is the first in the recordset's own order, also when the
    // rows are sorted by something else.
    long hidden = 0;
    if (count > 0 && SkipsFirstRecord(m_strTableName)) {
        const std::string sort = m_rsBound->Sort();
        if (!sort.empty()) m_rsBound->PutSort(std::string());
        m_rsBound->MoveFirst();
        hidden = static_cast<long>(m_rsBound->Bookmark().ToDouble());
        if (!sort.empty()) m_rsBound->PutSort(sort);
    }
    if (count > 0) m_rsBound->MoveFirst();
    // Rows are made in one step; adding them one by one costs a pass each.
    const int first = m_nRowCount;
    SetRowCount(first + static_cast<int>(std::max(0L, count)));
    int row = first;
    for (; count > 0 && !m_rsBound->EndOfFile(); m_rsBound->MoveNext()) {
        const long bookmark = static_cast<long>(m_rsBound->Bookmark().ToDouble());
        if (bookmark == hidden) continue;
        if (count > 40) progress->StepIt();
        Row& cells = m_arRows[row];
        cells[0]->text = grid_fields::NumberText(row);
        cells[0]->lParam = bookmark;
        for (int col = 1; col < m_nColCount; ++col)
            if (fieldAt[col]) cells[col]->text = grid_fields::CellText(*fieldAt[col]);
        ++row;
    }
    SetRowCount(row);
    ResetScrollBars();
    if (HasWindow()) Refresh(false);
}
