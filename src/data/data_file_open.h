#pragma once
// The main window's opening of a file the operator chose: saved recordsets, tables,
// encrypted tables and workbooks go into the main grid; pictures and other files are
// the window's to show. Forms also keep query results as saved recordset files.
#include "ado/ado.h"

#include <functional>
#include <wx/string.h>

enum class OpenedFileKind { DataFile, Picture, Document };

// The file types of the open and the save dialogs. Workbooks are read in both
// formats but written only as .xlsx, the format the writer makes.
wxString DataFileOpenFilter();
wxString DataFileSaveFilter();

// By the extension text standing anywhere after the name's first character.
OpenedFileKind KindOfOpenedFile(const wxString& path);

// Opens a data file into the main grid: load is given the path of a saved recordset
// file to show (the file itself, or a temporary copy of the opened table, named
// nvtemp<n>.adtg in the file's folder and deleted after the load). The users file
// "printinfo.adtg" is refused; failures are reported.
void OpenDataFile(const wxString& path, const std::function<void(const wxString&)>& load);

// Writes the recordset to path + ".adtg", replacing the file there. ADO errors reach
// the caller.
void SaveRecordsetAdtg(const wxString& path, const ado::RecordsetPtr& recordset);
