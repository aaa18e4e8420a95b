// Settling a sales ticket on an encrypted account set: every table to the fen; a
// refusal or a failure (a stock row gone, a full disk) writes nothing, and settling
// again afterwards archives every line once.
#include "common/file_size_limit.h"
#include "common/settle_script.h"
#include "common/table_folder.h"
#include "data/data_set.h"
#include "parts/sales_pricing.h"
#include "parts/sales_settlement.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "work/settle_arithmetic.h"

#include <deque>
#include <functional>
#include <wx/datetime.h>

using namespace parts;
using work::TakeOutQuestions;

namespace {

using Texts = std::vector<wxString>;

struct Script : SettleScript {
    Script() : SettleScript(No) {}
};

class SalesSettlementTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        frame_->m_strRights = "clerk,";
        MakeTables({"ljkc", "zyxm", "ljsh", "ljth", "wlzm", "kzk"}, *frame_);
        // A walk-in ticket of 100.00: two oil at 90%, a part without discount, a
        // warranty part and a gift; another customer's ticket beside it.
        Insert("zyxm",
               {{{"客户", "零散客户"}, {"flag", "P"}, {"no", "1"}},
                {{"客户", "零散客户"},
                 {"flag", "P"},
                 {"项目名称", "机油"},
                 {"编号", "A1"},
                 {"单价", "50"},
                 {"折扣", "90"},
                 {"数量", "2"},
                 {"货位", "B1"},
                 {"进价", "30"},
                 {"作业人员", "李四"},
                 {"no", "2"}},
                {{"客户", "零散客户"},
                 {"flag", "P"},
                 {"项目名称", "火花塞"},
                 {"编号", "N2"},
                 {"单价", "10"},
                 {"折扣", "90"},
                 {"数量", "1"},
                 {"其它", "N"},
                 {"no", "3"}},
                {{"客户", "零散客户"},
                 {"flag", "P"},
                 {"项目名称", "刹车片"},
                 {"编号", "C3"},
                 {"单价", "100"},
                 {"数量", "1"},
                 {"其它", "S"},
                 {"备注", "异响"},
                 {"进价", "60"},
                 {"no", "4"}},
                {{"客户", "零散客户"},
                 {"flag", "P"},
                 {"项目名称", "雨刮"},
                 {"编号", "D4"},
                 {"单价", "20"},
                 {"数量", "1"},
                 {"其它", "Z"},
                 {"进价", "8"},
                 {"no", "5"}},
                {{"客户", "王五"}, {"flag", "P"}, {"no", "6"}},
                {{"客户", "王五"}, {"flag", "P"}, {"编号", "A1"}, {"数量", "1"}, {"no", "7"}}});
        // The oil is short in its bin (1 of 2) and lies in one other bin.
        Insert("ljkc",
               {{{"编号", "A1"}, {"零件名称", "机油"}, {"货位", "B1"}, {"数量", "1"}, {"no", "1"}},
                {{"编号", "A1"}, {"零件名称", "机油"}, {"货位", "B2"}, {"数量", "5"}, {"no", "2"}},
                {{"编号", "N2"}, {"零件名称", "火花塞"}, {"数量", "4"}, {"no", "3"}},
                {{"编号", "C3"}, {"零件名称", "刹车片"}, {"数量", "3"}, {"no", "4"}},
                {{"编号", "D4"}, {"零件名称", "雨刮"}, {"数量", "5"}, {"no", "5"}}});
        OpenLines();
        number_ = wxDateTime::Today().Format("%Y%m%d") + "001";
    }
    void TearDown() override {
        lines_.reset();
        frame_.reset();
        TableFolderTest::TearDown();
    }
    // The sheet's lines filtered to the ticket, as the sales page holds them.
    void OpenLines() {
        lines_ = std::make_shared<ado::Recordset>();
        CDataSet().OpenInto(U("select 车型,项目名称,编号,单价,成交价,单位,数量,货位,厂牌,小计,"
                              "作业人员 as 业务,备注,折扣,客户,零售价,批发价,进价,代理价,故障,"
                              "其它,WX,flag,no from zyxm where flag like '%P%'"),
                            lines_);
        lines_->PutFilter(CSqlText::Criterion(U("客户"), U("零散客户")).utf8_string());
    }
    // Pays `paid` of the 100.00; the other bin taken, the shortfall booked.
    SalesSettlement::Result Settle(Script& s, double paid = 20) {
        s.answers = {TakeOutQuestions::Yes, TakeOutQuestions::Yes};
        SalesSettlement settlement(lines_, U("零散客户"), sheetNumber_, s);
        EXPECT_EQ(settlement.Prepare(), SalesSettlement::Ready);
        EXPECT_DOUBLE_EQ(settlement.Total(), 100);
        const double change = paid - settlement.Total();
        return settlement.Run(work::Shortfall(change));
    }
    static wxString Tables() {
        wxString all;
        for (const char* table : {"ljsh", "ljth", "ljkc", "zyxm", "wlzm", "kzk"}) {
            for (const wxString& name : FieldNames(table)) {
                all += wxString(table) + "." + name + ":";
                for (const wxString& v :
                     Column(wxString("select * from ") + table + " order by no", name))
                    all += v + "|";
                all += "\n";
            }
        }
        return all + CSettingFiles::ReadSettingFile("M_DJH");
    }
    Texts Shown() const {
        Texts texts;
        for (const std::string& t : boxes_.Texts())
            texts.push_back(wxString::FromUTF8(t));
        return texts;
    }
    // The ticket was archived once: four sales rows, one reissue, the header settled.
    void ExpectSettledOnce() {
        const wxString q = "select * from ljsh order by no";
        EXPECT_EQ(Column(q, U("项目名称")),
                  (Texts{U("机油"), U("火花塞"), U("刹车片"), U("雨刮")}));
        EXPECT_EQ(Column(q, U("单价")), (Texts{"45", "10", "0", "0"}));
        EXPECT_EQ(Column(q, U("进价")), (Texts{"30", "NULL", "0", "8"}));
        EXPECT_EQ(Column(q, U("备注")), (Texts{"NULL", "NULL", U("三包异响"), U("赠送")}));
        EXPECT_EQ(Column(q, U("业务")), (Texts{U("李四"), "NULL", "NULL", "NULL"}));
        EXPECT_EQ(Column(q, "flag"), Texts(4, "P"));
        EXPECT_EQ(Column(q, U("单据号")), Texts(4, number_));
        EXPECT_EQ(Column(q, "no"), (Texts{"1", "2", "3", "4"}));
        const wxString th = "select * from ljth";
        EXPECT_EQ(Column(th, U("零件名称")), Texts{U("刹车片")});
        EXPECT_EQ(Column(th, "flag"), Texts{"T"});
        EXPECT_EQ(Column(th, U("备注")), Texts{U("三包异响")});
        const wxString today = wxDateTime::Today().Format("%Y-%m-%d");
        EXPECT_EQ(Column(th, U("补发日期")), Texts{today});
        EXPECT_EQ(Column(th, U("日期")), Texts{today});
        EXPECT_EQ(Column("select * from ljkc order by no", U("数量")),
                  (Texts{"0", "4", "3", "2", "4"}));
        EXPECT_EQ(Column("select * from zyxm where no=1", U("单位")), Texts{"YES"});
        EXPECT_EQ(Column("select * from zyxm where no=1", U("货位")), Texts{number_});
        EXPECT_EQ(Column("select * from zyxm where no=6", U("单位")), Texts{"NULL"});
        EXPECT_TRUE(WorkingCopies().empty());
    }

    std::unique_ptr<CMainFrameData> frame_;
    platform::ScriptedMessageBoxes boxes_;
    ado::RecordsetPtr lines_;
    wxString sheetNumber_, number_;
};

} // namespace

