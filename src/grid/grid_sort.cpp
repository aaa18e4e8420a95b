// Sorting the data rows: in the grid by a column's text or number (a header click,
// the forms), or through the bound recordset (the popup command "排序").
#include "grid/grid_ctrl.h"
#include "grid/grid_text.h"

#include "data/wait_cursor.h"
#include "platform/message_box.h"

namespace {

// A text as a number the way the sort reads it: empty, or no number at all, is 0;
// single precision, as the sort always compared.
float SortNumber(const wxString& text) {
    wxString trimmed = text;
    trimmed.Trim(true).Trim(false);
    double value = 0;
    if (trimmed.empty() || !trimmed.ToCDouble(&value)) return 0.0f;
    return static_cast<float>(value);
}

// Quicksort of rows low..high on one column. key(row) gives the value compared,
// less(a, b) the order; swapRows exchanges two whole rows.
template <typename Key, typename Less, typename Swap>
bool QuickSortRows(const CGridCtrl& grid, int col, bool ascending, int low, int high,
                   const Key& key, const Less& less, const Swap& swapRows) {
    if (col >= grid.GetColumnCount()) return false;
    if (high == -1) high = grid.GetRowCount() - 1;
    if (high <= low) return false;
    const auto pivot = key((low + high) / 2);
    int lo = low, hi = high;
    while (lo <= hi) {
        if (ascending) {
            while (lo < high && less(key(lo), pivot))
                ++lo;
            while (hi > low && less(pivot, key(hi)))
                --hi;
        } else {
            while (lo < high && less(pivot, key(lo)))
                ++lo;
            while (hi > low && less(key(hi), pivot))
                --hi;
        }
        if (lo > hi) break;
        if (grid.GetItemText(lo, col) != grid.GetItemText(hi, col)) swapRows(lo, hi);
        ++lo;
        --hi;
    }
    if (low < hi) QuickSortRows(grid, col, ascending, low, hi, key, less, swapRows);
    if (lo < high) QuickSortRows(grid, col, ascending, lo, high, key, less, swapRows);
    return true;
}

} // namespace

void CGridCtrl::OnFixedRowClick(const GridCellId& cell) {
    if (!IsCellInGrid(cell)) return;
    if (!m_bWholeRows) {
        SelectEverything();
        return;
    }
    if (!m_bHeaderSorts) return;
    CWaitCursor wait;
    if (cell.col != m_nSortCol) {
        m_bSortUp = true;
        m_nSortCol = cell.col;
    } else {
        m_bSortUp = !m_bSortUp;
    }
    SortTextItems(m_nSortCol, m_bSortUp);
    if (HasWindow()) Refresh();
}

bool CGridCtrl::SortTextItems(int col, bool ascending) {
    ClearSelectionAndFocus();
    if (!SortTextItems(col, ascending, m_nFixedRowCount, -1)) return false;
    return RenumberRows();
}

bool CGridCtrl::SortNumericItems(int col, bool ascending) {
    ClearSelectionAndFocus();
    if (!SortNumericItems(col, ascending, m_nFixedRowCount, -1)) return false;
    return RenumberRows();
}

bool CGridCtrl::SortTextItems(int col, bool ascending, int low, int high) {
    auto key = [this, col](int row) { return GetItemText(row, col); };
    auto less = [](const wxString& a, const wxString& b) { return GbkCompare(a, b) < 0; };
    auto swapRows = [this](int a, int b) {
        std::swap(m_arRows[a], m_arRows[b]);
        std::swap(m_arRowHeights[a], m_arRowHeights[b]);
    };
    const bool sorted = QuickSortRows(*this, col, ascending, low, high, key, less, swapRows);
    InvalidateTopLeft();
    return sorted;
}

bool CGridCtrl::SortNumericItems(int col, bool ascending, int low, int high) {
    auto key = [this, col](int row) { return SortNumber(GetItemText(row, col)); };
    auto less = [](float a, float b) { return a < b; };
    auto swapRows = [this](int a, int b) {
        std::swap(m_arRows[a], m_arRows[b]);
        std::swap(m_arRowHeights[a], m_arRowHeights[b]);
    };
    const bool sorted = QuickSortRows(*this, col, ascending, low, high, key, less, swapRows);
    InvalidateTopLeft();
    return sorted;
}

// Always ascending. A column is recorded as the sort column only once the recordset
// is sorted by it, so IsSorted never claims an order the rows do not have.
void CGridCtrl::OnSortColumn() {
    const int col = m_cellFocus.col;
    if (col == m_nSortCol || col <= 0 || !m_rsBound || !m_rsBound->IsOpen()) return;
    ClearSelectionAndFocus();
    const wxString title = GetItemText(0, col);
    if (m_bEditMode &&
        platform::ShowMessageBox(
            (wxString::FromUTF8("真要按“") + title + wxString::FromUTF8("”排序？")).utf8_string(),
            std::string(), platform::MB_YESNO) != platform::IDYES)
        return;
    const int field = m_rsBound->Fields().IndexOf(title.utf8_string());
    if (field < 0) return;
    const long type = m_rsBound->Fields().Item(field).Type();
    if (m_bEditMode && (type == 131 || type == 3)) {
        platform::ShowMessageBox("编辑时不能进行数据类排序!");
        return;
    }
    m_nSortCol = col;
    m_rsBound->PutSort((title + " ASC").utf8_string());
    LoadRecordset();
    if (HasWindow()) Refresh();
}

void CGridCtrl::ClearSort() {
    m_nSortCol = -1;
    if (m_rsBound && m_rsBound->IsOpen()) {
        m_rsBound->PutSort(std::string());
        LoadRecordset();
    }
    if (HasWindow()) Refresh();
}

// Lists are written with a comma after every entry; an item is in the list when it
// is one whole entry (a last entry without its comma never matches).
bool CGridCtrl::TextInList(const wxString& item, const wxString& list) {
    if (item.empty()) return true;
    size_t start = 0;
    for (size_t comma = list.find(','); comma != wxString::npos; comma = list.find(',', start)) {
        if (list.Mid(start, comma - start) == item) return true;
        start = comma + 1;
    }
    return false;
}
