#pragma once
// What the grid's printing needs of the program around it, handed over at start-up:
// the printer setting that every print job and preview starts from (the main
// frame's, changed by 打印设置; until then, and in tests that set none, a default
// setting of this module serves), and the work sheet in front.
#include "ado/recordset.h"

#include <functional>
#include <map>
#include <wx/string.h>

class wxPrintData;

wxPrintData& GridPrinterSettings();
// Points the grid's printing at the program's printer setting; null goes back to the
// module's own.
void SetGridPrinterSettings(wxPrintData* data);

class CGridCtrl;

// The work sheet in front, as the cost and quantity sheet needs it: its customer, its
// one-letter mode ("W" repair card, "P" sales counter) and the recordset of its lines;
// for taking lookup rows, the line grid of its active page (null when none).
struct ActiveSheetLines {
    wxString customer;
    wxString mode;
    ado::RecordsetPtr lines;
    CGridCtrl* lineGrid = nullptr;
};
// The work sheets tell the printing which sheet is in front; false when none is.
using ActiveSheetSource = std::function<bool(ActiveSheetLines& sheet)>;
void SetActiveSheetSource(ActiveSheetSource source);
bool GetActiveSheetLines(ActiveSheetLines& sheet);

// The repair work card that is open, as the printed pages name it: its customer (the
// plate), its document number (the sheet's while the card is not settled), the
// vehicle's telephone and address, and the fields of its header record (客户, 作业人员, 厂牌, 编号,
// 项目名称, 货位, 小计).
struct OpenWorkCard {
    wxString customer;
    wxString documentNo;
    wxString phone;
    wxString address;
    std::map<wxString, wxString> record;
};
// The work card tells the printing about itself; false when no card is open.
using OpenWorkCardSource = std::function<bool(OpenWorkCard& card)>;
void SetOpenWorkCardSource(OpenWorkCardSource source);
bool GetOpenWorkCard(OpenWorkCard& card);
