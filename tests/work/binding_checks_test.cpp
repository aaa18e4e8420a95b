// Binding checks: page limit and one page per customer (also when resuming), member
// card notices and remarks, the balances message and the net balance.
#include "platform/wx_text.h"
#include "work/binding_checks.h"

#include <gtest/gtest.h>

using namespace work;

TEST(BindingChecks, TwelvePagesAndAPageOfTheSameCarRefuseBinding) {
    std::vector<wxString> titles{U("零散客户"), U("京A1")};
    EXPECT_TRUE(BindRefusal(titles, U("京B2")).empty());
    EXPECT_EQ(BindRefusal(titles, U("京A1")), U("已有该车的工作页面！"));
    EXPECT_TRUE(BindRefusal(titles, U("京a1")).empty()); // titles compare exactly
    while (titles.size() < 12)
        titles.push_back(wxString::Format("P%zu", titles.size()));
    EXPECT_EQ(BindRefusal(titles, U("京B2")),
              U("桌面上工作页面太多，请放弃或挂起部分页面后再试。"));
    titles.pop_back();
    EXPECT_TRUE(BindRefusal(titles, U("京B2")).empty());
    EXPECT_EQ(PickerTextRefusal(U("京A'1")), U("  不能用单引号！"));
    EXPECT_TRUE(PickerTextRefusal(U("京A1")).empty());
}

TEST(BindingChecks, MemberCardNoticeOnlyWithinThirtyDaysOfTheExpiry) {
    const wxDateTime now(10, wxDateTime::Dec, 2026, 15, 0, 0);
    const wxDateTime::Month dec = wxDateTime::Dec;
    EXPECT_EQ(MemberCardNotice(U("金卡  "), wxDateTime(20, dec, 2026), now),
              U("金卡有效期:2026-12-20"));
    EXPECT_TRUE(MemberCardNotice(U("金卡"), wxDateTime(19, wxDateTime::Jan, 2027), now).empty());
    EXPECT_FALSE(MemberCardNotice(U("金卡"), wxDateTime(1, dec, 2026), now).empty());
    EXPECT_TRUE(MemberCardNotice(U("金卡"), wxDateTime(1, wxDateTime::Oct, 2026), now).empty());
    // Exactly 30 days before the day's midnight is outside.
    EXPECT_TRUE(MemberCardNotice(U("金卡"), wxDateTime(9, wxDateTime::Jan, 2027),
                                 wxDateTime(10, dec, 2026, 0, 0, 0))
                    .empty());
    EXPECT_EQ(AppendCardType(U("老客户"), U("金卡")), U("老客户金卡"));
    EXPECT_EQ(AppendCardType(U("老客户金卡"), U("金卡")), U("老客户金卡"));
}

TEST(BindingChecks, BalancesShowThePositiveSumsAndGiveTheNet) {
    PartnerSums sums;
    sums.receivables = 1200;
    sums.advances = 200;
    BalanceSummary s = SummariseBalances(sums);
    EXPECT_EQ(s.message, U("应收款:1200.00  预收款:200.00 "));
    EXPECT_DOUBLE_EQ(s.net, -1000);
    PartnerSums negative;
    negative.payables = -50;
    EXPECT_TRUE(SummariseBalances(negative).message.empty());
    EXPECT_DOUBLE_EQ(SummariseBalances(negative).net, 0);
    PartnerSums prepaid;
    prepaid.prepaid = 300;
    EXPECT_EQ(SummariseBalances(prepaid).message, U("预付款:300.00 "));
    EXPECT_DOUBLE_EQ(SummariseBalances(prepaid).net, -300);
}
