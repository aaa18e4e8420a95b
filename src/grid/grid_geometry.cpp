// Layout of CGridCtrl: counts, inserting and deleting, sizes, point to cell,
// visible ranges, scrolling, the grid font and autosize.
#include "grid/grid_ctrl.h"

#include <algorithm>
#include <wx/dcmemory.h>

namespace {

// Text is measured on a memory context, which works with or without a window.
class MeasureDC : public wxMemoryDC {
public:
    MeasureDC() : wxMemoryDC(Bitmap()) {}

private:
    static wxBitmap& Bitmap() {
        static wxBitmap bitmap(1, 1);
        return bitmap;
    }
};

} // namespace

bool CGridCtrl::SetRowCount(int n) {
    if (n < 0) return false;
    if (n == m_nRowCount) return true;
    if (n < m_nFixedRowCount) m_nFixedRowCount = n;
    if (m_cellFocus.row >= n) m_cellFocus = GridCellId();
    if (n < m_nRowCount) {
        for (int r = m_nRowCount - 1; r >= n; --r) {
            Row& cells = m_arRows[r];
            for (int c = 0; c < static_cast<int>(cells.size()); ++c)
                if (cells[c]) DestroyCell(cells[c].get(), r, c);
        }
        m_arRows.resize(n);
        m_arRowHeights.resize(n);
        m_nRowCount = n;
    } else {
        const int old = m_nRowCount;
        m_arRows.resize(n);
        m_arRowHeights.resize(n, m_nNewRowHeight);
        m_nRowCount = n;
        for (int r = old; r < n; ++r) {
            Row& cells = m_arRows[r];
            cells.resize(m_nColCount);
            for (int c = 0; c < m_nColCount; ++c)
                cells[c].reset(CreateCell(r, c));
        }
    }
    InvalidateTopLeft();
    if (HasWindow() && m_bDrawOn) {
        ResetScrollBars();
        Refresh(false);
    }
    return true;
}

bool CGridCtrl::SetColumnCount(int n) {
    if (n < 0) return false;
    if (n == m_nColCount) return true;
    if (n < m_nFixedColCount) m_nFixedColCount = n;
    if (m_cellFocus.col >= n) m_cellFocus = GridCellId();
    if (n < m_nColCount) {
        for (int r = 0; r < m_nRowCount; ++r) {
            Row& cells = m_arRows[r];
            for (int c = m_nColCount - 1; c >= n; --c)
                if (c < static_cast<int>(cells.size()) && cells[c])
                    DestroyCell(cells[c].get(), r, c);
            cells.resize(n);
        }
        m_arColWidths.resize(n);
        m_nColCount = n;
    } else {
        const int old = m_nColCount;
        m_arColWidths.resize(n, m_nNewColWidth);
        m_nColCount = n;
        for (int r = 0; r < m_nRowCount; ++r) {
            Row& cells = m_arRows[r];
            cells.resize(n);
            for (int c = old; c < n; ++c)
                cells[c].reset(CreateCell(r, c));
        }
    }
    InvalidateTopLeft();
    if (HasWindow() && m_bDrawOn) {
        ResetScrollBars();
        Refresh(false);
    }
    return true;
}

bool CGridCtrl::SetFixedRowCount(int n) {
    if (n < 0) return false;
    if (n > m_nRowCount && !SetRowCount(n)) return false;
    if (m_cellFocus.row >= 0 && m_cellFocus.row < n) m_cellFocus = GridCellId();
    m_nFixedRowCount = n;
    InvalidateTopLeft();
    if (HasWindow() && m_bDrawOn) Refresh(false);
    return true;
}

bool CGridCtrl::SetFixedColumnCount(int n) {
    if (n < 0) return false;
    if (n > m_nColCount && !SetColumnCount(n)) return false;
    if (m_cellFocus.col >= 0 && m_cellFocus.col < n) m_cellFocus = GridCellId();
    m_nFixedColCount = n;
    InvalidateTopLeft();
    if (HasWindow() && m_bDrawOn) Refresh(false);
    return true;
}

void CGridCtrl::ResetToCorner() {
    SetRowCount(1);
    SetColumnCount(1);
    SetFixedRowCount(1);
    SetFixedColumnCount(1);
}

