#pragma once
// The document's save of the current grid into a workbook (.xls) or a table file
// (.dbf, .dwf), registered as the SaveGridAs form.
#include <wx/string.h>

class CGridCtrl;

class CGridFileSave {
public:
    static void Register();
    // Writes the grid's rows to a target the document has checked (and cleared).
    static void Save(CGridCtrl& grid, const wxString& path);
};
