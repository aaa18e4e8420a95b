#pragma once
// The wx printout of a grid: it runs the grid's page engine for a print job or a
// preview, scaling each page's logical units to the paper.
#include "grid/print_job.h"

#include <memory>
#include <wx/print.h>

class CGridPrintout : public wxPrintout {
public:
    // fromPage and toPage (inclusive, clipped to the job's pages) choose what a print
    // job sends; a preview shows every page, one or two to a sheet side by side.
    CGridPrintout(std::shared_ptr<CGridPrinter> printer, int fromPage = 1, int toPage = 99999,
                  int pagesPerSheet = 1);

    void GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) override;
    bool HasPage(int page) override;
    bool OnPrintPage(int page) override;

private:
    int FirstPage() const;
    int LastPage() const;
    int SheetCount() const;

    std::shared_ptr<CGridPrinter> m_printer;
    int m_nFromPage, m_nToPage;
    int m_nPagesPerSheet;
};
