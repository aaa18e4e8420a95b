// Archiving returns: the day's numbers, parts back from customers against their sales,
// parts out to suppliers, reissues, and the refusals that leave every table as it was.
#include "parts/returns_archive.h"
#include "parts/returns_lines.h"
#include "parts/returns_matching.h"
#include "parts_tables_fixture.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>

using namespace parts;

namespace {

const wxDateTime kToday(11, wxDateTime::Dec, 2026);

struct ReturnLine {
    const char* customer;
    const char* code;
    const char* name;
    const char* quantity;
    const char* price = nullptr;
    const char* no1 = nullptr;
    const char* date = nullptr;
};

} // namespace

class ReturnsArchiveTest : public PartsTablesTest {
protected:
    void SetUp() override {
        PartsTablesTest::SetUp();
        MakeTables({"ljth", "ljsh"}, *frame_);
    }
    // The page's pending lines, as the page holds them.
    void Lines(const std::vector<ReturnLine>& lines) {
        data_ = std::make_unique<CDataSet>();
        data_->Open(ReturnLinesStatement());
        ASSERT_TRUE(data_->IsOpen());
        ado::Recordset& rs = *data_->m_pRecordset;
        int n = 0;
        for (const ReturnLine& line : lines) {
            rs.AddNew();
            PutText(rs, "客户", U(line.customer));
            PutText(rs, "编号", U(line.code));
            PutText(rs, "零件名称", U(line.name));
            if (line.quantity) PutText(rs, "数量", U(line.quantity));
            if (line.price) PutText(rs, "单价", U(line.price));
            if (line.no1) PutText(rs, "no1", U(line.no1));
            if (line.date) PutText(rs, "日期", U(line.date));
            PutText(rs, "其它", "N");
            PutNumber(rs, "no", -(++n));
            rs.Update();
        }
    }
    ReturnsArchive::Result Archive(int mode, const char* choice = "") {
        ReturnsArchive archive(mode, *data_->m_pRecordset, U(choice), questions_, kToday);
        const ReturnsArchive::Result result = archive.Run();
        toStock_ = archive.ToStock();
        number_ = archive.DocNumber();
        return result;
    }
    static wxString All() { return Tables({"ljkc", "jhda", "ljth", "ljsh", "wlzm"}); }
    void Sale(const char* customer, const char* code, const char* quantity, const char* remark,
              const char* no) {
        Insert("ljsh", {{{"客户", customer},
                         {"编号", code},
                         {"项目名称", "刹车片"},
                         {"数量", quantity},
                         {"备注", remark},
                         {"flag", "P"},
                         {"no", no}}});
    }

    std::unique_ptr<CDataSet> data_;
    ScriptedQuestions questions_;
    bool toStock_ = false;
    wxString number_;
};

