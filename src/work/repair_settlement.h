#pragma once
// Settling a repair card: its parts taken out of stock, one archive row (`ljsh`) per
// line, one warranty row (`ljth`) per warranty line, the card marked settled with its
// document number, the offsets of the customer's balances, the shortfall as a
// receivable (`wlzm`) and the cash received (`kzk`): all in one transaction, so a
// failure or a crash leaves the card open and every table as it was. Questions come
// before the transaction opens: the take-out's and whether to book the shortfall.
#include "ado/ado.h"
#include "work/settle_arithmetic.h"
#include "work/settlement_steps.h"

#include <memory>
#include <vector>
#include <wx/string.h>

namespace work {

class RepairSettlement {
public:
    // lines: the sheet's line recordset filtered to the card, the header record first;
    // title: the page title (the customer); sheetDocNumber: the sheet's copy of the
    // document number. The lines must be saved: the settlement writes the header
    // record in the table, not in the recordset.
    RepairSettlement(const ado::RecordsetPtr& lines, const wxString& title,
                     wxString& sheetDocNumber, TakeOutQuestions& questions);
    ~RepairSettlement();

    enum Check { Ready, HeaderOnly, Archived, BadLine };
    // Reads the card. HeaderOnly: nothing to settle (say nothing); Archived: the
    // message "该工作卡已存档，不允许再存！" has been shown; BadLine: a line without a
    // quantity, named in the message shown.
    Check Prepare();
    // The card total: the line amounts without the warranty lines.
    double Total() const { return m_total; }

    enum Result { Done, Cancelled, Failed };
    // After the settlement dialog's OK, with the offsets the operator accepted and
    // the shortfall it handed back. Done: the caller reloads the page (its header now
    // says "YES") and offers to close the card. Failed: the message has been shown.
    Result Run(const SettleOffsets& offsets, double shortfall);

private:
    using Line = settle::Line;
    void Write(const wxString& docNumber, const SettleOffsets& offsets, double shortfall,
               bool bookShortfall);

    ado::RecordsetPtr m_lines;
    wxString m_title;
    wxString& m_sheetDocNumber;
    TakeOutQuestions& m_questions;
    std::vector<Line> m_card; // header first
    double m_total = 0;
    std::unique_ptr<settle::Stock> m_stock; // lowered by the take-out
};

} // namespace work