int CGridCtrl::InsertRow(const wxString& heading, int row) {
    if (row < -1 || (row >= 0 && row >= m_nRowCount)) return -1;
    ClearSelectionAndFocus();
    if (m_nColCount < 1) SetColumnCount(1);
    const int index = row < 0 ? m_nRowCount : row;
    m_arRows.insert(m_arRows.begin() + index, Row());
    m_arRowHeights.insert(m_arRowHeights.begin() + index, m_nNewRowHeight);
    ++m_nRowCount;
    Row& cells = m_arRows[index];
    cells.resize(m_nColCount);
    for (int c = 0; c < m_nColCount; ++c)
        cells[c].reset(CreateCell(index, c));
    cells[0]->text = heading;
    m_arRowHeights[index] = GetTextExtent(heading, true).GetHeight();
    InvalidateTopLeft();
    ResetScrollBars();
    return index;
}

int CGridCtrl::InsertColumn(const wxString& heading, unsigned format, int col) {
    if (col < -1 || (col >= 0 && col >= m_nColCount)) return -1;
    ClearSelectionAndFocus();
    if (m_nRowCount < 1) SetRowCount(1);
    const int index = col < 0 ? m_nColCount : col;
    m_arColWidths.insert(m_arColWidths.begin() + index, m_nNewColWidth);
    ++m_nColCount;
    for (int r = 0; r < m_nRowCount; ++r) {
        Row& cells = m_arRows[r];
        cells.insert(cells.begin() + index, nullptr);
        cells[index].reset(CreateCell(r, index));
        cells[index]->format = format;
    }
    m_arRows[0][index]->text = heading;
    m_arColWidths[index] = GetTextExtent(heading, true).GetWidth();
    InvalidateTopLeft();
    ResetScrollBars();
    return index;
}

bool CGridCtrl::DeleteRow(int row) {
    if (row < 0 || row >= m_nRowCount) return false;
    ClearSelectionAndFocus();
    Row& cells = m_arRows[row];
    for (int c = 0; c < static_cast<int>(cells.size()); ++c)
        if (cells[c]) DestroyCell(cells[c].get(), row, c);
    m_arRows.erase(m_arRows.begin() + row);
    m_arRowHeights.erase(m_arRowHeights.begin() + row);
    --m_nRowCount;
    if (row < m_nFixedRowCount) --m_nFixedRowCount;
    InvalidateTopLeft();
    ResetScrollBars();
    return true;
}

bool CGridCtrl::DeleteColumn(int col) {
    if (col < 0 || col >= m_nColCount) return false;
    ClearSelectionAndFocus();
    for (int r = 0; r < m_nRowCount; ++r) {
        Row& cells = m_arRows[r];
        if (col >= static_cast<int>(cells.size())) continue;
        if (cells[col]) DestroyCell(cells[col].get(), r, col);
        cells.erase(cells.begin() + col);
    }
    m_arColWidths.erase(m_arColWidths.begin() + col);
    --m_nColCount;
    if (col < m_nFixedColCount) --m_nFixedColCount;
    InvalidateTopLeft();
    ResetScrollBars();
    return true;
}

bool CGridCtrl::DeleteNonFixedRows() {
    for (int r = m_nRowCount - 1; r >= m_nFixedRowCount; --r)
        DeleteRow(r);
    return true;
}

bool CGridCtrl::DeleteAllItems() {
    ClearSelectionAndFocus();
    for (int r = 0; r < m_nRowCount; ++r) {
        Row& cells = m_arRows[r];
        for (int c = 0; c < static_cast<int>(cells.size()); ++c)
            if (cells[c]) DestroyCell(cells[c].get(), r, c);
    }
    m_arRows.clear();
    m_arRowHeights.clear();
    m_arColWidths.clear();
    m_nRowCount = m_nColCount = m_nFixedRowCount = m_nFixedColCount = 0;
    m_cellFocus = GridCellId();
    InvalidateTopLeft();
    ResetScrollBars();
    return true;
}

int CGridCtrl::GetRowHeight(int row) const {
    if (row < 0 || row >= m_nRowCount) return -1;
    return m_arRowHeights[row];
}

int CGridCtrl::GetColumnWidth(int col) const {
    if (col < 0 || col >= m_nColCount) return -1;
    return m_arColWidths[col];
}