TEST_F(SalesSettlementTest, PayingTwentyOfAHundredBooksEightyOwedAndTwentyCash) {
    Script s;
    ASSERT_EQ(Settle(s), SalesSettlement::Done);
    EXPECT_EQ(s.asked, (Texts{U("“机油”在选定货位的零件数不够，要到其它货位取货吗？"),
                              U("所差款是否保存到欠款记录中去？")}));
    ExpectSettledOnce();
    const wxString zm = "select * from wlzm";
    EXPECT_EQ(Column(zm, U("金额")), Texts{"80"});
    EXPECT_EQ(Column(zm, U("类别")), Texts{U("应收款")});
    EXPECT_EQ(Column(zm, U("方式")), Texts{U("入帐")});
    EXPECT_EQ(Column(zm, U("来源")), Texts{U("配件")});
    EXPECT_EQ(Column(zm, U("备注")), Texts{number_});
    EXPECT_EQ(Column(zm, U("单位")), Texts{U("零散客户")});
    // The gift and the warranty part are not paid for: the cash is what was paid.
    EXPECT_EQ(Column("select * from kzk", U("金额")), Texts{"20"});
    EXPECT_EQ(Column("select * from kzk", U("备注")), Texts{U("配件")});
    EXPECT_EQ(CSettingFiles::ReadSettingFile("M_DJH").Left(11),
              wxDateTime::Today().Format("%Y%m%d") + "002");

    // The page reloads: the ticket is archived now and cannot be settled again.
    OpenLines();
    boxes_.Clear();
    EXPECT_EQ(SalesSettlement(lines_, U("零散客户"), sheetNumber_, s).Prepare(),
              SalesSettlement::Archived);
    EXPECT_EQ(Shown(), Texts{U("该工作卡已存档，不允许再存！")});
}

