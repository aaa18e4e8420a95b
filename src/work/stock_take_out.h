#pragma once
// Taking the parts of a settled card or ticket out of stock (`ljkc`, one row per part
// and bin), bin by bin: the line's own bin first, then, with the operator's leave, the
// other bins of the part. Quantities change in the rows given (memory only); the
// caller saves them with the rest of its settlement. Every question goes through
// TakeOutQuestions, so the windows answer it with boxes and the parts chooser and the
// tests with a script. Each line ends: every step takes stock, narrows the bins, or
// asks a question whose answer ends the line.
#include <vector>
#include <wx/string.h>

namespace work {

// A stock row as the take-out sees it.
struct StockRow {
    wxString name;  // 零件名称
    wxString code;  // 编号
    wxString model; // 车型
    wxString bin;   // 货位; blank = no bin
    double quantity = 0;
    bool quantityNull = false;
    bool changed = false; // set when the take-out lowered the quantity
};

// A line of the card or ticket.
struct TakeOutLine {
    wxString code;  // 编号
    wxString name;  // 项目名称
    wxString model; // 车型
    wxString bin;   // 货位
    double quantity = 0;
    bool quantityNull = false;
    bool labour = false; // WX not null: never taken from stock
};

class TakeOutQuestions {
public:
    enum Answer { Yes, No, Cancel };
    virtual ~TakeOutQuestions() = default;
    // Yes/No, or Yes/No/Cancel with withCancel.
    virtual Answer Ask(const wxString& question, bool withCancel) = 0;
    // The parts chooser on the statement (stock rows of the part with stock); the
    // chosen row's bin into *bin. False when the operator chose nothing.
    virtual bool ChooseBin(const wxString& statement, wxString* bin) = 0;
    // A message with an OK button.
    virtual void Tell(const wxString& message) = 0;
};

// Where the callers differ. The settlements stop at every refusal; the returns and
// transfer pages stop only when a part is not in stock at all and the operator does
// not ignore it (any other refusal ends just that line).
struct TakeOutPolicy {
    bool everyRefusalCancels = true;
    // A single item without a bin of its own (an assembly or one of its parts): every
    // row of the part counts as its bin, taken in turn, so nothing asks for other bins.
    bool noOwnBin = false;
};

class StockTakeOut {
public:
    StockTakeOut(std::vector<StockRow>& rows, TakeOutQuestions& questions,
                 TakeOutPolicy policy = TakeOutPolicy());
    // Takes one line out; false when an answer cancelled the settlement.
    bool Take(const TakeOutLine& line);
    // Every line in turn, stopping at the first cancel.
    bool TakeAll(const std::vector<TakeOutLine>& lines);

    // The stock statement the chooser lists from.
    static wxString StockStatement();

private:
    bool Refused(); // the answer No: cancel or go on, by policy

    std::vector<StockRow>& m_rows;
    TakeOutQuestions& m_questions;
    TakeOutPolicy m_policy;
};

} // namespace work
