#include "grid/print_printout.h"

#include <algorithm>

CGridPrintout::CGridPrintout(std::shared_ptr<CGridPrinter> printer, int fromPage, int toPage)
    : wxPrintout("qv"), m_printer(std::move(printer)), m_nFromPage(fromPage), m_nToPage(toPage) {}

int CGridPrintout::FirstPage() const {
    return std::max(1, m_nFromPage);
}

int CGridPrintout::LastPage() const {
    return std::min(m_printer->PageCount(), m_nToPage);
}

// The printout's pages are the job's pages of the range, numbered from 1.
void CGridPrintout::GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) {
    const int count = std::max(0, LastPage() - FirstPage() + 1);
    *minPage = count ? 1 : 0;
    *maxPage = count;
    *selFrom = *minPage;
    *selTo = count;
}

bool CGridPrintout::HasPage(int page) {
    return page >= 1 && page <= LastPage() - FirstPage() + 1;
}

bool CGridPrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (!dc || !HasPage(page)) return false;
    FitThisSizeToPage(m_printer->LogicalPageSize());
    const int jobPage = FirstPage() + page - 1;
    m_printer->PrintPage(*dc, jobPage);
    return true;
}
