#pragma once
// The statement templates of the statistics: per mode the detail list and the summary
// over all objects and for one chosen object. "ReplaceStr" first takes the chosen
// object as a quoted literal (one-object forms), then the dates fill "{^ReplaceStr}"
// and "{^ReplaceStr1}".
struct StatisticsTemplates {
    int mode;
    const char* detail;
    const char* summary;
    const char* detailOne;
    const char* summaryOne;
};

// The templates of a mode (5, 10 and 11 choose further; see the engine); null for an
// unknown mode.
const StatisticsTemplates* FindStatisticsTemplates(int mode);

namespace statistics_sql {
// Mode 5 with a settlement unit, and with one ledger unit.
extern const char* const kDebtUnitsDetail;
extern const char* const kDebtUnitsSummary;
extern const char* const kSettlementTest;
// Mode 10.
extern const char* const kProfitDetailOne;
extern const char* const kProfitSummaryDepartments;
extern const char* const kProfitSummaryOutsiders;
extern const char* const kProfitSummaryNobody;
extern const char* const kProfitSummaryOne;
extern const char* const kProfitSummaryPeriod;
extern const char* const kDepartments;
// Mode 11 summaries: parts sales, labour, other repair lines; all staff or one.
extern const char* const kCommissionSummary[3];
extern const char* const kCommissionSummaryOne[3];
// The stock totals of the stock-taking summaries.
extern const char* const kStockTotals;
} // namespace statistics_sql
