#include "data/date_range.h"

#include <gtest/gtest.h>

namespace {

TEST(DateRange, PreviousMonthFollowsTheCalendar) {
    struct Case {
        wxDateTime today;
        const char *first, *last;
    } cases[] = {
        {wxDateTime(15, wxDateTime::Jan, 2025), "2024-12-01", "2024-12-31"},
        {wxDateTime(1, wxDateTime::Mar, 2024), "2024-02-01", "2024-02-29"},
        {wxDateTime(31, wxDateTime::Mar, 2023), "2023-02-01", "2023-02-28"},
        // Not every fourth year is a leap year.
        {wxDateTime(10, wxDateTime::Mar, 2100), "2100-02-01", "2100-02-28"},
        {wxDateTime(10, wxDateTime::Mar, 2000), "2000-02-01", "2000-02-29"},
        {wxDateTime(31, wxDateTime::Jul, 2024), "2024-06-01", "2024-06-30"},
        {wxDateTime(15, wxDateTime::Mar, 2004), "2004-02-01", "2004-02-29"},
        {wxDateTime(31, wxDateTime::May, 2026), "2026-04-01", "2026-04-30"},
    };
    for (const Case& c : cases) {
        wxString first, last;
        CDateRange::PreviousMonth(c.today, first, last);
        EXPECT_EQ(first, c.first) << c.today.FormatISODate();
        EXPECT_EQ(last, c.last) << c.today.FormatISODate();
    }
}

TEST(DateRange, RefusesUnusableRangesWithAMessage) {
    struct Case {
        const char *from, *to;
        bool usable;
    } cases[] = {
        {"2024-05-01", "2024-05-31", true},  {"2024-05-01", "2024-05-01", true},
        {"2024-05-31", "2024-05-01", false}, // reversed
        {"", "2024-05-01", false},           {"2024-05-01", "", false},
        {"2024-02-30", "2024-03-01", false}, {"abc", "2024-03-01", false},
        {"1990-01-01", "2040-01-01", false}, // fifty years
        {"2004-01-01", "2024-01-01", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDateRange::Check(c.from, c.to).empty(), c.usable) << c.from << " " << c.to;
}

TEST(DateRange, CountsCivilDays) {
    EXPECT_EQ(CDateRange::Days("2024-05-01", "2024-05-31"), 30);
    EXPECT_EQ(CDateRange::Days("2024-02-01", "2024-03-01"), 29);
    // Across the change to summer time in many zones.
    EXPECT_EQ(CDateRange::Days("2024-03-01", "2024-04-01"), 31);
    EXPECT_EQ(CDateRange::Days("2024-05-01", "2024-05-01"), 0);
}

} // namespace