TEST_F(ReturnsArchiveTest, NumbersFollowTheDaysHighestNumber) {
    const struct {
        std::vector<const char*> stored; // 单据号 in stored order
        const char* next;
    } cases[] = {
        {{}, "20261211001"},
        {{"20261211009"}, "20261211010"},
        {{"20261211099"}, "20261211100"},
        // The last stored row is not the day's highest.
        {{"20261211005", "20261211002", nullptr}, "20261211006"},
        {{"20261210007", "2026121"}, "20261211001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.next);
        CDataSet().DeleteWhere("ljth", "no>0");
        int no = 100 + static_cast<int>(CDataSet().GetDbfRecordCount("ljth"));
        for (const char* number : c.stored) {
            const std::string n = std::to_string(++no);
            Insert("ljth", {number ? TableFolderTest::Row{{"单据号", number}, {"no", n.c_str()}}
                                   : TableFolderTest::Row{{"no", n.c_str()}}});
        }
        EXPECT_EQ(ReturnsArchive::NextNumber(kToday), U(c.next));
    }
}

TEST_F(ReturnsArchiveTest, ACustomerReturnsTwoOfFivePartsBoughtLastWeek) {
    Sale("王五", "P1", "5", "", "1");
    Sale("王五五", "P1", "5", "", "2"); // a name that holds the customer's: not his sale
    Lines({{"王五", "P1", "刹车片", "2", "4.35"}});
    questions_.answers = {ScriptedQuestions::Yes, ScriptedQuestions::No};
    ASSERT_EQ(Archive(kSoundBack, "王五"), ReturnsArchive::Archived);
    EXPECT_EQ(questions_.asked.front(), U("是否要把金额保存到应付款记录中去？"));
    EXPECT_EQ(questions_.asked.back(), U("数据已存档 "));
    EXPECT_FALSE(toStock_);

    const wxString sales = "select * from ljsh order by no";
    EXPECT_EQ(Column(sales, "数量"), (Texts{"3", "5"}));
    EXPECT_EQ(Column(sales, "备注"), (Texts{U("退2"), ""}));
    const wxString returns = "select * from ljth";
    EXPECT_EQ(Column(returns, "单据号"), Texts{"20261211001"});
    EXPECT_EQ(Column(returns, "备注"), Texts{U("正品退回")});
    EXPECT_EQ(Column(returns, "flag"), Texts{"NULL"});
    EXPECT_EQ(Column(returns, "补发日期"), Texts{"2026-12-11"});
    EXPECT_EQ(Column(returns, "no"), Texts{"1"});
    // 8.70 is posted as 8.70, not rounded to whole yuan.
    EXPECT_EQ(Column("select * from wlzm", "金额"), Texts{"8.7"});
    EXPECT_EQ(Column("select * from wlzm", "类别"), Texts{U("应付款")});
    EXPECT_EQ(Column("select * from wlzm", "来源"), Texts{U("退回")});
    EXPECT_EQ(Column("select * from wlzm", "备注"), Texts{"20261211001"});
}

TEST_F(ReturnsArchiveTest, ReturnedCountsAddUpAndQuantitiesNeverGoBelowZero) {
    Sale("李四", "P1", "2", "退1", "1");
    Sale("李四", "P1", "1", "", "2");
    Lines({{"李四", "P1", "刹车片", "3"}});
    questions_.answers = {ScriptedQuestions::No};
    ASSERT_EQ(Archive(kSoundBack, "李四"), ReturnsArchive::Archived);
    const wxString sales = "select * from ljsh order by no";
    EXPECT_EQ(Column(sales, "数量"), (Texts{"0", "0"}));
    EXPECT_EQ(Column(sales, "备注"), (Texts{U("退3"), U("退1")}));
}

TEST_F(ReturnsArchiveTest, ADeclinedPayableLeavesTheReturnUnsettled) {
    Sale("李四", "P1", "2", "", "1");
    Lines({{"李四", "P1", "刹车片", "1", "10"}});
    questions_.answers = {ScriptedQuestions::No, ScriptedQuestions::No};
    ASSERT_EQ(Archive(kSoundBack, "李四"), ReturnsArchive::Archived);
    EXPECT_EQ(Column("select * from ljth", "flag"), Texts{"N"});
    EXPECT_EQ(Column("select * from ljth", "补发日期"), Texts{"NULL"});
    EXPECT_TRUE(Column("select * from wlzm", "金额").empty());
}

TEST_F(ReturnsArchiveTest, BadReturnsAreRefusedWithEveryTableAsItWas) {
    const struct {
        const char* what;
        ReturnLine line;
        std::deque<ScriptedQuestions::Answer> answers;
        const char* message;
    } cases[] = {
        {"dated in the future",
         {"李四", "P1", "刹车片", "1", "1", nullptr, "2026-12-12"},
         {},
         "“刹车片”的日期晚于今天，请改正后再存档。"},
        {"a payable without a customer",
         {"", "P1", "刹车片", "1", "1"},
         {ScriptedQuestions::Yes},
         "客户不能为空,操作已取消!"},
    };
    Sale("李四", "P1", "5", "", "1");
    Insert("ljkc", {{{"编号", "P1"}, {"数量", "4"}, {"no", "1"}}});
    const wxString before = All();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Lines({c.line});
        questions_.answers = c.answers;
        questions_.asked.clear();
        EXPECT_EQ(Archive(kSoundBack, "李四"), ReturnsArchive::Cancelled);
        EXPECT_EQ(questions_.asked.back(), U(c.message));
        EXPECT_EQ(All(), before);
    }
}

