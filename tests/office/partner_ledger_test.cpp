#include "office/partner_ledger.h"

#include "app/ledger_posting.h"
#include "app/ledger_sums.h"
#include "office_fixture.h"
#include "platform/wx_text.h"

namespace {

using namespace office_test;
using office::CPartnerLedger;
using office::LedgerEntry;

class PartnerLedgerTest : public OfficeSetTest {
protected:
    void SetUp() override {
        OfficeSetTest::SetUp();
        MakeSet([](ado::Connection& c) {
            Run(c, "insert into wlkf (单位,编号,区域,no) values ('华通公司','H1','东区',1)");
            Run(c, "insert into ljsh (单据号,项目名称,单价,数量,日期,客户,flag,no) values "
                   "('20260301001','刹车片',50,2,{^2026-03-01},'华通公司','P',1)");
            Run(c, "insert into ljsh (单据号,项目名称,单价,数量,日期,客户,flag,no) values "
                   "('20260301002','机油',30,1,{^2026-03-01},'华通公司','P',2)");
            Run(c, "insert into ljsh (单据号,项目名称,单价,数量,日期,客户,flag,no) values "
                   "('20260302001','火花塞',10,4,{^2026-03-02},'华通公司','P',3)");
        });
    }
    static LedgerEntry Entry(const char* unit, const char* category, const char* amount, bool book,
                             const char* source = "") {
        LedgerEntry entry;
        entry.unit = U(unit);
        entry.category = U(category);
        entry.source = U(source);
        entry.amount = U(amount);
        entry.date = "2026-03-01";
        entry.book = book;
        return entry;
    }
    // Checks and posts like the dialog does.
    bool Post(LedgerEntry entry) {
        wxString amount, date;
        const wxString problem = CPartnerLedger::EntryProblem(entry, &amount, &date);
        EXPECT_TRUE(problem.empty()) << problem.utf8_string();
        if (!problem.empty()) return false;
        entry.amount = amount;
        entry.date = date;
        CLedgerPosting cash(*frame_);
        return CPartnerLedger::Post(entry, cash);
    }
};

TEST_F(PartnerLedgerTest, OffsetReceivableBooksItsCashAndANewPartnerOnce) {
    ASSERT_TRUE(Post(Entry("顺达车行", "应收款", "100", true, "配件")));
    ASSERT_TRUE(Post(Entry("顺达车行", "应收款", "30", false, "配件")));
    ASSERT_TRUE(Post(Entry("顺达车行", "应付款", "5", false)));

    EXPECT_EQ(Column(U("select 金额 from wlzm order by no"), U("金额")),
              (std::vector<wxString>{"100", "-30", "-5"}));
    EXPECT_EQ(Column(U("select 方式 from wlzm order by no"), U("方式")),
              (std::vector<wxString>{U("入帐"), U("冲帐"), U("冲帐")}));
    // Only the offset receivable is money received.
    EXPECT_EQ(Column(U("select 金额 from kzk"), U("金额")), (std::vector<wxString>{"30"}));
    EXPECT_EQ(Column(U("select 备注 from kzk"), U("备注")),
              (std::vector<wxString>{U("配件应收款冲帐")}));
    EXPECT_EQ(Column(U("select 单位 from wlkf where 单位='顺达车行'"), U("单位")).size(), 1u);

    const CLedgerSums sums = CLedgerSums::ReadUnit(U("顺达车行"));
    EXPECT_DOUBLE_EQ(sums.receivables, 70.0);
    EXPECT_DOUBLE_EQ(sums.Balance(), -75.0);
    EXPECT_EQ(wxString::Format("%.2f", CLedgerSums::ReadUnit(U("没有帐的人")).Balance()), "0.00");
    EXPECT_TRUE(boxes_.Shown().empty());
}

// A partner known by its number is not added again under the name typed with it.
TEST_F(PartnerLedgerTest, APartnerKnownByItsNumberIsNotAddedAgain) {
    TableFolderTest::Insert("wlkf", {{{"编号", "K-07"}, {"单位", "顺达车行"}, {"no", "99"}}});
    LedgerEntry entry = Entry("顺达", "应收款", "100", true);
    entry.number = "K-07";
    ASSERT_TRUE(Post(entry));
    entry.number = "K-08";
    ASSERT_TRUE(Post(entry)); // a new number and a new name: a new partner
    EXPECT_EQ(Column(U("select 编号 from wlkf where 编号 like 'K-%' order by 编号"), U("编号")),
              (std::vector<wxString>{"K-07", "K-08"}));
}

TEST_F(PartnerLedgerTest, BadInputIsRefusedBeforeAnythingIsWritten) {
    const struct {
        const char* unit;
        const char* category;
        const char* amount;
        const char* date;
        const char* area;
    } cases[] = {
        {"华通公司", "应收款", "1,000", "2026-03-01", ""},
        {"华通公司", "应收款", "-100", "2026-03-01", ""},
        {"华通公司", "应收款", "1e12", "2026-03-01", ""},
        {"华通公司", "应收款", "", "2026-03-01", ""},
        {"华通公司", "应收款", "0", "2026-03-01", ""},
        {"华通公司", "应收款", "12.345", "2026-03-01", ""},
        {"华通公司", "应收款", "100000000", "2026-03-01", ""},
        {"华通公司", "应收款", "100", "2026-02-30", ""},
        {"华通公司", "应收款", "100", "2026-3-1x", ""},
        {"华'通", "应收款", "100", "2026-03-01", ""},
        {"", "应收款", "100", "2026-03-01", ""},
        {"华通公司", "", "100", "2026-03-01", ""},
        {"新单位", "应收款", "100", "2026-03-01", "一二三四五六七八九十一二三四五六七八九十"},
    };
    for (const auto& c : cases) {
        LedgerEntry entry = Entry(c.unit, c.category, c.amount, false);
        entry.date = c.date;
        entry.area = U(c.area);
        wxString amount, date;
        EXPECT_FALSE(CPartnerLedger::EntryProblem(entry, &amount, &date).empty())
            << c.unit << " " << c.amount << " " << c.date;
    }
    LedgerEntry good = Entry("华通公司", "应收款", "99.5", true);
    wxString amount, date;
    EXPECT_TRUE(CPartnerLedger::EntryProblem(good, &amount, &date).empty());
    EXPECT_EQ(amount, "99.5");
}

TEST_F(PartnerLedgerTest, OtherSourceIsStoredWholeAndFound) {
    ASSERT_TRUE(Post(Entry("华通公司", "预付款", "8", true, "(其它)")));
    EXPECT_EQ(Column(U("select 来源 from wlzm"), U("来源")), (std::vector<wxString>{U("其它")}));
    EXPECT_EQ(Column(CPartnerLedger::EntriesStatement(U("来源"), U("(其它)")), U("单位")).size(),
              1u);
    // An empty selection lists nothing; a quote stays inside the literal.
    EXPECT_TRUE(Column(CPartnerLedger::EntriesStatement(U("单位"), ""), U("单位")).empty());
    EXPECT_TRUE(
        Column(CPartnerLedger::EntriesStatement(U("单位"), U("x' or '1'='1")), U("单位")).empty());
    EXPECT_EQ(Column(CPartnerLedger::AreaEntriesStatement(U("东区")), U("单位")).size(), 1u);
}

TEST_F(PartnerLedgerTest, ClearingRemovesOnlyPartnersSettledToTheFen) {
    ASSERT_TRUE(Post(Entry("甲", "应收款", "100", true)));
    ASSERT_TRUE(Post(Entry("甲", "应收款", "60", false)));
    ASSERT_TRUE(Post(Entry("甲", "预收款", "40", true)));
    ASSERT_TRUE(Post(Entry("乙", "应收款", "100.01", true)));
    ASSERT_TRUE(Post(Entry("乙", "预收款", "100", true)));
    const std::vector<wxString> removed =
        CPartnerLedger::ClearEmptyAccounts({U("甲"), U("乙"), U("丙"), wxString()});
    EXPECT_EQ(removed, (std::vector<wxString>{U("甲")}));
    EXPECT_EQ(Column(U("select distinct 单位 from wlzm"), U("单位")),
              (std::vector<wxString>{U("乙")}));
}

TEST_F(PartnerLedgerTest, RelatedDocumentsByNumberOrByDay) {
    const wxDateTime day(1, wxDateTime::Mar, 2026);
    auto items = [](const wxString& statement) {
        return statement.empty() ? std::vector<wxString>()
                                 : Column(statement + U(" order by 项目名称"), U("项目名称"));
    };
    EXPECT_EQ(items(CPartnerLedger::RelatedStatement(U("华通公司"), U("应收款"), U("配件"),
                                                     U("入帐"), "20260301002", day)),
              (std::vector<wxString>{U("机油")}));
    EXPECT_EQ(items(CPartnerLedger::RelatedStatement(U("华通公司"), U("应收款"), U("配件"),
                                                     U("入帐"), U("欠款"), day))
                  .size(),
              2u);
    for (const char* source : {"整车", "其它", "维修"})
        EXPECT_TRUE(CPartnerLedger::RelatedStatement(U("华通公司"), U("应付款"), U(source),
                                                     U("入帐"), "", day)
                        .empty())
            << source;
}

TEST_F(PartnerLedgerTest, DeleteTakesTheNumberedEntryOnly) {
    ASSERT_TRUE(Post(Entry("甲", "应收款", "1", true)));
    ASSERT_TRUE(Post(Entry("甲", "应收款", "2", true)));
    const std::vector<wxString> numbers = Column(U("select no from wlzm order by no"), "no");
    ASSERT_EQ(numbers.size(), 2u);
    long second = 0;
    ASSERT_TRUE(numbers[1].ToLong(&second));
    EXPECT_TRUE(CPartnerLedger::DeleteEntry(second));
    EXPECT_EQ(Column(U("select 金额 from wlzm"), U("金额")), (std::vector<wxString>{"1"}));
}

} // namespace