TEST_F(SalesSettlementTest, PayingWithinOneYuanOfTheTotalAsksNothingAndTakesTheTotal) {
    Script s;
    ASSERT_EQ(Settle(s, 99.5), SalesSettlement::Done);
    EXPECT_EQ(s.asked, Texts{U("“机油”在选定货位的零件数不够，要到其它货位取货吗？")});
    EXPECT_EQ(Column("select * from wlzm", "no"), Texts{});
    EXPECT_EQ(Column("select * from kzk", U("金额")), Texts{"100"});
}

TEST_F(SalesSettlementTest, TheArchivedPriceFollowsTheDealPriceTheDiscountAndTheKind) {
    struct Case {
        const char* deal;
        const char* price;
        const char* discount;
        const char* kind;
        double archived;
    };
    const Case cases[] = {
        {nullptr, "50", "90", nullptr, 45},    {nullptr, "50", "90", "N", 50},
        {"12.5", "50", "90", nullptr, 12.5},   {"0", "50", "90", nullptr, 45},
        {nullptr, "50", nullptr, nullptr, 50}, {nullptr, "50", "90", "S", 0},
        {"12.5", "50", "90", "Z", 0},          {nullptr, "19.99", "85", nullptr, 16.99},
    };
    for (const Case& c : cases) {
        work::settle::Line line;
        auto put = [&line](const char* field, const char* value) {
            line[U(field)] = value ? ado::Variant(std::string(value)) : ado::Variant::Null();
        };
        put("成交价", c.deal);
        put("单价", c.price);
        put("折扣", c.discount);
        put("其它", c.kind);
        EXPECT_DOUBLE_EQ(SalesSettlement::ArchivedPrice(line), c.archived)
            << (c.deal ? c.deal : "-") << " " << c.price << " " << (c.discount ? c.discount : "-")
            << " " << (c.kind ? c.kind : "-");
    }
}