// Rows keep one common height: setting any row sets them all.
bool CGridCtrl::SetRowHeight(int row, int height) {
    if (row < 0 || row >= m_nRowCount || height < 0) return false;
    std::fill(m_arRowHeights.begin(), m_arRowHeights.end(), height);
    InvalidateTopLeft();
    return true;
}

bool CGridCtrl::SetColumnWidth(int col, int width) {
    if (col < 0 || col >= m_nColCount || width < 0) return false;
    m_arColWidths[col] = width;
    InvalidateTopLeft();
    return true;
}

int CGridCtrl::GetFixedRowHeight() const {
    int height = 0;
    for (int r = 0; r < m_nFixedRowCount; ++r)
        height += m_arRowHeights[r];
    return height;
}

int CGridCtrl::GetFixedColumnWidth() const {
    int width = 0;
    for (int c = 0; c < m_nFixedColCount; ++c)
        width += m_arColWidths[c];
    return width;
}

long CGridCtrl::GetVirtualHeight() const {
    long height = 0;
    for (int h : m_arRowHeights)
        height += h;
    return height;
}

long CGridCtrl::GetVirtualWidth() const {
    long width = 0;
    for (int w : m_arColWidths)
        width += w;
    return width;
}

namespace {
// The first index from `first` whose preceding sizes add up to at least `pos`, never
// past `last`; walks from the cached index so that scrolling costs what it passes.
int WalkToPosition(const std::vector<int>& sizes, int first, int last, int pos, int& cachedIndex,
                   int& cachedSum) {
    if (last < first) return first;
    int index = first, sum = 0;
    if (cachedIndex >= first && cachedIndex <= last) {
        index = cachedIndex;
        sum = cachedSum;
    }
    while (index > first && sum - sizes[index - 1] >= pos)
        sum -= sizes[--index];
    while (sum < pos && index < last)
        sum += sizes[index++];
    cachedIndex = index;
    cachedSum = sum;
    return index;
}
} // namespace

GridCellId CGridCtrl::GetTopleftNonFixedCell() const {
    GridCellId cell;
    cell.row = WalkToPosition(m_arRowHeights, m_nFixedRowCount, m_nRowCount - 1,
                              GetScrollPos32(wxVERTICAL), m_nCachedTopRow, m_nCachedTopSum);
    cell.col = WalkToPosition(m_arColWidths, m_nFixedColCount, m_nColCount - 1,
                              GetScrollPos32(wxHORIZONTAL), m_nCachedLeftCol, m_nCachedLeftSum);
    return cell;
}

GridCellRange CGridCtrl::GetVisibleNonFixedCellRange(wxRect* rect) const {
    const wxSize client = HasWindow() ? GetClientSize() : wxSize(0, 0);
    const GridCellId topLeft = GetTopleftNonFixedCell();
    int bottom = GetFixedRowHeight();
    int row = topLeft.row;
    for (; row < m_nRowCount; ++row) {
        bottom += m_arRowHeights[row];
        if (bottom >= client.GetHeight()) break;
    }
    int right = GetFixedColumnWidth();
    int col = topLeft.col;
    for (; col < m_nColCount; ++col) {
        right += m_arColWidths[col];
        if (right >= client.GetWidth()) break;
    }
    if (rect) *rect = wxRect(0, 0, right, bottom);
    return GridCellRange(topLeft.row, topLeft.col, std::min(row, m_nRowCount - 1),
                         std::min(col, m_nColCount - 1));
}

GridCellRange CGridCtrl::GetUnobstructedNonFixedCellRange() const {
    const wxSize client = HasWindow() ? GetClientSize() : wxSize(0, 0);
    const GridCellId topLeft = GetTopleftNonFixedCell();
    int bottom = GetFixedRowHeight();
    int row = topLeft.row;
    for (; row < m_nRowCount; ++row) {
        if (bottom + m_arRowHeights[row] > client.GetHeight()) break;
        bottom += m_arRowHeights[row];
    }
    int right = GetFixedColumnWidth();
    int col = topLeft.col;
    for (; col < m_nColCount; ++col) {
        if (right + m_arColWidths[col] > client.GetWidth()) break;
        right += m_arColWidths[col];
    }
    return GridCellRange(topLeft.row, topLeft.col, row - 1, col - 1);
}

