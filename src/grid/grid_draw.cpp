// Painting of CGridCtrl: the background, the visible cells, the grid lines and
// the two kinds of cell.
#include "grid/grid_ctrl.h"

#include <algorithm>
#include <wx/dc.h>
#include <wx/dcprint.h>
#include <wx/dcps.h>
#include <wx/settings.h>

namespace {

void FillRect(wxDC& dc, const wxRect& rect, const wxColour& colour) {
    if (rect.IsEmpty()) return;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(colour));
    dc.DrawRectangle(rect);
}

void Line(wxDC& dc, int x1, int y1, int x2, int y2, const wxColour& colour) {
    dc.SetPen(wxPen(colour));
    dc.DrawLine(x1, y1, x2, y2);
}

} // namespace

// Paper: the printer, or the PostScript file that print jobs and their tests write.
bool CGridCtrl::IsPrinting(const wxDC& dc) const {
    return dynamic_cast<const wxPrinterDC*>(&dc) || dynamic_cast<const wxPostScriptDC*>(&dc);
}

void CGridCtrl::OnDraw(wxDC& dc) {
    wxRect clip;
    dc.GetClippingBox(clip);
    if (clip.IsEmpty()) {
        if (!HasWindow()) return;
        clip = wxRect(GetClientSize());
    }
    if (clip.IsEmpty()) return;
    FillBackground(dc, clip);

    const int fixedRowHeight = GetFixedRowHeight();
    const int fixedColWidth = GetFixedColumnWidth();
    const GridCellId topLeft = GetTopleftNonFixedCell();
    const int clipRight = clip.GetRight(), clipBottom = clip.GetBottom();

    // Top-left corner.
    int y = 0;
    for (int r = 0; r < m_nFixedRowCount; ++r) {
        int x = 0;
        for (int c = 0; c < m_nFixedColCount; ++c) {
            DrawFixedCell(dc, r, c, wxRect(x, y, m_arColWidths[c], m_arRowHeights[r]), false);
            x += m_arColWidths[c];
        }
        y += m_arRowHeights[r];
    }

    // Walks the rows (or columns) from the first visible one, calling draw for those
    // reaching into the clip box, and stops past its far edge.
    auto walk = [](const std::vector<int>& sizes, int first, int count, int start, int clipMin,
                   int clipMax, auto&& draw) {
        int pos = start;
        for (int i = first; i < count; ++i) {
            if (pos > clipMax) break;
            const int size = sizes[i];
            if (pos + size - 1 >= clipMin) draw(i, pos, size);
            pos += size;
        }
        return pos;
    };

    // Fixed columns of the visible rows.
    walk(m_arRowHeights, topLeft.row, m_nRowCount, fixedRowHeight, clip.y, clipBottom,
         [&](int r, int top, int height) {
             int x = 0;
             for (int c = 0; c < m_nFixedColCount; ++c) {
                 if (x + m_arColWidths[c] - 1 >= clip.x && x <= clipRight)
                     DrawFixedCell(dc, r, c, wxRect(x, top, m_arColWidths[c], height), false);
                 x += m_arColWidths[c];
             }
         });
    // Fixed rows of the visible columns.
    walk(m_arColWidths, topLeft.col, m_nColCount, fixedColWidth, clip.x, clipRight,
         [&](int c, int left, int width) {
             int yy = 0;
             for (int r = 0; r < m_nFixedRowCount; ++r) {
                 if (yy + m_arRowHeights[r] - 1 >= clip.y && yy <= clipBottom)
                     DrawFixedCell(dc, r, c, wxRect(left, yy, width, m_arRowHeights[r]), false);
                 yy += m_arRowHeights[r];
             }
         });
    // Data cells.
    const int cellsBottom =
        walk(m_arRowHeights, topLeft.row, m_nRowCount, fixedRowHeight, clip.y, clipBottom,
             [&](int r, int top, int height) {
                 walk(m_arColWidths, topLeft.col, m_nColCount, fixedColWidth, clip.x, clipRight,
                      [&](int c, int left, int width) {
                          DrawCell(dc, r, c, wxRect(left, top, width, height), false);
                      });
             });
    const int cellsRight = walk(m_arColWidths, topLeft.col, m_nColCount, fixedColWidth, clip.x,
                                clipRight, [](int, int, int) {});

    // Grid lines along the right and bottom edges of the visible cells.
    dc.SetPen(wxPen(m_clrLines, std::max(1, m_nLinePen)));
    if (m_nGridLines == 2 || m_nGridLines == 3)
        walk(m_arColWidths, topLeft.col, m_nColCount, fixedColWidth, clip.x, clipRight,
             [&](int, int left, int width) {
                 const int x = left + width - 1;
                 dc.DrawLine(x, fixedRowHeight, x, std::min(clipBottom, cellsBottom));
             });
    if (m_nGridLines == 1 || m_nGridLines == 3)
        walk(m_arRowHeights, topLeft.row, m_nRowCount, fixedRowHeight, clip.y, clipBottom,
             [&](int, int top, int height) {
                 const int yy = top + height - 1;
                 dc.DrawLine(fixedColWidth, yy, std::min(clipRight, cellsRight), yy);
             });
    dc.SetPen(wxNullPen);
}

