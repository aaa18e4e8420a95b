#pragma once
// A line of the order, stock-in and transfer page as the buying logic sees it: the
// stock columns of `ljkc`, the order's own fields, and one quantity per warehouse.
// The page reads its lines recordset into these and writes them back; the logic
// never touches a window.
#include "ado/recordset.h"
#include "platform/money.h"

#include <optional>
#include <vector>
#include <wx/string.h>

namespace parts {

struct PartLine {
    wxString model;    // 车型
    wxString position; // 部位
    wxString name;     // 零件名称
    wxString code;     // 编号
    wxString unit;     // 单位
    wxString brand;    // 厂牌
    wxString bin;      // 货位
    wxString supplier; // 供应商
    wxString remark;   // 备注
    wxString order;    // 定货单
    wxString contract; // 合同号
    std::optional<double> quantity, cost, retail, wholesale, agent;
    // The quantity meant for each warehouse, in the order of the warehouse columns.
    std::vector<std::optional<double>> stores;

    // The field a stock search keys on: 编号 when there is one, else 零件名称, else
    // empty (the line matches nothing).
    const char* KeyField() const;
    const wxString& KeyValue() const { return code.empty() ? name : code; }
    // Whether a stock row (its 编号, 零件名称, 车型) is the same part: the same 编号,
    // or, for a line known by name only, the same name and 车型.
    bool SamePart(const wxString& rowCode, const wxString& rowName, const wxString& rowModel) const;
};

// The lines of a recordset from its first record; `storeColumns` names the warehouse
// columns in order (missing fields stay empty).
std::vector<PartLine> ReadLines(ado::Recordset& rs, const std::vector<wxString>& storeColumns = {});
// The current record's values into a line.
PartLine ReadLine(ado::Recordset& rs, const std::vector<wxString>& storeColumns = {});
// Writes the line into the current record: every field the recordset has, texts fitted
// to the field's width on a character boundary, empty values as nulls.
void WriteLine(ado::Recordset& rs, const PartLine& line);

// A text field of the current record, fitted to the field; empty text gives a null.
void PutText(ado::Recordset& rs, const char* field, const wxString& text);
void PutNumber(ado::Recordset& rs, const char* field, const std::optional<double>& value);
bool HasField(ado::Recordset& rs, const char* field);
wxString Text(ado::Recordset& rs, const char* field);
std::optional<double> Number(ado::Recordset& rs, const char* field);

// Money rounded to the fen.
double Fen(double amount);
// Whole quantity x unit price in fen; 0 when either is missing.
money::Fen LineFen(const std::optional<double>& quantity, const std::optional<double>& price);

} // namespace parts
