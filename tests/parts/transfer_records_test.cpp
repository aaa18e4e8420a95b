// The transfer and returned-out lists: which records each statement gives, a store
// name that holds quotes taken as itself, and the money total's text.
#include "common/table_folder.h"
#include "data/data_set.h"
#include "parts/transfer_records.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>

using parts::CTransferRecords;
using Texts = std::vector<wxString>;

namespace {

class TransferRecordsTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        frame_->m_strRights = "admin,";
        MakeTables({"LJDB", "ljth"}, *frame_);
        Insert("LJDB",
               {{{"no", "1"}, {"编号", "T1"}, {"调拨去向", "二库"}, {"日期", "2026-01-01"}},
                {{"no", "2"}, {"编号", "T2"}, {"调拨去向", "二库"}, {"日期", "2026-01-31"}},
                {{"no", "3"}, {"编号", "T3"}, {"调拨去向", "二库"}, {"日期", "2026-02-01"}},
                {{"no", "4"}, {"编号", "T4"}, {"调拨去向", "三\"库"}, {"日期", "2026-01-15"}}});
        Insert("ljth",
               {{{"编号", "R1"}, {"供应商", "甲"}, {"退出日期", "2026-01-10"}, {"no", "1"}},
                {{"编号", "R2"}, {"供应商", "乙"}, {"no", "2"}},
                {{"编号", "R3"}, {"供应商", "甲"}, {"退出日期", "2025-12-31"}, {"no", "3"}}});
    }
    void TearDown() override {
        frame_.reset();
        TableFolderTest::TearDown();
    }
    static Texts Codes(const wxString& statement) {
        return Column(statement + U(" order by 编号"), U("编号"));
    }
    std::unique_ptr<CMainFrameData> frame_;
};

} // namespace

TEST_F(TransferRecordsTest, EachListGivesItsRecordsByValueAndDatesBothIncluded) {
    const CTransferRecords transfers(CTransferRecords::Transfers);
    const CTransferRecords returned(CTransferRecords::ReturnedOut);
    EXPECT_EQ(Codes(transfers.AllStatement()), (Texts{"T1", "T2", "T3", "T4"}));
    EXPECT_EQ(Codes(transfers.FilterStatement(U("二库"), "2026-01-01", "2026-01-31")),
              (Texts{"T1", "T2"}));
    EXPECT_EQ(Codes(transfers.FilterStatement(U("三\"库"), "2026-01-01", "2026-01-31")),
              Texts{"T4"});
    EXPECT_EQ(Codes(transfers.FilterStatement(U("全部"), "2030-01-01", "2030-01-02")),
              (Texts{"T1", "T2", "T3", "T4"}));
    EXPECT_TRUE(transfers.FilterStatement(U("二库"), "2026-02-30", "2026-03-01").empty());
    EXPECT_TRUE(transfers.FilterStatement(U("二库"), "", "2026-03-01").empty());

    // Only parts sent back count, but every supplier is offered.
    EXPECT_EQ(Codes(returned.AllStatement()), (Texts{"R1", "R3"}));
    EXPECT_EQ(Codes(returned.FilterStatement(U("甲"), "2026-01-01", "2026-12-31")), Texts{"R1"});
    EXPECT_EQ(Column(returned.ComboStatement() + U(" order by 1"), U("供应商")),
              (Texts{U("甲"), U("乙")}));
    EXPECT_EQ(returned.ShownFields(), 12);
    EXPECT_EQ(transfers.ShownFields(), 15);
}

TEST(TransferRecordsTotal, PriceTimesWholeQuantityShownByItsSize) {
    using Rows = std::vector<std::pair<wxString, wxString>>;
    EXPECT_DOUBLE_EQ(parts::RecordsTotal(Rows{{"12.50", "2.00"}, {"10", "1"}}), 35);
    EXPECT_DOUBLE_EQ(parts::RecordsTotal(Rows{{"", "3"}, {"4", ""}, {"x", "2"}, {"2", "1.9"}}), 2);
    const struct {
        double total;
        const char* text;
    } cases[] = {{35, "总计:35.00"},
                 {0.1, "总计:0.10"},
                 {9999999, "总计:9999999.00"},
                 {12345678.9, "总计:12345679"},
                 {0, ""},
                 {-5, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(parts::RecordsTotalText(c.total), U(c.text)) << c.total;
}
