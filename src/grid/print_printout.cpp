#include "grid/print_printout.h"

#include <algorithm>

CGridPrintout::CGridPrintout(std::shared_ptr<CGridPrinter> printer, int fromPage, int toPage,
                             int pagesPerSheet)
    : wxPrintout("qv"), m_printer(std::move(printer)), m_nFromPage(fromPage), m_nToPage(toPage),
      m_nPagesPerSheet(std::clamp(pagesPerSheet, 1, 2)) {}

int CGridPrintout::FirstPage() const {
    return std::max(1, m_nFromPage);
}

int CGridPrintout::LastPage() const {
    return std::min(m_printer->PageCount(), m_nToPage);
}

int CGridPrintout::SheetCount() const {
    const int pages = std::max(0, LastPage() - FirstPage() + 1);
    return (pages + m_nPagesPerSheet - 1) / m_nPagesPerSheet;
}

// The printout's pages are the sheets of the job's pages of the range, from 1.
void CGridPrintout::GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) {
    const int count = SheetCount();
    *minPage = count ? 1 : 0;
    *maxPage = count;
    *selFrom = *minPage;
    *selTo = count;
}

bool CGridPrintout::HasPage(int page) {
    return page >= 1 && page <= SheetCount();
}

bool CGridPrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (!dc || !HasPage(page)) return false;
    const wxSize logical = m_printer->LogicalPageSize();
    // Two pages stand side by side with a margin of a twentieth of a page between.
    const int gap = logical.x / 20;
    FitThisSizeToPage(m_nPagesPerSheet == 1 ? logical : wxSize(2 * logical.x + gap, logical.y));
    const int first = FirstPage() + (page - 1) * m_nPagesPerSheet;
    for (int i = 0; i < m_nPagesPerSheet && first + i <= LastPage(); ++i) {
        dc->SetLogicalOrigin(-i * (logical.x + gap), 0);
        m_printer->PrintPage(*dc, first + i);
    }
    dc->SetLogicalOrigin(0, 0);
    return true;
}