// The money table on a ticket: the settlement totals and posts what the page shows,
// line by line rounded once, and archives the page's deal prices.
TEST_F(SalesSettlementTest, MoneyTableSettlesWhatThePageShows) {
    struct Case {
        const char *code, *price, *discount, *quantity, *mark, *archived;
    };
    const Case cases[] = {
        {"M1", "1.15", "90", "1", nullptr, "1.04"},   {"M2", "1.15", "90", "9", nullptr, "1.04"},
        {"M3", "0.3", "75", "1", nullptr, "0.23"},    {"M4", "0.05", "50", "3", nullptr, "0.03"},
        {"M5", "19.99", "95", "2", nullptr, "18.99"}, {"M6", "10", "85", "3", "N", "10"},
        {"M7", "2.5", "90", "1", "S", "0"},
    };
    std::vector<Row> ticket = {{{"客户", "张三"}, {"flag", "P"}, {"no", "20"}}};
    std::vector<Row> stock;
    const char* const numbers[] = {"21", "22", "23", "24", "25", "26", "27"};
    std::vector<SalesLine> page;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        Row line = {{"客户", "张三"},     {"flag", "P"},     {"项目名称", c.code},
                    {"编号", c.code},     {"单价", c.price}, {"折扣", c.discount},
                    {"数量", c.quantity}, {"no", numbers[i]}};
        if (c.mark) line["其它"] = c.mark;
        ticket.push_back(line);
        stock.push_back(
            {{"编号", c.code}, {"零件名称", c.code}, {"数量", "20"}, {"no", numbers[i]}});
        SalesLine priced;
        priced.values.quantity = std::atof(c.quantity);
        priced.values.quantityNull = false;
        priced.values.price = std::atof(c.price);
        priced.values.priceNull = false;
        priced.values.discount = std::atof(c.discount);
        priced.values.discountNull = false;
        priced.values.mark = c.mark ? c.mark : "";
        page.push_back(priced);
    }
    Insert("zyxm", ticket);
    Insert("ljkc", stock);
    OpenLines();
    lines_->PutFilter(CSqlText::Criterion(U("客户"), U("张三")).utf8_string());

    Script s;
    SalesSettlement settlement(lines_, U("张三"), sheetNumber_, s);
    ASSERT_EQ(settlement.Prepare(), SalesSettlement::Ready);
    // 1.04 + 9.32 + 0.23 + 0.08 + 37.98 + 30.00; the warranty part is not charged.
    EXPECT_EQ(MoneyText(SalesTotal(page)), "78.65");
    EXPECT_EQ(MoneyText(settlement.Total()), "78.65");
    ASSERT_EQ(settlement.Run(0), SalesSettlement::Done);
    Texts archived;
    for (const Case& c : cases)
        archived.push_back(c.archived);
    EXPECT_EQ(Column("select * from ljsh order by no", U("单价")), archived);
    EXPECT_EQ(Column("select * from kzk", U("金额")), Texts{"78.65"});
}

TEST_F(SalesSettlementTest, ARefusalWritesNothing) {
    const wxString before = Tables();
    for (const TakeOutQuestions::Answer answer : {TakeOutQuestions::Cancel, TakeOutQuestions::No}) {
        SCOPED_TRACE(answer);
        Script s;
        s.answers = {answer, TakeOutQuestions::No};
        SalesSettlement settlement(lines_, U("零散客户"), sheetNumber_, s);
        ASSERT_EQ(settlement.Prepare(), SalesSettlement::Ready);
        EXPECT_EQ(settlement.Run(80), SalesSettlement::Cancelled);
        EXPECT_EQ(Tables(), before);
    }
}