bool CGridCtrl::GetCellOrigin(int row, int col, wxPoint* origin) const {
    if (!origin || !IsCellInGrid(row, col)) return false;
    const GridCellId topLeft = GetTopleftNonFixedCell();
    if ((row >= m_nFixedRowCount && row < topLeft.row) ||
        (col >= m_nFixedColCount && col < topLeft.col))
        return false;
    int x = 0;
    if (col < m_nFixedColCount) {
        for (int c = 0; c < col; ++c)
            x += m_arColWidths[c];
    } else {
        x = GetFixedColumnWidth();
        for (int c = topLeft.col; c < col; ++c)
            x += m_arColWidths[c];
    }
    int y = 0;
    if (row < m_nFixedRowCount) {
        for (int r = 0; r < row; ++r)
            y += m_arRowHeights[r];
    } else {
        y = GetFixedRowHeight();
        for (int r = topLeft.row; r < row; ++r)
            y += m_arRowHeights[r];
    }
    *origin = wxPoint(x, y);
    return true;
}

bool CGridCtrl::GetCellRect(int row, int col, wxRect* rect) const {
    wxPoint origin;
    if (!rect || !GetCellOrigin(row, col, &origin)) return false;
    *rect = wxRect(origin.x, origin.y, m_arColWidths[col], m_arRowHeights[row]);
    return true;
}

GridCellId CGridCtrl::GetCellFromPt(const wxPoint& point, bool allowFixed) const {
    const GridCellId topLeft = GetTopleftNonFixedCell();
    auto find = [allowFixed](int p, const std::vector<int>& sizes, int fixedCount, int count,
                             int fixedSize, int first) {
        if (p < 0) return -1;
        if (p < fixedSize) {
            if (!allowFixed) return -1;
            int edge = 0;
            for (int i = 0; i < fixedCount; ++i) {
                edge += sizes[i];
                if (edge > p) return i;
            }
            return -1;
        }
        int edge = fixedSize;
        for (int i = first; i < count; ++i) {
            edge += sizes[i];
            if (edge > p) return i;
        }
        return -1;
    };
    GridCellId cell;
    cell.col = find(point.x, m_arColWidths, m_nFixedColCount, m_nColCount, GetFixedColumnWidth(),
                    topLeft.col);
    cell.row = find(point.y, m_arRowHeights, m_nFixedRowCount, m_nRowCount, GetFixedRowHeight(),
                    topLeft.row);
    return cell;
}

// A non-fixed column must start 36 pixels inside the right edge to count as visible,
// so that a column showing only a sliver gets scrolled into view.
bool CGridCtrl::IsCellVisible(int row, int col) const {
    if (!HasWindow() || !IsCellInGrid(row, col)) return false;
    const GridCellId topLeft = GetTopleftNonFixedCell();
    if ((row >= m_nFixedRowCount && row < topLeft.row) ||
        (col >= m_nFixedColCount && col < topLeft.col))
        return false;
    const wxSize client = GetClientSize();
    const bool fixedCol = col < m_nFixedColCount;
    int x = fixedCol ? 0 : GetFixedColumnWidth() + 36;
    for (int c = fixedCol ? 0 : topLeft.col; c <= col; ++c) {
        if (x >= client.GetWidth()) return false;
        x += m_arColWidths[c];
    }
    const bool fixedRow = row < m_nFixedRowCount;
    int y = fixedRow ? 0 : GetFixedRowHeight();
    for (int r = fixedRow ? 0 : topLeft.row; r <= row; ++r) {
        if (y >= client.GetHeight()) return false;
        y += m_arRowHeights[r];
    }
    return true;
}

bool CGridCtrl::RedrawCell(int row, int col) {
    if (!HasWindow() || !m_bDrawOn || !IsCellVisible(row, col)) return false;
    wxRect rect;
    if (!GetCellRect(row, col, &rect)) return false;
    rect.width += 1;
    rect.height += 1;
    RefreshRect(rect, false);
    return true;
}

