// The grid's print job and print preview.
#include "grid/grid_ctrl.h"
#include "grid/print_pdf_file.h"
#include "grid/print_preview.h"
#include "grid/print_printout.h"
#include "grid/print_seam.h"
#include "platform/message_box.h"

#include <wx/app.h>

namespace {

// Sends one job: into the file that the printer setting names, else to the system's
// default printer. False after the message when nothing could be printed.
bool SendJob(CGridPrinter& printer, CGridPrintout& printout, int fromPage, int toPage) {
    const wxPrintData& setting = printer.JobPrintData();
    if (setting.GetPrintMode() == wxPRINT_MODE_FILE && !setting.GetFilename().empty()) {
        if (PrintPagesToPdf(printer, fromPage, toPage, setting.GetFilename())) return true;
        platform::ShowMessageBox("Unable to open file");
        return false;
    }
    int minPage = 0, maxPage = 0, from = 0, to = 0;
    printout.GetPageInfo(&minPage, &maxPage, &from, &to);
    wxPrintDialogData data(setting);
    data.SetNoCopies(1);
    data.SetMinPage(1);
    data.SetMaxPage(maxPage);
    data.SetFromPage(1);
    data.SetToPage(maxPage);
    // Until a printer has been chosen the print dialog asks for one, and the choice
    // stays the program's printer: looking for a default printer without asking can
    // wait without end on a system that has none.
    const bool chosen = !setting.GetPrinterName().empty();
    wxPrinter device(&data);
    if (device.Print(nullptr, &printout, !chosen)) {
        if (!chosen)
            GridPrinterSettings().SetPrinterName(
                device.GetPrintDialogData().GetPrintData().GetPrinterName());
        return true;
    }
    if (wxPrinter::GetLastError() != wxPRINTER_CANCELLED)
        platform::ShowMessageBox("请到先设置默认打印机!");
    return false;
}

} // namespace

int CGridCtrl::Print() {
    ClearSelectionAndFocus();
    int jobs = 0;
    // Copies are counted here, so the grid's copies field stays for the next print.
    for (int copy = 0; copy <= m_nCopies; ++copy) {
        auto printer = std::make_shared<CGridPrinter>(*this);
        printer->BeginPrinting(GridPrinterSettings());
        CGridPrintout printout(printer, m_nFromPage, m_nToPage);
        int minPage = 0, maxPage = 0, from = 0, to = 0;
        printout.GetPageInfo(&minPage, &maxPage, &from, &to);
        if (maxPage < 1) continue; // no page in the range
        if (!SendJob(*printer, printout, m_nFromPage, m_nToPage)) break;
        ++jobs;
    }
    return jobs;
}

void CGridCtrl::PrintPreview(bool twoPages) {
    if (m_bPreviewing) return;
    auto printer = std::make_shared<CGridPrinter>(*this);
    printer->BeginPrinting(GridPrinterSettings());
    wxPrintDialogData data(printer->JobPrintData());
    auto* preview = new wxPrintPreview(new CGridPrintout(printer, 1, 99999, twoPages ? 2 : 1),
                                       new CGridPrintout(printer, m_nFromPage, m_nToPage), &data);
    if (!preview->IsOk()) {
        delete preview;
        platform::ShowMessageBox("请到先设置默认打印机!");
        return;
    }
    auto* frame = new CViewPrintPreview(preview, this, wxTheApp->GetTopWindow(), twoPages);
    frame->Initialize();
    frame->Show();
}
