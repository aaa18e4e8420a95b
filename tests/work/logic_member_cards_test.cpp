#include "work/member_card_rules.h"
#include "work_tables_fixture.h"

#include <gtest/gtest.h>

namespace {

using MemberCardsTest = WorkTablesTest;

// The list's "过期会员" shows what its caption says: the cards whose last day of
// validity is past. A card valid today has not expired; one without a date never
// expires.
TEST_F(MemberCardsTest, ExpiredFilterListsTheCardsWhoseValidityIsPast) {
    Insert("hyzl", {
                       {{"卡号", "past"}, {"有效期", "2026-12-08"}},
                       {{"卡号", "today"}, {"有效期", "2026-12-09"}},
                       {{"卡号", "later"}, {"有效期", "2027-12-08"}},
                       {{"卡号", "none"}, {"有效期", ""}},
                   });
    CDataSet data;
    data.Open("select * from hyzl");
    ASSERT_TRUE(data.IsOpen());
    auto rs = data.m_pRecordset;
    CDataSet::MakeFilter(rs, wxString(), CMemberCardRules::ExpiredFilter("2026-12-09"));
    std::vector<std::string> shown;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
        shown.push_back(
            wxString::FromUTF8(rs->Fields().Item(U("卡号").utf8_string()).Value().ToString())
                .Trim()
                .utf8_string());
    EXPECT_EQ(shown, (std::vector<std::string>{"past"}));
}

} // namespace