// Line steps as the scroll bar's line buttons make them, counted first and shown
// once, so that a far cell costs no repaint per row.
void CGridCtrl::EnsureVisible(int row, int col) {
    if (!HasWindow()) return;
    const GridCellRange visible = GetVisibleNonFixedCellRange();
    const int hPos = m_nHScrollPos, vPos = m_nVScrollPos;
    for (int i = col - visible.maxCol; i > 0; --i)
        StepLine(wxHORIZONTAL, true);
    for (int i = visible.minCol - col; i > 0; --i)
        StepLine(wxHORIZONTAL, false);
    for (int i = row - visible.maxRow; i > 0; --i)
        StepLine(wxVERTICAL, true);
    for (int i = visible.minRow - row; i > 0; --i)
        StepLine(wxVERTICAL, false);
    wxRect rect;
    if (GetCellRect(row, col, &rect)) {
        const wxSize client = GetClientSize();
        if (rect.GetRight() > client.GetWidth()) StepLine(wxHORIZONTAL, true);
        if (rect.GetBottom() > client.GetHeight()) StepLine(wxVERTICAL, true);
    }
    if (hPos == m_nHScrollPos && vPos == m_nVScrollPos) return;
    if (FindFocus() != this) SetFocus(); // ends an in-place edit
    SetScrollPos32(wxHORIZONTAL, m_nHScrollPos);
    SetScrollPos32(wxVERTICAL, m_nVScrollPos);
    Refresh(false);
}

// One line step of the position alone: the width (height) of the column (row)
// before or at the first visible one.
bool CGridCtrl::StepLine(int orient, bool forward) {
    const bool vertical = orient == wxVERTICAL;
    const std::vector<int>& sizes = vertical ? m_arRowHeights : m_arColWidths;
    const int fixedCount = vertical ? m_nFixedRowCount : m_nFixedColCount;
    const int range = vertical ? m_nVScrollRange : m_nHScrollRange;
    const int page = vertical ? m_nVScrollPage : m_nHScrollPage;
    int& pos = vertical ? m_nVScrollPos : m_nHScrollPos;
    const GridCellId topLeft = GetTopleftNonFixedCell();
    const int first = vertical ? topLeft.row : topLeft.col;
    const int old = pos;
    if (forward) {
        if (pos >= range || first >= static_cast<int>(sizes.size())) return false;
        pos = std::min(pos + sizes[first], range > 0 ? std::max(0, range + 1 - page) : 0);
    } else {
        if (pos < 1 || first <= fixedCount) return false;
        pos = std::max(pos - sizes[first - 1], 0);
    }
    return pos != old;
}

void CGridCtrl::ResetScrollBars() {
    if (!m_bDrawOn || !HasWindow()) return;
    const wxSize client = GetClientSize();
    const int pageHeight = std::max(0, client.GetHeight() - GetFixedRowHeight());
    const int pageWidth = std::max(0, client.GetWidth() - GetFixedColumnWidth());
    const long nonFixedHeight = GetVirtualHeight() - GetFixedRowHeight();
    const long nonFixedWidth = GetVirtualWidth() - GetFixedColumnWidth();
    if (nonFixedHeight > pageHeight) {
        const int firstRow = GetTopleftNonFixedCell().row;
        const int extra = firstRow < m_nRowCount ? m_arRowHeights[firstRow] : 0;
        m_nVScrollRange = static_cast<int>(nonFixedHeight) + extra;
    } else {
        m_nVScrollRange = 0;
    }
    m_nHScrollRange = nonFixedWidth > pageWidth ? static_cast<int>(nonFixedWidth) - 1 : 0;
    m_nVScrollPage = m_nVScrollRange ? pageHeight : 0;
    m_nHScrollPage = m_nHScrollRange ? pageWidth : 0;
    SetScrollPos32(wxVERTICAL, m_nVScrollPos);
    SetScrollPos32(wxHORIZONTAL, m_nHScrollPos);
}

int CGridCtrl::GetScrollPos32(int orient) const {
    return orient == wxVERTICAL ? m_nVScrollPos : m_nHScrollPos;
}

// Positions run from 0 to the range less the page, as the scroll bar allows.
void CGridCtrl::SetScrollPos32(int orient, int pos) {
    const bool vertical = orient == wxVERTICAL;
    const int range = vertical ? m_nVScrollRange : m_nHScrollRange;
    const int page = vertical ? m_nVScrollPage : m_nHScrollPage;
    const int maxPos = range > 0 ? std::max(0, range + 1 - page) : 0;
    pos = std::clamp(pos, 0, maxPos);
    (vertical ? m_nVScrollPos : m_nHScrollPos) = pos;
    if (HasWindow()) {
        if (range > 0)
            SetScrollbar(orient, pos, page, range + 1, true);
        else
            SetScrollbar(orient, 0, 0, 0, true);
    }
}

