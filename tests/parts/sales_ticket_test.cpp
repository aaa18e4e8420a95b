// The sales ticket without its window: prices and totals, the discount limits, the
// header record through a sort, the stock check before printing, the partner that
// takes a ticket over, and the note file.
#include "parts/sales_customer.h"
#include "parts/sales_pricing.h"
#include "parts/sales_stock_check.h"
#include "parts/sales_ticket.h"
#include "work/discount_rules.h"
#include "work/header_record.h"
#include "work/line_fields.h"
#include "work/note_files.h"
#include "work/price_lookup.h"

#include "common/table_folder.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/wx_text.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace parts;
using namespace work;

namespace {

SalesLine Line(double quantity, double price, const char* discount, const char* mark = "",
               const char* deal = nullptr) {
    SalesLine line;
    line.values.quantity = quantity;
    line.values.quantityNull = false;
    line.values.price = price;
    line.values.priceNull = false;
    line.values.discountNull = discount == nullptr;
    if (discount) line.values.discount = std::atof(discount);
    line.values.mark = mark;
    line.dealNull = deal == nullptr;
    if (deal) line.deal = std::atof(deal);
    return line;
}

class SalesTablesTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        MakeTables({"zyxm", "ljkc", "wlkf", "bdzxm"}, *frame_);
    }
    void TearDown() override {
        frame_.reset();
        TableFolderTest::TearDown();
    }
    // The stock check's questions, answered with `answer`.
    std::vector<wxString> Check(const std::vector<TicketPart>& parts, bool answer = true,
                                bool* result = nullptr) {
        std::vector<wxString> asked;
        const bool goes = CheckStockForTickets(parts, [&](const wxString& question) {
            asked.push_back(question);
            return answer;
        });
        if (result) *result = goes;
        return asked;
    }
    // The sales lines of the table, filtered to one customer as a page does.
    ado::RecordsetPtr Ticket(const char* customer) {
        data_.Open(U("select 车型,项目名称,编号,单价,成交价,单位,数量,货位,厂牌,小计,作业人员 as "
                     "业务,备注,折扣,客户,零售价,批发价,进价,代理价,故障,其它,WX,flag,no from "
                     "zyxm where flag like '%P%'"));
        EXPECT_TRUE(data_.IsOpen());
        CDataSet::MakeFilter(data_.m_pRecordset, U("客户"), U(customer));
        return data_.m_pRecordset;
    }

    std::unique_ptr<CMainFrameData> frame_;
    CDataSet data_;
};

} // namespace

