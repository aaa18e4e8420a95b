#pragma once
// The parts flow analysis: for every part sold in a range, the quantity, the average
// per 30 days, the stock, the monthly sales in percent of the stock and the share of
// all sales; parts in stock but unsold are added with no sales. Best sellers are the
// rows whose share exceeds a threshold, slow sellers those whose monthly sales stay
// below a percentage of their stock. Only reads: the values live in the result.
#include "data/data_set.h"

#include <wx/string.h>

// The settings line "bl1=..,bl2=..,bl3=..," of Picture/llfxSet.
struct FlowSettings {
    int slow = 100;  // bl1: slow seller below this monthly sales percent of stock
    int best = 100;  // bl2: best seller above this share percent
    int basis = 100; // bl3: 1 share by quantity, anything else by amount

    static constexpr const char* kFileName = "llfxSet";
    static FlowSettings Parse(const wxString& line);
    wxString Build() const;
    static FlowSettings Load();
    void Save() const;
    // The number of a key: 100 when the key is missing, 0 when its value is empty.
    static int Number(const wxString& line, const wxString& key);
};

class CFlowAnalysis {
public:
    // A value shown with two decimals, or whole when its decimals are .91 to .99.
    static wxString NinetyRule(double value);
    // The refusal of a typed threshold (empty, not a whole number, negative); empty when
    // it can be used.
    static wxString CheckThreshold(const wxString& text);
    // The days the range spans, at least one.
    static long RangeDays(const wxString& from, const wxString& to);

    // Runs the analysis of a checked range into `result` (aux holds the stock groups
    // while it runs). False after a refused statement.
    bool Run(const wxString& from, const wxString& to, bool byQuantity, CDataSet& result,
             CDataSet& aux);
    // The Filter criteria of the two lists.
    static wxString BestSellersFilter(int threshold);
    static wxString SlowSellersFilter(int threshold);

    static constexpr int kHiddenFields = 2; // 单价 (the sales amount) and no
};