wxFont CGridCtrl::SemiBold(const wxFont& font) const {
    wxFont bold = font;
    if (bold.IsOk()) bold.SetNumericWeight(600);
    return bold;
}

wxSize CGridCtrl::GetTextExtent(const wxString& text, bool semiBold) const {
    MeasureDC dc;
    dc.SetFont(semiBold ? m_fontCellsSemiBold : m_fontCells);
    wxCoord w = 0, h = 0;
    dc.GetMultiLineTextExtent(text.empty() ? wxString(" ") : text, &w, &h);
    if (text.empty()) w = 0;
    return wxSize(w + 2 * m_nCellPadding, h + 2 * m_nCellPadding);
}

wxSize CGridCtrl::GetCellExtent(int row, int col, wxDC& dc) const {
    const CGridCell* cell = GetCell(row, col);
    if (!cell) return wxSize(0, 0);
    const bool fixed = row < m_nFixedRowCount || col < m_nFixedColCount;
    const wxFont& font = cell->font.IsOk() ? cell->font : m_fontCells;
    dc.SetFont(fixed ? (font.IsSameAs(m_fontCells) ? m_fontCellsSemiBold : SemiBold(font)) : font);
    const wxString text = GetItemText(row, col);
    wxCoord w = 0, h = 0;
    dc.GetMultiLineTextExtent(text.empty() ? wxString(" ") : text, &w, &h);
    if (text.empty()) w = 0;
    int imageWidth = 0, imageHeight = 0;
    if (cell->image >= 0 && m_pImages && cell->image < m_pImages->GetImageCount())
        m_pImages->GetSize(cell->image, imageWidth, imageHeight);
    return wxSize(w + 4 * m_nCellPadding + imageWidth,
                  std::max(h + 2 * m_nCellPadding, imageHeight));
}

bool CGridCtrl::AutoSizeColumn(int col) {
    if (col < 0 || col >= m_nColCount) return false;
    MeasureDC dc;
    int width = 0;
    for (int r = 0; r < m_nRowCount; ++r)
        width = std::max(width, GetCellExtent(r, col, dc).x);
    m_arColWidths[col] = width;
    InvalidateTopLeft();
    ResetScrollBars();
    return true;
}

bool CGridCtrl::AutoSizeRow(int row) {
    if (row < 0 || row >= m_nRowCount) return false;
    MeasureDC dc;
    int height = 0;
    for (int c = 0; c < m_nColCount; ++c)
        height = std::max(height, GetCellExtent(row, c, dc).y);
    m_arRowHeights[row] = height;
    InvalidateTopLeft();
    ResetScrollBars();
    return true;
}

void CGridCtrl::AutoSize() {
    MeasureDC dc;
    std::fill(m_arColWidths.begin(), m_arColWidths.end(), 0);
    std::fill(m_arRowHeights.begin(), m_arRowHeights.end(), 0);
    for (int r = 0; r < m_nRowCount; ++r)
        for (int c = 0; c < m_nColCount; ++c) {
            const wxSize extent = GetCellExtent(r, c, dc);
            m_arColWidths[c] = std::max(m_arColWidths[c], extent.x);
            m_arRowHeights[r] = std::max(m_arRowHeights[r], extent.y + m_nExtraRowHeight);
        }
    InvalidateTopLeft();
    ResetScrollBars();
    if (m_bDrawOn && HasWindow()) Refresh(false);
}

void CGridCtrl::SetGridFont(const wxFont& font, bool redraw) {
    if (!font.IsOk()) return;
    if (!font.IsSameAs(m_fontCells)) m_lfCells = LogFont::FromFont(font);
    m_fontCells = font;
    m_fontCellsSemiBold = SemiBold(font);
    for (Row& cells : m_arRows)
        for (auto& cell : cells)
            if (cell) cell->font = m_fontCells;
    MeasureDC dc;
    dc.SetFont(m_fontCells);
    const wxFontMetrics metrics = dc.GetFontMetrics();
    m_nCellPadding = dc.GetTextExtent(" ").GetWidth();
    m_nNewRowHeight =
        m_nExtraRowHeight + 2 * m_nCellPadding + metrics.height + metrics.externalLeading;
    m_nNewColWidth = 2 * (m_nCellPadding + 6 * metrics.averageWidth);
    if (redraw && HasWindow()) Refresh(false);
}
