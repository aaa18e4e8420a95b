#pragma once
// The document of the main window. It holds no data of its own: its Save exports
// the table of the current grid to a file whose type the operator picks by its
// extension (.adtg, .xls, .dwf, .dbf), never into the program's own data folders.
#include <optional>
#include <wx/string.h>

class CGridCtrl;

class CQvDoc {
public:
    static constexpr int kMainGridId = 28909; // the grid in the upper pane
    static constexpr int kFormGridId = 1002;  // the grid of the forms

    struct SaveTarget {
        wxString path; // absolute, with its extension
        wxString ext;  // lower case: "adtg", "xls", "dwf" or "dbf"
    };

    // Save and Save As: the rights check, the save dialog, the checks of PrepareSave,
    // then the export of the current grid. The target written to; nothing when the
    // save was refused or cancelled.
    std::optional<SaveTarget> OnFileSave();

    // The checks after the save dialog. Shows the refusal and returns nothing when the
    // file may not be written there; asks before an existing file is replaced and
    // deletes it when the operator agrees.
    static std::optional<SaveTarget> PrepareSave(const wxString& chosenPath);
    // Writes the grid's rows to a checked target: a recordset file (.adtg) here, the
    // other types through the data store's export (the form SaveGridAs).
    static void SaveGrid(CGridCtrl& grid, const SaveTarget& target);
};
