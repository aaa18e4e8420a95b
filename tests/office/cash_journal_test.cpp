#include "office/cash_journal.h"

#include <gtest/gtest.h>

namespace {

using office::CCashJournal;

wxDateTime Day(const char* iso) {
    wxDateTime day;
    day.ParseISODate(iso);
    return day;
}

TEST(AssetValueTest, StraightLineDownToTheResidualNeverAboveCost) {
    const wxDateTime today = Day("2026-12-10");
    const struct {
        int quantity, rate, years;
        double price;
        const char* bought;
        bool counts;
        double present, cost;
    } cases[] = {
        {2, 4, 5, 1000, "2025-12-10", true, 1616.00, 2000.00}, // one year of five
        {2, 4, 5, 1000, "2010-01-01", true, 80.00, 2000.00},   // past its life: the residual
        {2, 4, 5, 1000, "2027-06-01", true, 2000.00, 2000.00}, // bought later: full value
        {1, 0, 1, 500, "2020-01-01", true, 0.00, 500.00},      // no residual value
        {1, 4, 5, 500, "", true, 500.00, 500.00},              // no date: bought today
        {0, 4, 5, 500, "2025-12-10", false, 0, 0},
        {1, -1, 5, 500, "2025-12-10", false, 0, 0},
        {1, 4, -1, 500, "2025-12-10", false, 0, 0},
    };
    for (const auto& c : cases) {
        CCashJournal::Asset asset;
        asset.quantity = c.quantity;
        asset.residualRate = c.rate;
        asset.years = c.years;
        asset.price = c.price;
        if (*c.bought) asset.bought = Day(c.bought);
        double present = -1, cost = -1;
        EXPECT_EQ(CCashJournal::Value(asset, today, &present, &cost), c.counts) << c.bought;
        if (!c.counts) continue;
        EXPECT_EQ(wxString::Format("%.2f", present), wxString::Format("%.2f", c.present))
            << c.bought;
        EXPECT_EQ(wxString::Format("%.2f", cost), wxString::Format("%.2f", c.cost));
    }
}

TEST(AssetValueTest, DaysAreCalendarDays) {
    EXPECT_EQ(CCashJournal::CivilDays(Day("2024-02-28"), Day("2024-03-01")), 2);
    EXPECT_EQ(CCashJournal::CivilDays(Day("2026-03-28"), Day("2026-03-30")), 2);
    EXPECT_EQ(CCashJournal::CivilDays(Day("2026-10-24"), Day("2026-10-26")), 2);
    EXPECT_EQ(CCashJournal::CivilDays(Day("2025-12-10"), Day("2026-12-10")), 365);
    EXPECT_EQ(CCashJournal::CivilDays(Day("2026-12-10"), Day("2026-12-01")), -9);
}

TEST(CashJournalTest, RangeStatementTakesOnlyRealDays) {
    EXPECT_EQ(CCashJournal::RangeStatement(1, "2026-01-01", "2026-01-31"),
              wxString::FromUTF8("select * from kzk where 日期>={^2026-01-01} and "
                                 "日期<={^2026-01-31} order by 日期"));
    EXPECT_TRUE(CCashJournal::RangeStatement(2, "2026-01-01", "2026-01-31").Contains("gdzc"));
    for (const char* bad : {"2026-02-30", "2026-1-1", "x') or ('1'='1", ""})
        EXPECT_TRUE(CCashJournal::RangeStatement(1, bad, "2026-01-31").empty()) << bad;
}

} // namespace
