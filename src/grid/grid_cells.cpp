// Cells and item access of CGridCtrl.
#include "grid/grid_ctrl.h"

namespace {
// Row and column each keep all their bits: grids hold more than 65,535 rows.
std::uint64_t CellKey(int row, int col) {
    return static_cast<std::uint32_t>(row) | (std::uint64_t(static_cast<std::uint32_t>(col)) << 32);
}
} // namespace

CGridCell* CGridCtrl::CreateCell(int row, int col) {
    auto* cell = new CGridCell;
    // A new cell takes the alignment of the cell above it.
    if (row > 0 && col >= 0 && col < m_nColCount &&
        static_cast<size_t>(row - 1) < m_arRows.size()) {
        const Row& above = m_arRows[row - 1];
        if (static_cast<size_t>(col) < above.size() && above[col])
            cell->format = above[col]->format;
    }
    cell->font = m_fontCells;
    return cell;
}

void CGridCtrl::DestroyCell(CGridCell* cell, int row, int col) {
    if (!cell) return;
    SetItemState(row, col, 0);
    cell->text.clear();
}

CGridCell* CGridCtrl::GetCell(int row, int col) const {
    if (row < 0 || col < 0 || row >= m_nRowCount || col >= m_nColCount) return nullptr;
    if (static_cast<size_t>(row) >= m_arRows.size()) return nullptr;
    const Row& cells = m_arRows[row];
    if (static_cast<size_t>(col) >= cells.size()) return nullptr;
    return cells[col].get();
}

bool CGridCtrl::SetItem(const GridItem* item) {
    if (!item) return false;
    CGridCell* cell = GetCell(item->row, item->col);
    if (!cell) return false;
    if (item->mask & GVIF_TEXT) cell->text = item->strText;
    if (item->mask & GVIF_PARAM) cell->lParam = item->lParam;
    if (item->mask & GVIF_IMAGE) cell->image = item->iImage;
    if (item->mask & GVIF_STATE) cell->state = item->state;
    if (item->mask & GVIF_FORMAT) cell->format = item->nFormat;
    if (item->mask & GVIF_BKCLR) cell->crBkClr = item->crBkClr;
    if (item->mask & GVIF_FGCLR) cell->crFgClr = item->crFgClr;
    if (item->mask & GVIF_FONT) cell->font = item->font;
    return true;
}

bool CGridCtrl::GetItem(GridItem* item) const {
    if (!item) return false;
    const CGridCell* cell = GetCell(item->row, item->col);
    if (!cell) return false;
    if (item->mask & GVIF_TEXT) item->strText = GetItemText(item->row, item->col);
    if (item->mask & GVIF_PARAM) item->lParam = cell->lParam;
    if (item->mask & GVIF_IMAGE) item->iImage = cell->image;
    if (item->mask & GVIF_STATE) item->state = cell->state;
    if (item->mask & GVIF_FORMAT) item->nFormat = cell->format;
    if (item->mask & GVIF_BKCLR) item->crBkClr = cell->crBkClr;
    if (item->mask & GVIF_FGCLR) item->crFgClr = cell->crFgClr;
    if (item->mask & GVIF_FONT) item->font = cell->font;
    return true;
}

wxString CGridCtrl::GetItemText(int row, int col) const {
    const CGridCell* cell = GetCell(row, col);
    return cell ? cell->text : wxString();
}

bool CGridCtrl::SetItemText(int row, int col, const wxString& text) {
    CGridCell* cell = GetCell(row, col);
    if (!cell) return false;
    cell->text = text;
    return true;
}

bool CGridCtrl::SetItemImage(int row, int col, int image) {
    CGridCell* cell = GetCell(row, col);
    if (!cell) return false;
    cell->image = image;
    return true;
}

int CGridCtrl::GetItemImage(int row, int col) const {
    const CGridCell* cell = GetCell(row, col);
    return cell ? cell->image : -1;
}

bool CGridCtrl::SetItemState(int row, int col, unsigned state) {
    CGridCell* cell = GetCell(row, col);
    if (!cell) return false;
    const std::uint64_t key = CellKey(row, col);
    const bool wasSelected = cell->state & GVIS_SELECTED;
    const bool isSelected = state & GVIS_SELECTED;
    if (wasSelected && !isSelected) m_mapSelected.erase(key);
    if (!wasSelected && isSelected) m_mapSelected[key] = GridCellId(row, col);
    cell->state = state;
    return true;
}

unsigned CGridCtrl::GetItemState(int row, int col) const {
    const CGridCell* cell = GetCell(row, col);
    return cell ? cell->state : 0;
}

bool CGridCtrl::SetItemFormat(int row, int col, unsigned format) {
    CGridCell* cell = GetCell(row, col);
    if (!cell) return false;
    cell->format = format;
    return true;
}

unsigned CGridCtrl::GetItemFormat(int row, int col) const {
    const CGridCell* cell = GetCell(row, col);
    return cell ? cell->format : 0;
}

bool CGridCtrl::SetItemFont(int row, int col, const LogFont* font) {
    CGridCell* cell = GetCell(row, col);
    if (!cell || !font) return false;
    cell->font = *font == m_lfCells ? m_fontCells : font->ToFont();
    return true;
}

LogFont CGridCtrl::GetItemFont(int row, int col) const {
    const CGridCell* cell = GetCell(row, col);
    if (!cell || cell->font.IsSameAs(m_fontCells)) return m_lfCells;
    return LogFont::FromFont(cell->font);
}

void CGridCtrl::SetModified(bool modified, int row, int col) {
    if (row < 1 || col < 1) {
        m_bAnyModified = modified;
    } else if (CGridCell* cell = GetCell(row, col)) {
        if (modified) {
            SetItemState(row, col, cell->state | GVIS_MODIFIED);
            m_bAnyModified = true;
        } else {
            SetItemState(row, col, cell->state & ~GVIS_MODIFIED);
        }
    }
    if (!m_bAnyModified)
        for (int r = 0; r < m_nRowCount; ++r)
            for (int c = 0; c < m_nColCount; ++c)
                if (CGridCell* cell = GetCell(r, c))
                    if (cell->state & GVIS_MODIFIED)
                        SetItemState(r, c, cell->state & ~GVIS_MODIFIED);
}

bool CGridCtrl::IsCellEditable(int row, int col) const {
    if (!IsCellInGrid(row, col)) return false;
    return m_bEditMode && !(GetItemState(row, col) & GVIS_READONLY);
}

std::vector<GridCellId> CGridCtrl::GetSelectedCells() const {
    std::vector<GridCellId> cells;
    cells.reserve(m_mapSelected.size());
    for (const auto& entry : m_mapSelected)
        cells.push_back(entry.second);
    return cells;
}
