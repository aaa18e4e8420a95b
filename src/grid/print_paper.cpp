#include "grid/print_paper.h"

#include <wx/paper.h>

wxPaperSize PaperFromCode(int code) {
    // Codes 1 to 26 come in another order than wx's list; from 27 on the lists run
    // side by side, except that wx has no entries for the reserved codes 48 and 49.
    static const wxPaperSize kFirst[] = {
        wxPAPER_LETTER,    wxPAPER_LETTERSMALL, wxPAPER_TABLOID, wxPAPER_LEDGER, wxPAPER_LEGAL,
        wxPAPER_STATEMENT, wxPAPER_EXECUTIVE,   wxPAPER_A3,      wxPAPER_A4,     wxPAPER_A4SMALL,
        wxPAPER_A5,        wxPAPER_B4,          wxPAPER_B5,      wxPAPER_FOLIO,  wxPAPER_QUARTO,
        wxPAPER_10X14,     wxPAPER_11X17,       wxPAPER_NOTE,    wxPAPER_ENV_9,  wxPAPER_ENV_10,
        wxPAPER_ENV_11,    wxPAPER_ENV_12,      wxPAPER_ENV_14,  wxPAPER_CSHEET, wxPAPER_DSHEET,
        wxPAPER_ESHEET,
    };
    if (code >= 1 && code <= 26) return kFirst[code - 1];
    if (code >= 27 && code <= 47) return static_cast<wxPaperSize>(code);
    if (code >= 50 && code <= 118) return static_cast<wxPaperSize>(code - 2);
    return wxPAPER_NONE;
}

wxString PaperName(int code) {
    const wxPaperSize kind = PaperFromCode(code);
    const wxPrintPaperType* paper = kind == wxPAPER_NONE || !wxThePrintPaperDatabase
                                        ? nullptr
                                        : wxThePrintPaperDatabase->FindPaperType(kind);
    if (!paper) return wxString();
    // The toolkit's translated name, without the word "sheet" and the comma that
    // only separate the kind from its size.
    wxString name = paper->GetName();
    name.Replace(wxString::FromUTF8(" 纸张，"), " ");
    name.Replace(wxString::FromUTF8("，"), " ");
    name.Replace(" sheet, ", " ");
    name.Replace(", ", " ");
    return name;
}