TEST(SalesPricing, ThePriceFieldFollowsWholesaleThreeLevelsAndTheLevel) {
    const struct {
        bool wholesale, threeLevels;
        const char* level;
        const char* field;
    } cases[] = {
        {false, true, "1", "零售价"}, {true, true, "1", "代理价"},  {true, true, "12", "代理价"},
        {true, true, "2", "批发价"},  {true, false, "1", "批发价"}, {true, true, "3", "批发价"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(SalesPriceField(c.wholesale, c.threeLevels, U(c.level)), c.field)
            << c.wholesale << c.threeLevels << c.level;
}

TEST(SalesPricing, LinesByKindDiscountAndDealPrice) {
    const struct {
        SalesLine line;
        const char* deal;
        const char* amount;
        bool counted;
    } cases[] = {
        {Line(2, 10, "90"), "9.00", "18.00", true},
        {Line(2, 10, "90", "N"), "10.00", "20.00", true},
        {Line(2, 10, nullptr), "10.00", "20.00", true},
        {Line(1, 50, "90", "S"), "45.00", "45.00", false},  // shown, not charged
        {Line(1, 30, "100", "Z"), "30.00", "30.00", false}, // a gift is not charged
        {Line(2, 10, "90", "", "12.5"), "12.50", "25.00", true},
        {Line(2, 10, "90", "", "0"), "9.00", "18.00", true},
        {Line(3, 0.1, "100"), "0.10", "0.30", true},
    };
    for (const auto& c : cases) {
        const SalesLinePrice price = PriceSalesLine(c.line);
        EXPECT_TRUE(price.priced);
        EXPECT_EQ(MoneyText(price.deal), c.deal) << c.amount;
        EXPECT_EQ(MoneyText(price.amount), c.amount) << c.deal;
        EXPECT_EQ(price.counted, c.counted) << c.amount;
    }
    SalesLine missing = Line(2, 10, "90");
    missing.values.quantityNull = true;
    EXPECT_FALSE(PriceSalesLine(missing).priced);
}

TEST(SalesPricing, TheTotalLeavesOutWarrantyPartsAndGifts) {
    const std::vector<SalesLine> lines = {Line(2, 25, "100", "N"), Line(1, 60, "85"),
                                          Line(1, 40, "100", "Z"), Line(1, 70, "100", "S")};
    EXPECT_EQ(MoneyText(SalesTotal(lines)), "101.00"); // 50 + 51
    EXPECT_EQ(MoneyText(SalesTotal({})), "0.00");
}

TEST(SalesPricing, QuantitiesAndDiscountsThatCannotBeSold) {
    EXPECT_FALSE(QuantityRefusal(-3).empty());
    EXPECT_FALSE(QuantityRefusal(1e9).empty());
    EXPECT_TRUE(QuantityRefusal(0).empty());
    EXPECT_TRUE(QuantityRefusal(12).empty());
    // A clerk whose rights say 折扣=8.5, and a shop floor of 70.
    const int clerk = UserDiscountTenths(U("clerk,折扣=8.5,"));
    EXPECT_EQ(clerk, 85);
    EXPECT_FALSE(PartsDiscountAllowed(84, clerk, 0));
    EXPECT_TRUE(PartsDiscountAllowed(85, clerk, 0));
    EXPECT_FALSE(PartsDiscountAllowed(69, 0, 70));
    EXPECT_TRUE(PartsDiscountAllowed(70, 0, 70));
    EXPECT_FALSE(PartsDiscountAllowed(86, clerk, 90));
    EXPECT_EQ(CheckPartsDiscount("abc", clerk, 0).kind, DiscountEntry::Refused);
    EXPECT_EQ(CheckPartsDiscount("84", clerk, 0).message, U("超出权限,无效操作!"));
}

TEST_F(SalesTablesTest, TheHeaderStaysFirstAndOutOfTheLinesThroughASort) {
    Insert("zyxm", {{{"客户", "甲"}, {"项目名称", "传真号"}, {"flag", "P"}, {"no", "1"}},
                    {{"客户", "乙"}, {"项目名称", "乙头"}, {"flag", "P"}, {"no", "2"}},
                    {{"客户", "甲"}, {"项目名称", "B件"}, {"flag", "P"}, {"no", "3"}},
                    {{"客户", "甲"}, {"项目名称", "A件"}, {"flag", "P"}, {"no", "4"}},
                    {{"客户", "甲"}, {"项目名称", "C件"}, {"flag", "P"}, {"no", "5"}}});
    const ado::RecordsetPtr rs = Ticket("甲");
    for (const char* sort : {"", "项目名称 ASC", "项目名称 DESC", "no DESC"}) {
        rs->PutSort(sort);
        ASSERT_TRUE(MoveToHeaderRecord(rs)) << sort;
        EXPECT_EQ(FieldText(rs, "项目名称"), U("传真号")) << sort;
        std::vector<wxString> names;
        for (const ado::Variant& line : LineRecords(rs)) {
            rs->PutBookmark(line);
            names.push_back(FieldText(rs, "项目名称"));
        }
        EXPECT_EQ(names.size(), 3u) << sort;
        EXPECT_EQ(std::count(names.begin(), names.end(), U("传真号")), 0) << sort;
    }
    rs->PutSort("项目名称 ASC");
    std::vector<wxString> names;
    for (const ado::Variant& line : LineRecords(rs)) {
        rs->PutBookmark(line);
        names.push_back(FieldText(rs, "项目名称"));
    }
    EXPECT_EQ(names, (std::vector<wxString>{U("A件"), U("B件"), U("C件")}));
}

TEST_F(SalesTablesTest, TheHeaderShowsNumberDiscountWholesaleAndLevel) {
    Insert("zyxm", {{{"客户", "甲"}, {"flag", "P"}, {"no", "1"}},
                    {{"客户", "乙"},
                     {"单位", "YES"},
                     {"折扣", "0"},
                     {"进价", "-1"},
                     {"WX", "1"},
                     {"小计", "-12.5"},
                     {"flag", "P"},
                     {"no", "2"}},
                    {{"客户", "丙"},
                     {"单位", "YES"},
                     {"货位", "20261210003"},
                     {"折扣", "85"},
                     {"进价", "0"},
                     {"flag", "P"},
                     {"no", "3"}}});
    SalesHeader first = ReadSalesHeader(Ticket("甲"), "20261211001");
    EXPECT_EQ(first.number, "20261211001");
    EXPECT_EQ(first.discount, "100"); // null
    EXPECT_EQ(first.priceLevel, "3"); // null
    EXPECT_FALSE(first.wholesale);
    SalesHeader archived = ReadSalesHeader(Ticket("乙"), "20261211001");
    EXPECT_EQ(archived.number, ""); // never the sheet's number once archived
    EXPECT_EQ(archived.discount, "100");
    EXPECT_TRUE(archived.wholesale);
    EXPECT_EQ(archived.priceLevel, "1");
    EXPECT_EQ(archived.balance, "-12.50");
    SalesHeader numbered = ReadSalesHeader(Ticket("丙"), "20261211001");
    EXPECT_EQ(numbered.number, "20261210003");
    EXPECT_EQ(numbered.discount, "85");
    EXPECT_FALSE(numbered.wholesale);
}

TEST_F(SalesTablesTest, StockIsCheckedAgainstEveryOpenTicketSummedPerPart) {
    Insert("zyxm",
           {{{"客户", "甲"}, {"编号", "P1"}, {"数量", "3"}, {"flag", "P"}, {"no", "1"}},
            {{"客户", "乙"}, {"编号", "P1"}, {"数量", "3"}, {"flag", "W"}, {"no", "2"}},
            {{"客户", "甲"},
             {"编号", "P2"},
             {"数量", "4"},
             {"车型", "捷达"},
             {"flag", "P"},
             {"no", "3"}},
            {{"客户", "甲"}, {"编号", "P3"}, {"数量", "1"}, {"flag", "P"}, {"no", "4"}},
            {{"客户", "甲"}, {"项目名称", "垫片"}, {"数量", "2"}, {"flag", "P"}, {"no", "5"}}});
    // P2 stands under two models and two bins: only their sum tells.
    Insert("ljkc", {{{"编号", "P1"}, {"数量", "5"}, {"no", "1"}},
                    {{"编号", "P2"}, {"数量", "2"}, {"车型", "捷达"}, {"no", "2"}},
                    {{"编号", "P2"}, {"数量", "2"}, {"车型", "桑塔纳"}, {"no", "3"}},
                    {{"编号", "P3"}, {"数量", "1"}, {"no", "4"}},
                    {{"零件名称", "垫片"}, {"数量", "1"}, {"no", "5"}}});
    EXPECT_EQ(Check({{"P1", ""}}),
              (std::vector<wxString>{U("“P1”的库存量小于各售货单总和,是否忽略?")}));
    EXPECT_TRUE(Check({{"P2", ""}}).empty());              // 4 wanted, 2 + 2 held
    EXPECT_TRUE(Check({{"P3", ""}}).empty());              // equal
    EXPECT_TRUE(Check({{"P'4", "\"x'"}}).empty());         // quotes reach the tables as text
    EXPECT_EQ(Check({{" ", U("垫片")}}).size(), 1u);       // by name: 2 against 1
    EXPECT_EQ(Check({{"P1", ""}, {"P1", ""}}).size(), 1u); // asked once per part
    EXPECT_TRUE(Check({{"", ""}, {"NOPE", ""}}).empty());  // nothing open for them

    // No stock row at all asks too; No stops at the first question.
    Insert("zyxm", {{{"客户", "甲"}, {"编号", "P9"}, {"数量", "1"}, {"flag", "P"}, {"no", "7"}}});
    bool goes = true;
    EXPECT_EQ(Check({{"P9", ""}, {"P1", ""}}, false, &goes).size(), 1u);
    EXPECT_FALSE(goes);
}

TEST_F(SalesTablesTest, OnePartnerTakesTheTicketOverWithItsData) {
    const char* const longAddress = "广东省广州市天河区天河路一百号华城大厦"; // 38 bytes
    Insert("wlkf", {{{"单位", "华城汽修有限公司"},
                     {"联系人", "  "},
                     {"负责人", "王经理"},
                     {"联系人手机", "139"},
                     {"负责人电话", "020-1"},
                     {"传真", "020-2"},
                     {"余额", "12.5"},
                     {"地址", longAddress},
                     {"级别", "1"},
                     {"折扣", "90"},
                     {"no", "1"}},
                    {{"单位", "50%折扣行"}, {"no", "2"}},
                    {{"单位", "东风一店"}, {"no", "3"}},
                    {{"单位", "东风二店"}, {"no", "4"}}});
    CDataSet partner;
    EXPECT_FALSE(FindOnePartner(partner, U("东风"))); // two match
    EXPECT_FALSE(FindOnePartner(partner, U("无此")));
    // "%" and "_" are no wildcards: only the name that holds them matches.
    ASSERT_TRUE(FindOnePartner(partner, U("%")));
    EXPECT_EQ(FieldText(partner.m_pRecordset, "单位"), U("50%折扣行"));
    EXPECT_FALSE(FindOnePartner(partner, U("_城")));
    ASSERT_TRUE(FindOnePartner(partner, U("华城")));

    Insert("zyxm", {{{"客户", "华城"}, {"故障", "M_WX_GQ"}, {"flag", "P"}, {"no", "1"}},
                    {{"客户", "华城"}, {"编号", "P1"}, {"flag", "P"}, {"no", "2"}},
                    {{"客户", "别人"}, {"flag", "P"}, {"no", "3"}}});
    const ado::RecordsetPtr rs = Ticket("华城");
    ASSERT_TRUE(MoveToHeaderRecord(rs));
    WritePartnerHeader(rs, *partner.m_pRecordset);
    EXPECT_EQ(FieldText(rs, "业务"), U("王经理"));
    EXPECT_EQ(FieldText(rs, "车型"), "139");
    EXPECT_EQ(FieldText(rs, "厂牌"), "020-1");
    EXPECT_EQ(FieldText(rs, "编号"), "020-2");
    EXPECT_EQ(FieldText(rs, "项目名称"), U("广东省广州市天河区天河路一百号"));
    EXPECT_EQ(FieldText(rs, "WX"), "1");
    EXPECT_EQ(FieldNumber(rs, "折扣"), 90);
    EXPECT_EQ(FieldNumber(rs, "小计"), 12.5);
    EXPECT_EQ(FieldText(rs, "故障"), "");
    RenameTicket(rs, U("华城"), U("华城汽修有限公司"));
    frame_->m_dsMain.NumberRows(rs, "zyxm");
    ASSERT_EQ(frame_->m_dsMain.Save(rs), 1);
    EXPECT_EQ(Column(U("select 客户 from zyxm order by no"), "客户"),
              (std::vector<wxString>{U("华城汽修有限公司"), U("华城汽修有限公司"), U("别人")}));
}

TEST_F(SalesTablesTest, ThePriceLevelOfTheNoDiscountList) {
    Insert("bdzxm",
           {{{"编号", "A1"}, {"一级价", "80"}, {"二级价", "90"}, {"三级价", "99"}, {"no", "1"}},
            {{"编号", "B2"}, {"一级价", "70"}, {"no", "2"}}});
    const struct {
        const char* code;
        const char* level;
        bool listed, priceNull;
        double price;
    } cases[] = {{"A1", "1", true, false, 80}, {"A1", "12", true, false, 80},
                 {"A1", "2", true, false, 90}, {"A1", "3", true, false, 99},
                 {"A1", "", true, false, 99},  {"B2", "2", true, true, 0},
                 {"C3", "1", false, true, 0}};
    for (const auto& c : cases) {
        const LevelPrice price = LookupLevelPrice(c.code, U(c.level));
        EXPECT_EQ(price.listed, c.listed) << c.code << c.level;
        EXPECT_EQ(price.priceNull, c.priceNull) << c.code << c.level;
        if (!c.priceNull) {
            EXPECT_DOUBLE_EQ(price.price, c.price) << c.code << c.level;
        }
    }
}

TEST_F(SalesTablesTest, NotesStayInTheirFolderAndKeepTheirLines) {
    EXPECT_EQ(CustomerNoteFileName(U("零散客户"), "配件"), U("零散客户(配件)"));
    EXPECT_EQ(CustomerNoteFileName(U("华城"), "配件"), U("华城"));
    EXPECT_EQ(SafeNoteFileName(".."), "%2E%2E");
    EXPECT_EQ(SafeNoteFileName("."), "%2E");
    EXPECT_EQ(SafeNoteFileName("../etc"), "..%2Fetc");
    EXPECT_EQ(SafeNoteFileName("a..b"), "a..b");

    const wxString name = CustomerNoteFileName(U("O'Neil \"车\"/.."), "配件");
    StoreNote(name, U("换机油\n查刹车\r\n洗车"));
    EXPECT_EQ(ReadNote(name), U("换机油\n查刹车\n洗车"));
    EXPECT_TRUE(platform::FileExists(ProgramPath("Picture/" + name)));
    StoreNote(name, NoteHint()); // the hint changes nothing
    EXPECT_EQ(ReadNote(name), U("换机油\n查刹车\n洗车"));
    StoreNote(name, wxString());
    EXPECT_FALSE(platform::FileExists(ProgramPath("Picture/" + name)));
    StoreNote(U("新客户"), NoteHint());
    EXPECT_FALSE(platform::FileExists(ProgramPath("Picture/") + U("新客户").utf8_string()));
}
