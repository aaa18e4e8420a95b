#pragma once
// Settling a sales ticket at the counter: its parts taken out of stock bin by bin, one
// sales row (`ljsh`) per line, one reissue row (`ljth`) per warranty line, the ticket's
// header marked archived with its document number, the shortfall as a receivable
// (`wlzm`) and the cash received (`kzk`): all in one transaction, so a failure or a
// crash leaves the ticket open and every table as it was, and settling again after a
// failure archives every line once. Questions come before the transaction opens: the
// take-out's and whether to book the shortfall.
#include "ado/ado.h"
#include "parts/sales_pricing.h"
#include "work/settlement_steps.h"

#include <memory>
#include <vector>
#include <wx/string.h>

namespace parts {

class SalesSettlement {
public:
    // lines: the sales sheet's line recordset filtered to the ticket (客户 = title),
    // its first record the ticket's header, as the page holds it; title: the page
    // title (the customer); sheetDocNumber: the sheet's copy of the document number.
    // The lines must be saved: the settlement marks the header in the table, not in
    // the recordset, so the page reloads its lines after a settlement that is done.
    SalesSettlement(const ado::RecordsetPtr& lines, const wxString& title, wxString& sheetDocNumber,
                    work::TakeOutQuestions& questions);
    ~SalesSettlement();

    enum Check { Ready, HeaderOnly, Archived, BadLine };
    // Reads the ticket. HeaderOnly: nothing to settle (say nothing); Archived: the
    // message "该工作卡已存档，不允许再存！" has been shown; BadLine: a line without a
    // quantity or with a negative one, named in the message shown.
    Check Prepare();
    // What the customer pays: every line at its archived price, so warranty lines and
    // gifts count nothing.
    double Total() const { return m_total; }

    enum Result { Done, Cancelled, Failed };
    // After the settlement dialog's OK, with the shortfall it handed back. Cancelled:
    // an answer of the take-out stopped it, nothing written. Failed: the message has
    // been shown, nothing written.
    Result Run(double shortfall);

    // The unit price a line is archived at: 成交价 when set (not 0), else 单价 after
    // the discount unless the line takes none; 0 for warranty lines and gifts.
    static double ArchivedPrice(const work::settle::Line& line);
    // The line priced as the ticket page prices it: the total is the sum of these.
    static SalesLinePrice Priced(const work::settle::Line& line);

private:
    void Write(const wxString& docNumber, double shortfall, bool bookShortfall);

    ado::RecordsetPtr m_lines;
    wxString m_title;
    wxString& m_sheetDocNumber;
    work::TakeOutQuestions& m_questions;
    std::vector<work::settle::Line> m_ticket; // header first
    double m_total = 0;
    std::unique_ptr<work::settle::Stock> m_stock;
};

// 结算 of the sales page, after the page has recomputed its totals and saved its
// lines: the checks, the settlement dialog, then the settlement, its questions in
// message boxes and the parts chooser. Done: the page reloads its lines and offers to
// drop the archived ticket.
SalesSettlement::Result SettleSalesTicket(const ado::RecordsetPtr& lines, const wxString& title,
                                          wxString& sheetDocNumber);

} // namespace parts
