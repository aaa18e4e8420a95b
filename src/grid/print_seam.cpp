#include "grid/print_seam.h"

#include <wx/cmndata.h>

namespace {
wxPrintData* g_pPrinterSettings = nullptr;
}

wxPrintData& GridPrinterSettings() {
    static wxPrintData own;
    return g_pPrinterSettings ? *g_pPrinterSettings : own;
}

void SetGridPrinterSettings(wxPrintData* data) {
    g_pPrinterSettings = data;
}
