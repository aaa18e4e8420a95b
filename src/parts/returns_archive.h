#pragma once
// Archiving the returns page: by the document kind, parts taken out of stock, the
// page's lines stored in `ljth` with the day's document number, earlier returns marked
// as gone out or reissued, the sale or receipt lines they came from marked "退n",
// reissued parts recorded as sales, and the partner's receivable or payable. Every
// question comes first and every check before anything is written; then all tables
// change in one transaction, so a refusal or a failure leaves every table as it was.
#include "ado/recordset.h"
#include "parts/part_line.h"
#include "work/stock_take_out.h"

#include <map>
#include <memory>
#include <string>
#include <vector>
#include <wx/datetime.h>

class CDataSet;

namespace parts {

class CStockIn;

class ReturnsArchive {
public:
    // lines: the page's pending lines; choice: the customer (or, for a purchase
    // return, the stock-in document) chosen on the page.
    ReturnsArchive(int mode, ado::Recordset& lines, const wxString& choice,
                   work::TakeOutQuestions& questions,
                   const wxDateTime& today = wxDateTime::Today());
    ~ReturnsArchive();

    enum Result { Archived, Cancelled, Failed };
    // Archived: stored, and "数据已存档 " shown unless the parts go on to the stock-in
    // page. Cancelled: an answer or a check stopped it (the message shown); Failed:
    // the write failed (shown). Either way no table changed.
    Result Run();

    // The returned parts go into stock through the stock-in page (customer returns).
    bool ToStock() const { return m_toStock; }
    const std::vector<PartLine>& Parts() const { return m_parts; }
    const wxString& DocNumber() const { return m_number; }

    // The next document number of the day: after the day's highest in `ljth`.
    static wxString NextNumber(const wxDateTime& day);

private:
    using Line = std::map<std::string, ado::Variant>;

    bool CheckLines();
    bool AskQuestions();
    bool MatchSales();
    bool MatchPurchases();
    bool MarkGoneOut();
    bool MarkReissued();
    bool TakeOutAll();
    void Write();
    void WriteLines();
    void WriteSales();

    int m_mode;
    ado::Recordset& m_rsLines;
    wxString m_choice;
    work::TakeOutQuestions& m_questions;
    wxDateTime m_today;
    std::vector<Line> m_lines;
    std::vector<PartLine> m_parts;
    wxString m_number;
    bool m_reissue = false;
    bool m_declined = false; // the payable was declined: the lines keep flag "N"
    bool m_post = false;
    wxString m_partner;
    wxString m_amount; // posted as the page totals it, to the fen
    bool m_toStock = false;
    std::unique_ptr<CStockIn> m_stock;
    // Rows read before the transaction and changed in memory: the sale or receipt
    // lines, the stored returns; saved only inside it.
    std::vector<std::unique_ptr<CDataSet>> m_sources;
    std::unique_ptr<CDataSet> m_returns;
    std::vector<size_t> m_sold; // the lines recorded as sales (reissued parts)
};

} // namespace parts
