#pragma once
// CPrintLayout: the fixed blocks that the page printing draws around the grid rows
// of the printed forms (the head and foot of the sales ticket and the work order,
// the hand-written parts table, the foot of the plain list, the monthly repair
// report page), and the parsers of the report settings' texts. The forms are told
// apart by the grid's print texts (grid/print_texts.h).
#include "grid/print_canvas.h"

#include <vector>
#include <wx/string.h>

class CGridCtrl;

// Where a block goes: the page's drawing area (left, right) and the printed width of
// grid column 0; y is the block's reference line (see each operation).
struct PrintArea {
    int left = 0;
    int right = 0;
    int col0Width = 0;
    int y = 0;
    // The line that closes the column-0 area.
    int X0() const { return left + col0Width - 1; }
};

class CPrintLayout {
public:
    using Texts = std::vector<wxString>;

    // Head of the sales ticket and the work order, built upwards from area.y (the top
    // of the column headings). h: heading row height, cw: the average character width
    // of the font selected for the block, lineHeight: the cell font's height. Every
    // text stays inside its cell (see CellText). Returns the top of the block.
    int PrintFormHead(PrintCanvas& canvas, const PrintArea& area, int h, double cw, int lineHeight,
                      const Texts& texts);
    // Foot of the sales ticket and the work order, downwards from area.y (right under
    // the page's rows). Returns the bottom of the block.
    int PrintFormFoot(PrintCanvas& canvas, const PrintArea& area, int h, double cw,
                      const Texts& texts);
    // The blank parts table of the work order, `rows` lines of height h from area.y.
    void PrintPartsNeedTable(PrintCanvas& canvas, const PrintArea& area, int h, int rows);
    // Foot of the plain list, downwards from area.y (the bottom of the rows); h is the
    // data row height. Returns the bottom of the block.
    int PrintListFoot(PrintCanvas& canvas, const PrintArea& area, int h, double cw,
                      const Texts& texts);
    // The whole pre-printed page of the report "维修月报表": 74 print texts and rows
    // 1 to 10 of the grid at fixed points.
    void PrintMonthlyRepairReport(PrintCanvas& canvas, const Texts& texts, const CGridCtrl& grid);

    // Half-width characters across the head block after column 0, as the last head
    // printed them.
    int LineCapacity() const { return m_nCapacity; }

    // A text of the report settings up to its first NUL or line feed, at most 200 characters.
    static wxString TextFromBuffer(const wxString& buffer);
    // Reads the column-width text ("heading height,data height,title=width,...,") into
    // widths: widths[k] for the k-th of the comma-separated headings that has an item,
    // then the two row heights at widths[n] and widths[n+1] (widths is grown to n+2).
    // False, widths untouched, when the text holds no "=".
    static bool ParseColumnWidths(const wxString& widthsText, const wxString& headings,
                                  std::vector<int>& widths);
    // Applies a column-width text to a grid on screen.
    static void ApplyColumnWidths(const wxString& widthsText, CGridCtrl& grid);
    // The paper code of a paper entry such as "9(2108,2972)A4 210 x 297 mm": 0 for
    // "自定义尺寸", else the number before "(", 9 (A4) when there is none.
    static int PaperCodeFromSetting(const wxString& paperText);

    int m_nLineHeight = 0;

private:
    // A band of signature cells from top, h high, with its cell lines at x0 + n * cw
    // and labels in the cells that start at their offsets (-1: the column-0 area).
    static void SignatureBand(PrintCanvas& canvas, int L, int R, int x0, double cw, int top, int h,
                              const std::vector<int>& offsets,
                              const std::vector<std::pair<int, wxString>>& labels);

    int m_nCapacity = 0;
};
