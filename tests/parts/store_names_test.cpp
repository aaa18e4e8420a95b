// Warehouse names from the company data and the stock query built on them.
#include "app/company_data.h"
#include "app/main_frame.h"
#include "grid/report_queries.h"
#include "parts/order_numbers.h"
#include "parts/parts_forms.h"
#include "parts/store_names.h"
#include "parts_tables_fixture.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>

using namespace parts;

TEST(StoreNames, AreCutAtBothCommasOnCharacterBoundaries) {
    using Names = std::vector<wxString>;
    const struct {
        const char* item;
        Names names;
    } cases[] = {
        {"一库,二库，三库", {U("一库"), U("二库"), U("三库")}},
        {"一库,二库,", {U("一库"), U("二库")}},
        {"一库，，二库, ,", {U("一库"), U("二库")}}, // empty names are no warehouses
        {"", {}},
        {"#######", {}},
        {"东西南北中发", {U("东西南北中")}}, // 12 bytes: 5 characters, not 5½
        {"A东西南北中发", {U("A东西南北")}}, // a cut would fall inside 中
        {"一库\r", {U("一库")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(SplitStoreNames(U(c.item)), c.names);
    }
    wxString many;
    for (int i = 0; i < 150; ++i)
        many += wxString::Format(U("库%d,"), i);
    EXPECT_EQ(SplitStoreNames(many).size(), kMaxStores);
}

TEST(StoreNames, OnlyPlainNamesBecomeColumnNames) {
    EXPECT_EQ(StoreColumn(U("一库"), 0), U("一库"));
    EXPECT_EQ(StoreColumn(U("A库_2"), 0), U("A库_2"));
    for (const char* name : {"it's库", "一 库", "from", "1库", "库)--", "\"库\""}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(StoreColumn(U(name), 2), U("库房3"));
    }
}

TEST(OrderNumbers, RunOnThroughTheDayAndNeverComeRound) {
    const wxDateTime day(10, wxDateTime::Dec, 2026);
    const struct {
        const char* last;
        const char* next;
    } cases[] = {{"", "20261210001"},
                 {"20261209007", "20261210001"},
                 {"20261210009", "20261210010"},
                 {"20261210099", "20261210100"},
                 {"20261210999", "202612101000"},
                 {"202612101000", "202612101001"},
                 {"20261210abc", "20261210001"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last);
        EXPECT_EQ(NextOrderNumber(c.last, day), c.next);
    }
}

class StockQueryTest : public PartsTablesTest {};

TEST_F(StockQueryTest, OpensWithAColumnPerWarehouseWhateverTheirNames) {
    const struct {
        bool threeLevel;
        std::vector<wxString> stores;
        long fields;
    } cases[] = {{false, {}, 16},
                 {true, {U("一库"), U("二库")}, 19},
                 {false, {U("it's"), U("a b"), U("from")}, 19}};
    for (const auto& c : cases) {
        CDataSet data;
        data.Open(StockQuery(c.threeLevel, c.stores));
        ASSERT_TRUE(data.IsOpen()) << StockQuery(c.threeLevel, c.stores);
        EXPECT_EQ(data.m_pRecordset->Fields().Count(), c.fields);
        EXPECT_EQ(data.m_pRecordset->RecordCount(), 0);
        for (size_t i = 0; i < c.stores.size(); ++i)
            EXPECT_EQ(data.m_pRecordset->Fields().Item(static_cast<int>(6 + i)).Name(),
                      StoreColumn(c.stores[i], i).utf8_string());
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(StockQueryTest, TheStockInReportListsTheWarehousesOfTheCompanyData) {
    CCompanyData company;
    company.Set(CCompanyData::kStores, U("一库，二库"));
    ASSERT_TRUE(company.Save());
    parts::RegisterForms();
    std::vector<wxString> columns;
    for (const wxString& item : QueryItems(FixedReportSql(U("入库单"))))
        columns.push_back(ItemColumnName(item));
    SetStockInReportSql(nullptr);
    CMainFrame::RegisterForm(FormKind::OrderSheet, nullptr);
    CMainFrame::RegisterForm(FormKind::SplitAssemble, nullptr);
    ASSERT_GT(columns.size(), 8u);
    EXPECT_EQ(columns[5], U("数量"));
    EXPECT_EQ(columns[6], U("一库"));
    EXPECT_EQ(columns[7], U("二库"));
}