TEST_F(ReturnsArchiveTest, APartnerWithAQuoteInItsNameIsFoundButNotBooked) {
    {
        // Typed values lose their quotes; an imported name keeps them.
        CDataSet sales;
        sales.Open("select * from ljsh where no=0");
        ado::Recordset& rs = *sales.m_pRecordset;
        rs.AddNew();
        PutText(rs, "客户", "O'Neil's");
        PutText(rs, "编号", "P1");
        PutNumber(rs, "数量", 5.0);
        PutNumber(rs, "no", 1.0);
        rs.Update();
        ASSERT_EQ(sales.Save(sales.m_pRecordset), 1);
    }
    Lines({{"O'Neil's", "P1", "刹车片", "1", "2.5"}});
    // The ledger cannot hold the name: the payable is refused before anything is written.
    const wxString before = All();
    questions_.answers = {ScriptedQuestions::Yes};
    ASSERT_EQ(Archive(kSoundBack, "O'Neil's"), ReturnsArchive::Cancelled);
    EXPECT_EQ(questions_.asked.back(), U("“O'Neil's”的名称中有单引号，不能记帐，操作已取消！"));
    EXPECT_EQ(All(), before);
    // Without the payable the sale is found and marked.
    questions_.answers = {ScriptedQuestions::No, ScriptedQuestions::No};
    ASSERT_EQ(Archive(kSoundBack, "O'Neil's"), ReturnsArchive::Archived);
    EXPECT_EQ(Column("select * from ljsh", "备注"), Texts{U("退1")});
    EXPECT_EQ(Column("select * from ljth", "客户"), Texts{"O'Neil's"});
}

TEST_F(ReturnsArchiveTest, AReissueOfTwoOfFiveSplitsTheEarlierReturn) {
    Insert("ljth", {{{"客户", "王五"},
                     {"编号", "P1"},
                     {"零件名称", "刹车片"},
                     {"数量", "5"},
                     {"单据号", "20261201001"},
                     {"no", "7"}}});
    Insert("ljkc", {{{"编号", "P1"}, {"零件名称", "刹车片"}, {"数量", "10"}, {"no", "1"}}});
    Lines({{"王五", "P1", "刹车片", "2", "4", "7"}});
    ASSERT_EQ(Archive(kReissue, "王五"), ReturnsArchive::Archived);
    // The new row is numbered after the table's rows, before the earlier return.
    const wxString returns = "select * from ljth order by no";
    EXPECT_EQ(Column(returns, "数量"), (Texts{"3", "2"}));
    EXPECT_EQ(Column(returns, "flag"), (Texts{"NULL", "T"}));
    // What is not yet reissued stays pending.
    EXPECT_EQ(Column(returns, "补发日期"), (Texts{"NULL", "2026-12-11"}));
    EXPECT_EQ(Column(returns, "单据号"), (Texts{"20261201001", "20261201001"}));
    EXPECT_EQ(Column("select * from ljkc", "数量"), Texts{"8"});
    // The reissued parts are a sale of the day, numbered before they are stored.
    EXPECT_EQ(Column("select * from ljsh", "项目名称"), Texts{U("刹车片")});
    EXPECT_EQ(Column("select * from ljsh", "数量"), Texts{"2"});
    EXPECT_EQ(Column("select * from ljsh", "flag"), Texts{"P"});
    EXPECT_EQ(Column("select * from ljsh", "no"), Texts{"1"});
}

TEST_F(ReturnsArchiveTest, AReissueOfMoreThanWasReturnedIsRefused) {
    Insert("ljth", {{{"编号", "P1"}, {"零件名称", "刹车片"}, {"数量", "1"}, {"no", "7"}}});
    Insert("ljkc", {{{"编号", "P1"}, {"数量", "10"}, {"no", "1"}}});
    Lines({{"王五", "P1", "刹车片", "2", "4", "7"}});
    const wxString before = All();
    EXPECT_EQ(Archive(kReissue), ReturnsArchive::Cancelled);
    EXPECT_EQ(All(), before);
}

TEST_F(ReturnsArchiveTest, ACustomerReturnReissuedAtOnceIsSoldAlsoWhenItGoesToStock) {
    Sale("李四", "P1", "5", "", "1");
    Insert("ljkc", {{{"编号", "P1"}, {"数量", "3"}, {"no", "1"}}});
    Lines({{"李四", "P1", "刹车片", "1", "6"}});
    questions_.answers = {ScriptedQuestions::Yes, ScriptedQuestions::Yes};
    ASSERT_EQ(Archive(kDefectBack, "李四"), ReturnsArchive::Archived);
    EXPECT_TRUE(toStock_);
    EXPECT_EQ(questions_.asked.size(), 2u); // no payable question after a reissue
    EXPECT_EQ(Column("select * from ljkc", "数量"), Texts{"2"});
    EXPECT_EQ(Column("select * from ljsh order by no", "flag"), (Texts{"P", "P"}));
    EXPECT_EQ(Column("select * from ljth", "补发日期"), Texts{"2026-12-11"});
    EXPECT_EQ(Column("select * from ljth", "flag"), Texts{"NULL"});
}

