#pragma once
// What the repair card's and the counter's settlements share: the lines read from the
// sheet's recordset, fields written fitted to their table, the stock taken out in
// memory and saved, the warranty reissue rows, the settled mark on the header, and the
// one transaction around the writes, which gives the document number back when it
// fails. A write that does not happen throws NotWritten; the transaction rolls back.
#include "ado/ado.h"
#include "work/stock_take_out.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>
#include <wx/string.h>

class CDataSet;

namespace work {
namespace settle {

using Line = std::map<wxString, ado::Variant>;

struct NotWritten {
    wxString what;
};

const ado::Variant& Get(const Line& line, const char* field);
// Text without trailing blanks; empty for a Null.
wxString Text(const ado::Variant& value);
double Number(const ado::Variant& value);

// Puts a value into the current record; text is fitted to the field as the data store
// fits typed text.
void Put(ado::Recordset& rs, const char* field, const ado::Variant& value);
void PutText(ado::Recordset& rs, const char* field, const wxString& text);
// Saves a batch inside the open transaction.
void SaveBatch(ado::Recordset& rs, const char* what);

// The records of the (filtered) recordset from its first, the header, on.
std::vector<Line> ReadLines(ado::Recordset& rs, const std::vector<const char*>& fields);

// What keeps a document read for settling (header first) from being settled: its
// header is archived, or a line has no quantity, or a negative one where the document
// takes no credits. The operator is told which.
enum class DocumentFault { None, Archived, BadLine };
DocumentFault CheckDocument(const std::vector<Line>& document, bool creditsAllowed = false);

// The line as the take-out sees it: 编号, 项目名称, 车型, 货位, 数量.
TakeOutLine ToTakeOut(const Line& line);

// The stock, read once; the take-out lowers it in memory, Save writes what changed.
class Stock {
public:
    Stock();
    ~Stock();
    // Reads the stock rows `lines` can take from. False when the stock could not be
    // read (the data store has said so).
    bool Open(const std::vector<TakeOutLine>& lines);
    // Every line in turn; false when an answer cancelled.
    bool TakeOut(const std::vector<TakeOutLine>& lines, TakeOutQuestions& questions,
                 TakeOutPolicy policy = TakeOutPolicy());
    void Save();

private:
    std::unique_ptr<CDataSet> m_set;
    std::vector<StockRow> m_rows;
    bool m_anyStock = false; // the table holds a row, read or not
};

// One reissue row in `ljth` per warranty line (flag "T", reissued today).
void AppendWarrantyRows(const std::vector<const Line*>& lines, const wxString& today);

// The header record in `zyxm`: settled ("YES") with its document number. The header
// must have been saved (a number of its own).
void MarkSettled(const Line& header, const wxString& title, const wxString& docNumber);

// Runs write(documentNumber) in one transaction over every table a settlement writes.
// The number is the header's own (headerNumber) or the sheet's next one. On failure
// everything is rolled back, the counter given back and the message shown; false.
bool WriteInTransaction(const wxString& title, const wxString& headerNumber,
                        wxString& sheetDocNumber,
                        const std::function<void(const wxString& docNumber)>& write);

} // namespace settle
} // namespace work