// Headings take the heading colour, the cells the cell colour, and what lies right
// of the last column and below the last row the outside colour.
void CGridCtrl::FillBackground(wxDC& dc, const wxRect& clip) {
    // The visible range ends at the last row and column, or at the client edge.
    wxRect cells;
    GetVisibleNonFixedCellRange(&cells);
    const int right = cells.GetWidth();
    const int bottom = cells.GetHeight();
    const int fixedRowHeight = GetFixedRowHeight();
    const int fixedColWidth = GetFixedColumnWidth();
    FillRect(dc, clip, m_clrOutside);
    FillRect(dc, wxRect(0, 0, right, fixedRowHeight).Intersect(clip), m_clrHeadBack);
    FillRect(dc, wxRect(0, 0, fixedColWidth, bottom).Intersect(clip), m_clrHeadBack);
    FillRect(dc,
             wxRect(fixedColWidth, fixedRowHeight, right - fixedColWidth, bottom - fixedRowHeight)
                 .Intersect(clip),
             m_clrCellBack);
}

void CGridCtrl::DrawCellText(wxDC& dc, const CGridCell& cell, wxRect rect, const wxFont& font) {
    dc.SetFont(font);
    rect.x += m_nCellPadding;
    rect.width -= 2 * m_nCellPadding;
    const int lfHeight = cell.font.IsSameAs(m_fontCells) || !cell.font.IsOk()
                             ? m_lfCells.lfHeight
                             : -font.GetPixelSize().GetHeight();
    const int down = (lfHeight + rect.height) / 2;
    const wxRect cellRect = rect;
    rect.y += down;
    rect.height -= down;
    if (cell.image >= 0 && m_pImages && cell.image < m_pImages->GetImageCount()) {
        int w = 0, h = 0;
        m_pImages->GetSize(cell.image, w, h);
        m_pImages->Draw(cell.image, dc, cellRect.x - m_nCellPadding, cellRect.y,
                        wxIMAGELIST_DRAW_TRANSPARENT);
        rect.x += w + m_nCellPadding;
        rect.width -= w + m_nCellPadding;
    }
    if (cell.text.empty() || rect.width <= 0 || rect.height <= 0) return;
    wxDCClipper clipper(dc, cellRect);
    int x = rect.x;
    if (cell.format & (DT_RIGHT | DT_CENTER)) {
        const int textWidth = dc.GetTextExtent(cell.text).GetWidth();
        x = (cell.format & DT_RIGHT) ? rect.GetRight() - textWidth + 1
                                     : rect.x + (rect.width - textWidth) / 2;
    }
    dc.DrawText(cell.text, x, rect.y);
}

bool CGridCtrl::DrawFixedCell(wxDC& dc, int row, int col, wxRect rect, bool) {
    if (!m_bDrawOn) return false;
    const CGridCell* cell = GetCell(row, col);
    if (!cell) return false;
    const bool printing = IsPrinting(dc);
    const wxColour back =
        cell->crBkClr == kClrDefault ? m_clrHeadBack : ColourFromRef(cell->crBkClr);
    const wxColour text =
        cell->crFgClr == kClrDefault ? m_clrHeadText : ColourFromRef(cell->crFgClr);
    if (!printing) FillRect(dc, rect, back);
    dc.SetTextForeground(text);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);

    // The heading of the focus column and the header of the focus row stand out.
    const bool onFocusLine =
        IsCellInGrid(m_cellFocus) && (m_cellFocus.row == row || m_cellFocus.col == col);
    const wxFont& cellFont = cell->font.IsOk() ? cell->font : m_fontCells;
    const wxFont font =
        onFocusLine ? (cellFont.IsSameAs(m_fontCells) ? m_fontCellsSemiBold : SemiBold(cellFont))
                    : cellFont;
    const wxColour light = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT);
    const wxColour dark = wxSystemSettings::GetColour(wxSYS_COLOUR_3DDKSHADOW);
    const int l = rect.x, t = rect.y, r = rect.GetRight(), b = rect.GetBottom();
    if (onFocusLine) {
        // A raised edge around the cell enlarged by one pixel right and down.
        const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
        Line(dc, l, t, r + 1, t, light);
        Line(dc, l, t, l, b + 1, light);
        Line(dc, l, b + 1, r + 2, b + 1, dark);
        Line(dc, r + 1, t, r + 1, b + 1, dark);
        Line(dc, l + 1, b, r + 1, b, shadow);
        Line(dc, r, t + 1, r, b, shadow);
    } else {
        Line(dc, l, t, r, t, light);
        Line(dc, l, t, l, b, light);
        Line(dc, r, t, r, b + 1, dark);
        Line(dc, l, b, r + 1, b, dark);
    }
    rect.Deflate(1);
    DrawCellText(dc, *cell, rect, font);
    return true;
}

bool CGridCtrl::DrawCell(wxDC& dc, int row, int col, wxRect rect, bool) {
    if (!m_bDrawOn) return false;
    const CGridCell* cell = GetCell(row, col);
    if (!cell) return false;
    const bool printing = IsPrinting(dc);
    const wxColour back =
        cell->crBkClr == kClrDefault ? m_clrCellBack : ColourFromRef(cell->crBkClr);
    const wxColour text =
        cell->crFgClr == kClrDefault ? m_clrCellText : ColourFromRef(cell->crFgClr);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxRect enlarged(rect.x, rect.y, rect.width + 1, rect.height + 1);
    if (!printing && (cell->state & GVIS_FOCUSED)) {
        FillRect(dc, enlarged, back);
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(rect);
        dc.SetTextForeground(text);
        rect.Deflate(1);
    } else if (!printing && (cell->state & GVIS_SELECTED)) {
        FillRect(dc, enlarged, wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
        dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
    } else {
        FillRect(dc, enlarged, back);
        dc.SetTextForeground(text);
    }
    if (!printing && (cell->state & GVIS_DROPHILITED)) {
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(rect);
    }
    DrawCellText(dc, *cell, rect, cell->font.IsOk() ? cell->font : m_fontCells);
    return true;
}