TEST_F(SalesSettlementTest, AStockRowGoneMeanwhileWritesNothingAndTheRetryArchivesOnce) {
    const wxString before = Tables();
    Script s;
    s.onDebtQuestion = [] { CDataSet().DeleteWhere("ljkc", "no=2"); };
    EXPECT_EQ(Settle(s), SalesSettlement::Failed);
    EXPECT_EQ(Shown().back(), U("“零散客户”的结算没有完成，工作卡和所有数据都保持原样。"));
    EXPECT_EQ(Column("select * from ljsh", "no"), Texts{});
    EXPECT_EQ(Column("select * from ljth", "no"), Texts{});
    EXPECT_EQ(Column("select * from kzk", "no"), Texts{});
    EXPECT_EQ(Column("select * from wlzm", "no"), Texts{});
    EXPECT_EQ(Column("select * from zyxm where no=1", U("单位")), Texts{"NULL"});
    EXPECT_EQ(Column("select * from zyxm where no=1", U("货位")), Texts{"NULL"});
    EXPECT_TRUE(CSettingFiles::ReadSettingFile("M_DJH").empty());
    EXPECT_TRUE(WorkingCopies().empty());

    // The part comes back; settling again gives the same first number, each line once.
    Insert("ljkc",
           {{{"编号", "A1"}, {"零件名称", "机油"}, {"货位", "B2"}, {"数量", "5"}, {"no", "9"}}});
    Script again;
    ASSERT_EQ(Settle(again), SalesSettlement::Done);
    EXPECT_EQ(Column("select * from ljsh", "no").size(), 4u);
    EXPECT_EQ(Column("select * from kzk", U("金额")), Texts{"20"});
}

TEST_F(SalesSettlementTest, AFullDiskWritesNothingAndTheRetryArchivesOnce) {
    // Sales enough that the archive is the biggest file the commit writes, numbered
    // as the program numbers them.
    std::vector<std::string> numbers;
    for (int i = 1; i <= 300; ++i)
        numbers.push_back(std::to_string(i));
    std::vector<Row> history;
    for (const std::string& no : numbers)
        history.push_back(Row{{"客户", "旧"}, {"项目名称", "旧零件"}, {"no", no.c_str()}});
    Insert("ljsh", history);
    ASSERT_TRUE(CTableCrypt::DecryptTable("ljsh"));
    const long long plain = platform::FileSize(Working("ljsh.dbf"));
    CTableCrypt::DropWorkingCopies({"ljsh"});
    const wxString before = Tables();
    {
        qv_test::FileSizeLimit full(static_cast<rlim_t>(plain + 1));
        Script s;
        EXPECT_EQ(Settle(s), SalesSettlement::Failed);
    }
    EXPECT_EQ(Tables(), before);
    EXPECT_TRUE(WorkingCopies().empty());
    Script again;
    ASSERT_EQ(Settle(again), SalesSettlement::Done);
    EXPECT_EQ(Column(U("select * from ljsh where 客户='零散客户'"), "no").size(), 4u);
}

TEST_F(SalesSettlementTest, ANumberedTicketKeepsItsNumberAndBadTicketsAreRefused) {
    CDataSet().UpdateWhere("zyxm", U("货位"), "20260101007", "no=1");
    OpenLines();
    Script s;
    ASSERT_EQ(Settle(s), SalesSettlement::Done);
    EXPECT_EQ(Column("select * from ljsh", U("单据号")), Texts(4, "20260101007"));
    EXPECT_TRUE(CSettingFiles::ReadSettingFile("M_DJH").empty()); // not advanced

    // Header only: nothing said.
    lines_->PutFilter(CSqlText::Criterion(U("客户"), U("无人")).utf8_string());
    boxes_.Clear();
    EXPECT_EQ(SalesSettlement(lines_, U("无人"), sheetNumber_, s).Prepare(),
              SalesSettlement::HeaderOnly);
    EXPECT_TRUE(Shown().empty());

    CDataSet().UpdateWhere("zyxm", U("单位"), "NO", "no=1");
    CDataSet().UpdateWhere("zyxm", U("数量"), "-3", "no=3");
    OpenLines();
    const wxString before = Tables();
    EXPECT_EQ(SalesSettlement(lines_, U("零散客户"), sheetNumber_, s).Prepare(),
              SalesSettlement::BadLine);
    EXPECT_EQ(Shown(), Texts{U("“火花塞”的数量不对，请改正后再结算。")});
    EXPECT_EQ(Tables(), before);
}
