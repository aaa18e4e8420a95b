#pragma once
// The configurable reports: their names, the query whose column list defines each
// report's columns, and the column names read from a query.
#include <functional>
#include <vector>
#include <wx/string.h>

// The 60 report names in the order the settings dialog adds them.
const std::vector<wxString>& ReportNames();
// The fixed query of a report; empty for a name outside the list and for the reports
// whose query is built elsewhere (the four tables read at run time, and 入库单 until
// its builder is given).
wxString FixedReportSql(const wxString& reportName);
// The query of "入库单" is the stock-in page's, with a column per warehouse of the
// company data; the parts trade gives its builder at start-up.
void SetStockInReportSql(std::function<wxString()> build);
// The table whose fields make up the query of a report ("会员项目表" hyxm, "工时费"
// wxxm, "关联项目表" gdxm, "警戒量设置" jjl); empty for the others.
wxString ReportFieldTable(const wxString& reportName);
// The items of a query's column list, between "select" and "from", cut at the commas.
std::vector<wxString> QueryItems(const wxString& sql);
// The name a column item is listed under: its alias after "AS"/"as", else the part
// after its ".", trimmed. Empty for "no" and "*", which are never listed.
wxString ItemColumnName(const wxString& item);
