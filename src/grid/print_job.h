#pragma once
// CGridPrinter: the page engine of one print job or preview of a grid. Its set-up
// reads the report settings of the grid's report, works out the printed columns and
// widths, the paper, the page bands and the page count, and sums the page totals;
// then it draws any page on request, in the logical units of the page (the grid's
// own screen units, the whole width of the printed columns plus the margins).
#include "grid/print_layout.h"
#include "grid/report_settings.h"
#include "platform/money.h"

#include <vector>
#include <wx/cmndata.h>
#include <wx/font.h>

class CGridCtrl;
class wxDC;

class CGridPrinter {
public:
    explicit CGridPrinter(CGridCtrl& grid);

    // The page set-up of a job, from the report settings and the program's printer
    // setting. Everything is worked out anew at each call.
    void BeginPrinting(const wxPrintData& printerSettings);
    // Draws a page (from 1) on a device context already scaled to LogicalPageSize().
    void PrintPage(wxDC& dc, int page);

    int PageCount() const { return m_nPageCount; }
    wxSize LogicalPageSize() const { return m_LogicalPageSize; }
    // The printer setting of the job: the program's, with this report's paper.
    const wxPrintData& JobPrintData() const { return m_printData; }
    // Paper of the job in tenths of a millimetre (after any shortening).
    int PaperLength() const { return m_nJobPaperLength; }
    int PaperWidth() const { return m_nPaperWidth; }
    bool IsColumnPrinted(int col) const;
    // Printed width of each column, then the heading row and the body row heights.
    const std::vector<int>& PrintedWidths() const { return m_pPrintColWidths; }
    int RowsPerPage() const { return m_nRowsPerPage; }
    // Page sums (index = page, 0 = all pages) and the three-guarantee sums.
    double PageTotal(int page) const;
    double WarrantyTotal(int page) const;
    // The totals line under the rows of a page: the page sum with its capitals, the
    // three-guarantee sum and, from page 2 on, the running total.
    wxString PageTotalsLine(int page) const;
    // The lines that name the open work card in the footer, and the document number
    // its page line shows (empty when none); both in the 副标题字体 size.
    const std::vector<wxString>& CardLines() const { return m_cardLines; }
    // The plate and odometer line printed above the column headings of the card's list.
    const wxString& PlateLine() const { return m_strPlateLine; }
    const wxString& DocumentNo() const { return m_strDocumentNo; }
    // The maintenance hints of the open work card's vehicle, one printed line each.
    const std::vector<wxString>& HintLines() const { return m_hintLines; }
    // Lines (heading row heights) kept free under the rows of each page.
    int FootLines() const { return m_nFootLines; }
    // The report whose settings the job uses: the grid's report name, else its title.
    wxString ReportName() const;

private:
    enum class Kind { General, RepairForm, WorkOrder, MonthlyReport };

    void SetUpColumns();
    void MeasureFonts();
    void SetUpPaper(const wxPrintData& printerSettings);
    void ReserveFootLines();
    void FindTotalsColumns();
    void SumPageTotals();
    void ShortenSinglePage();
    void PrintHeader(wxDC& dc, PrintCanvas& canvas);
    void PrintColumnHeadings(wxDC& dc, int top);
    void PrintRow(wxDC& dc, int row, int top, int height, bool firstOnPage);
    int PrintFooter(wxDC& dc, PrintCanvas& canvas, int page, int rowsBottom);
    void ReadWorkCard();
    void LoadMaintenanceHints();
    int PartsTableRows() const;
    // Hint lines that fit under the rows of the last page of rows, and on each page of
    // hints alone after it; the first and the number of the lines a page prints.
    int HintLinesOnLastRowPage() const;
    int HintLinesPerPage() const;
    std::pair<size_t, size_t> HintLinesOfPage(int page) const;
    // Draws the page's hint lines from top, one body row each; returns their bottom.
    int PrintHintLines(wxDC& dc, int page, int top);
    // The company lines and the footer text lines under the page line.
    std::vector<wxString> FooterLines(wxDC& measure) const;
    PrintArea Area(int y) const;
    int PrintedWidth() const;
    int DataRowCount() const;
    wxFont PrintFont(int height, bool bold) const;
    wxFont CardFont() const;
    std::vector<wxString> WrappedRemark() const;

    CGridCtrl& m_grid;
    ReportSettingsRecord m_settings;
    std::vector<wxString> m_texts;
    wxPrintData m_printData;
    CPrintLayout m_layout;
    Kind m_kind = Kind::General;

    std::vector<int> m_pPrintColWidths;
    wxString m_strHiddenColumns;
    int m_nLeftMargin = 4, m_nRightMargin = 4;
    int m_nHeaderLines = 3, m_nFooterLines = 2, m_nHeaderGap = 1, m_nFooterGap = 2,
        m_nTitleLines = 2;
    wxSize m_CharSize{5, 9};
    int m_nCellFontHeight = 12;
    std::vector<wxString> m_footerLines;
    std::vector<wxString> m_cardLines;
    wxString m_strPlateLine;
    int m_nCardLineHeight = 13;
    std::vector<wxString> m_hintLines;
    int m_nRowPages = 1; // pages that hold rows; pages of hints alone follow
    wxString m_strDocumentNo;
    int m_nFooterLineHeight = 13;
    int m_nFootLines = 0;
    int m_nPageHeight = 0;
    int m_nRowsPerPage = 1;
    int m_nPageCount = 1;
    wxSize m_LogicalPageSize;
    int m_nPaperLength = 2970, m_nPaperWidth = 2100, m_nJobPaperLength = 2970;
    int m_nAmountCol = 0, m_nQtyCol = 0;
    std::vector<money::Fen> m_pPageTotals, m_pWarrantyTotals;
    wxFont m_PrinterFont;
};
