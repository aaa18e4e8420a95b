#include "grid/print_seam.h"

#include <wx/cmndata.h>

namespace {
wxPrintData* g_pPrinterSettings = nullptr;
ActiveSheetSource g_activeSheet;
OpenWorkCardSource g_openWorkCard;
} // namespace

wxPrintData& GridPrinterSettings() {
    static wxPrintData own;
    return g_pPrinterSettings ? *g_pPrinterSettings : own;
}

void SetGridPrinterSettings(wxPrintData* data) {
    g_pPrinterSettings = data;
}

void SetActiveSheetSource(ActiveSheetSource source) {
    g_activeSheet = std::move(source);
}

bool GetActiveSheetLines(ActiveSheetLines& sheet) {
    return g_activeSheet && g_activeSheet(sheet);
}

void SetOpenWorkCardSource(OpenWorkCardSource source) {
    g_openWorkCard = std::move(source);
}

bool GetOpenWorkCard(OpenWorkCard& card) {
    return g_openWorkCard && g_openWorkCard(card);
}