TEST_F(ReturnsArchiveTest, ARefusedTakeOutArchivesAndPostsNothing) {
    Insert("ljkc", {{{"编号", "P1"}, {"零件名称", "刹车片"}, {"数量", "1"}, {"no", "1"}}});
    Lines({{"供货商甲", "P9", "刹车片", "3", "8.70"}});
    const wxString before = All();
    // The receivable is accepted, the part missing from stock is not ignored.
    questions_.answers = {ScriptedQuestions::Yes, ScriptedQuestions::No};
    EXPECT_EQ(Archive(kSoundOut), ReturnsArchive::Cancelled);
    EXPECT_EQ(All(), before);
    EXPECT_EQ(questions_.asked.back(), U("零件没有出库，退货没有存档。"));
}

TEST_F(ReturnsArchiveTest, SoundPartsOutLeaveStockAndBookAReceivable) {
    Insert("ljkc", {{{"编号", "P1"}, {"零件名称", "刹车片"}, {"数量", "5"}, {"no", "1"}}});
    Lines({{"供货商甲", "P1", "刹车片", "3", "2.90"}});
    questions_.answers = {ScriptedQuestions::Yes};
    ASSERT_EQ(Archive(kSoundOut), ReturnsArchive::Archived);
    EXPECT_EQ(Column("select * from ljkc", "数量"), Texts{"2"});
    EXPECT_EQ(Column("select * from ljth", "备注"), Texts{U("正品退出")});
    EXPECT_EQ(Column("select * from ljth", "退出日期"), Texts{"2026-12-11"});
    EXPECT_EQ(Column("select * from wlzm", "金额"), Texts{"8.7"});
    EXPECT_EQ(Column("select * from wlzm", "类别"), Texts{U("应收款")});
}

TEST_F(ReturnsArchiveTest, DefectivePartsOutMarkTheirReturnOrLeaveFromStock) {
    Insert("ljth", {{{"编号", "P1"}, {"零件名称", "刹车片"}, {"数量", "1"}, {"no", "7"}}});
    Insert("ljkc", {{{"编号", "P2"}, {"零件名称", "灯泡"}, {"数量", "4"}, {"no", "1"}}});
    Lines({{"供货商甲", "P1", "刹车片", "1", nullptr, "7"},
           {"供货商甲", "P2", "灯泡", "1", nullptr, "99"},
           {"供货商甲", "P3", "垫片", "1", nullptr, "98"}});
    // P2 leaves from stock; P3 is declined.
    questions_.answers = {ScriptedQuestions::Yes, ScriptedQuestions::No};
    ASSERT_EQ(Archive(kDefectOut), ReturnsArchive::Archived);
    const wxString returns = "select * from ljth order by no";
    EXPECT_EQ(Column(returns, "编号"), (Texts{"P2", "P1"}));
    EXPECT_EQ(Column(returns, "其它"), (Texts{"T", "T"}));
    EXPECT_EQ(Column(returns, "退出日期"), (Texts{"2026-12-11", "2026-12-11"}));
    EXPECT_TRUE(Column("select * from ljth where no<0", "no").empty());
    EXPECT_EQ(Column("select * from ljkc", "数量"), Texts{"3"});
}

TEST_F(ReturnsArchiveTest, APurchaseReturnLowersItsReceipt) {
    Insert("jhda", {{{"入库单", "R1"}, {"编号", "P1"}, {"数量", "5"}, {"no", "1"}}});
    Insert("ljkc", {{{"编号", "P1"}, {"数量", "5"}, {"no", "1"}}});
    Lines({{"供货商甲", "P1", "刹车片", "2"}});
    ASSERT_EQ(Archive(kPurchaseReturn, "R1"), ReturnsArchive::Archived);
    EXPECT_EQ(Column("select * from jhda", "数量"), Texts{"3"});
    EXPECT_EQ(Column("select * from jhda", "备注"), Texts{U("退2")});
    EXPECT_EQ(Column("select * from ljkc", "数量"), Texts{"3"});
}

