#pragma once
// The two record lists of the parts store: transfers between stores (`LJDB`, by
// destination and date) and parts returned out to suppliers (`ljth` rows with a return
// date, by supplier and return date). Their statements, with the chosen store or
// supplier quoted as a literal, and the money total of a list.
#include <utility>
#include <vector>
#include <wx/string.h>

namespace parts {

class CTransferRecords {
public:
    enum Mode { Transfers = 0, ReturnedOut = 1 };
    explicit CTransferRecords(int mode) : m_nMode(mode == ReturnedOut ? ReturnedOut : Transfers) {}

    int Mode() const { return m_nMode; }
    wxString Table() const;
    wxString ReportName() const;  // "零件调拨" or "退出记录"
    wxString FilterField() const; // 调拨去向 or 供应商, also the filter's label
    wxString Caption() const;     // "调拨记录" or "退出记录"
    // The leading fields of the statements that become grid columns.
    int ShownFields() const { return m_nMode == Transfers ? 15 : 12; }

    // Every value of the filter field, for the combo.
    wxString ComboStatement() const;
    // Every record of the list, whatever the dates.
    wxString AllStatement() const;
    // The records of one store or supplier from the first to the last date, both
    // included; "全部" gives every record. Empty when a date is not a date.
    wxString FilterStatement(const wxString& value, const wxString& from, const wxString& to) const;

private:
    int m_nMode;
};

// The sum of price x quantity over the rows (price, quantity as the grid shows them);
// an empty or unreadable cell counts 0, the quantity as a whole number.
double RecordsTotal(const std::vector<std::pair<wxString, wxString>>& rows);
// "总计:" and the total, with two decimals, without any above 9999999; empty when the
// total is 0 or less.
wxString RecordsTotalText(double total);

} // namespace parts
