#pragma once
// The statistics engine behind the statistics dialog: for each mode and form (detail
// list or summary, all objects or one chosen object) the statement, the report name
// and the columns shown; it opens the statement into the result data set and adds
// what the tables do not give directly (stock totals of the stock-taking summaries,
// unsold stock, commissions, rows of salespeople outside the staff table, the total
// row). It only reads tables: whatever it adds stays in the client-side result.
#include "data/data_set.h"

#include <vector>
#include <wx/string.h>

struct StatisticsRequest {
    int mode = 1;        // 1..11, 13
    bool summary = true; // 汇总表; false: 详细清单
    wxString choice;     // the selected list entry; empty or "全部" for every object
    wxString from, to;   // "%Y-%m-%d"
    bool HasChoice() const;
};

// What the tables tell about the request before a statement is chosen.
struct StatisticsFacts {
    bool settlementUnit = false; // mode 5: the choice is the 结算单位 of some vehicle
    bool departments = false;    // mode 10: the staff table names departments
};

// The statements of one run: the main one and those whose rows are appended to it.
struct StatisticsPlan {
    wxString title; // the report name: the grid's title and table name
    wxString statement;
    std::vector<wxString> appended;
    int hiddenFields = 1; // trailing fields of the result the grid does not show
};

class CStatisticsEngine {
public:
    static constexpr int kModes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13};

    static wxString ReportName(int mode, bool summary);
    // The refusal of a request the tables cannot answer (a bad date range, an unknown
    // mode); empty when it can run.
    static wxString Check(const StatisticsRequest& request);
    static StatisticsFacts ReadFacts(const StatisticsRequest& request, CDataSet& aux);
    static StatisticsPlan Plan(const StatisticsRequest& request, const StatisticsFacts& facts);

    // Runs a checked request into `result` (aux serves the auxiliary statements).
    // False when a statement was refused (the data store has reported it).
    bool Run(const StatisticsRequest& request, CDataSet& result, CDataSet& aux);

    // The names of the shown fields of the result of the last run.
    std::vector<wxString> Columns(const CDataSet& result) const;
    const StatisticsPlan& LastPlan() const { return m_plan; }

    // The commission rate (whole percent) of a line: labour, parts used in repairs,
    // parts sold.
    struct Rates {
        int labour = 0, repairParts = 0, partsSales = 0;
    };
    static Rates ReadRates();
    static double Commission(double amount, const wxString& flag, const wxString& brand,
                             const Rates& rates);
    // The text of the amount total: "总计:x" with two decimals, negative totals too;
    // empty for a total of 0.00.
    static wxString AmountTotalText(double sum);

private:
    // Mode 8's detail: each sales line shows 车型, 厂牌 and 备注 of its part's stock row
    // (the first one stored when the part lies in several bins).
    void TakeStockDetails(CDataSet& result, CDataSet& aux);
    void FillStockColumns(const StatisticsRequest& request, CDataSet& result, CDataSet& aux);
    void AddCommissions(CDataSet& result);
    void AddTotalRow(const StatisticsRequest& request, CDataSet& result);
    bool Append(const wxString& statement, CDataSet& result, CDataSet& aux, bool labelByFlag);

    StatisticsPlan m_plan;
};