// A return that matches no sale or receipt (or more than it still holds) is archived
// all the same; it marks only what it matches.
TEST_F(ReturnsArchiveTest, ReturnsMatchingNoSaleOrReceiptAreArchivedAsTheyStand) {
    // Sound or defective, back from a customer: matched as far as the sale goes.
    const struct {
        int mode;
        const char *buyer, *stranger;
    } back[] = {{kSoundBack, "李四", "赵六"}, {kDefectBack, "钱七", "孙八"}};
    int no = 0;
    for (const auto& c : back) {
        const size_t before = Column("select * from ljth", "编号").size();
        Sale(c.buyer, "P1", "5", "", std::to_string(++no).c_str());
        Lines({{c.buyer, "P1", "刹车片", "6", "1"},    // one more than was sold
               {c.stranger, "P1", "刹车片", "1", "1"}, // a customer without sales
               {c.buyer, "P9", "机油", "1", "1"}});    // a part never sold
        questions_.answers = {ScriptedQuestions::No, ScriptedQuestions::No};
        questions_.asked.clear();
        ASSERT_EQ(Archive(c.mode, c.buyer), ReturnsArchive::Archived) << c.mode;
        const wxString sale = U("select * from ljsh where 客户='") + U(c.buyer) + "'";
        EXPECT_EQ(Column(sale, "数量"), Texts{"0"}) << c.mode;
        EXPECT_EQ(Column(sale, "备注"), Texts{U("退5")}) << c.mode;
        const Texts archived = Column("select * from ljth order by no", "编号");
        ASSERT_EQ(archived.size(), before + 3) << c.mode;
        EXPECT_EQ(Texts(archived.begin() + before, archived.end()), (Texts{"P1", "P1", "P9"}))
            << c.mode;
        EXPECT_EQ(questions_.asked.back(), U("数据已存档 ")) << c.mode;
    }

    // A purchase return against a receipt that holds no such part.
    Insert("jhda", {{{"入库单", "R1"}, {"编号", "P1"}, {"数量", "5"}, {"no", "1"}}});
    Insert("ljkc", {{{"编号", "P9"}, {"数量", "5"}, {"no", "1"}}});
    Lines({{"供货商甲", "P9", "机油", "2"}});
    questions_.answers = {ScriptedQuestions::No};
    ASSERT_EQ(Archive(kPurchaseReturn, "R1"), ReturnsArchive::Archived);
    EXPECT_EQ(Column("select * from jhda", "数量"), Texts{"5"});
    EXPECT_EQ(Column("select * from ljkc", "数量"), Texts{"3"});
    EXPECT_EQ(Column("select * from ljth order by no", "编号"),
              (Texts{"P1", "P1", "P9", "P1", "P1", "P9", "P9"}));
}

// On the returns page a refused shortage ends only that line's take-out; a part missing
// from stock and not ignored stops the archive.
TEST_F(ReturnsArchiveTest, OnlyAMissingPartStopsTheTakeOut) {
    Insert("ljkc", {{{"编号", "P1"}, {"货位", "B"}, {"数量", "5"}, {"no", "1"}}});
    Lines({{"供货商甲", "P1", "刹车片", "2"}});
    // Cancel to the other bins (the line has none): the line is archived untaken.
    questions_.answers = {ScriptedQuestions::Cancel};
    ASSERT_EQ(Archive(kSoundOut), ReturnsArchive::Archived);
    EXPECT_EQ(Column("select * from ljkc", "数量"), Texts{"5"});
    EXPECT_EQ(Column("select * from ljth", "编号"), Texts{"P1"});
    const wxString before = All();
    Lines({{"供货商甲", "P7", "刹车片", "2"}});
    questions_.answers = {ScriptedQuestions::No};
    EXPECT_EQ(Archive(kSoundOut), ReturnsArchive::Cancelled);
    EXPECT_EQ(All(), before);
}

TEST_F(ReturnsArchiveTest, APageWithoutLinesStoresNothing) {
    Lines({});
    const wxString before = All();
    EXPECT_EQ(Archive(kSoundBack), ReturnsArchive::Archived);
    EXPECT_EQ(questions_.asked, Texts{U("数据已存档 ")});
    EXPECT_EQ(All(), before);
}

TEST(ReturnModes, CodesAndCounts) {
    const std::pair<const char*, int> modes[] = {{"", 1},   {"TC", 2}, {"BF", 3}, {"ZC", 4},
                                                 {"TH", 5}, {"JT", 6}, {"tc", 1}};
    for (const auto& m : modes)
        EXPECT_EQ(ReturnModeOfCode(m.first), m.second) << m.first;
    const std::pair<const char*, long> counts[] = {{"退1", 1},  {"退12", 12}, {"退", 0},
                                                   {"退货", 0}, {"三包", 0},  {"", 0}};
    for (const auto& c : counts)
        EXPECT_EQ(ReturnedCount(U(c.first)), c.second) << c.first;
}
