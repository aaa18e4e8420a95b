#include "app/ledger_posting.h"
#include "common/file_size_limit.h"
#include "common/table_folder.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>
#include <wx/datetime.h>

namespace {

using Texts = std::vector<wxString>;
using Boxes = std::vector<std::string>;

class LedgerPostingTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        MakeTables({"wlzm", "kzk"}, *frame_);
        ledger_ = std::make_unique<CLedgerPosting>(*frame_);
    }
    void TearDown() override {
        ledger_.reset();
        frame_.reset();
        TableFolderTest::TearDown();
    }

    bool Receivable(const char* unit, const char* amount, const char* number = "") {
        return ledger_->PostPartnerEntry(U(unit), U(number), U("应收款"), U(amount), U("入帐"),
                                         U("维修"), "");
    }
    // Rows of wlzm put in directly: unit, category, amount, no.
    void AddRow(const char* unit, const char* category, const char* amount, const char* no) {
        CDataSet data;
        data.Open("select * from wlzm");
        ASSERT_TRUE(data.IsOpen());
        auto rs = data.m_pRecordset;
        rs->AddNew();
        data.PutFieldValue(U(unit), U("单位"), rs);
        data.PutFieldValue(U(category), U("类别"), rs);
        data.PutFieldValue(U(amount), U("金额"), rs);
        data.PutFieldValue(U(no), "no", rs);
        ASSERT_EQ(data.Save(rs), 1);
    }

    std::unique_ptr<CMainFrameData> frame_;
    std::unique_ptr<CLedgerPosting> ledger_;
};

TEST_F(LedgerPostingTest, EntriesAreNumberedAndRepeatThePartnersFirstNumber) {
    platform::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(Receivable("张三", "123.45"));
    EXPECT_TRUE(ledger_->PostPartnerEntry(U("李四修理厂"), U("C07"), U("应付款"), "80", U("入帐"),
                                          U("配件"), U("三月")));
    EXPECT_TRUE(Receivable("李四修理厂", "20")); // no number given: the first one's
    EXPECT_TRUE(ledger_->PostPartnerEntry(U("李四"), U("C07"), U("预收款"), "5", U("冲帐"),
                                          U("维修"), "")); // number given: the first one's name
    EXPECT_EQ(boxes.Texts(),
              (Boxes{"应收款入帐成功!", "应付款入帐成功!", "应收款入帐成功!", "预收款冲帐成功!"}));

    const wxString all = "select * from wlzm order by no";
    EXPECT_EQ(Column(all, "no"), (Texts{"1", "2", "3", "4"}));
    EXPECT_EQ(Column(all, "编号"), (Texts{"", "C07", "C07", "C07"}));
    EXPECT_EQ(Column(all, "单位"),
              (Texts{U("张三"), U("李四修理厂"), U("李四修理厂"), U("李四修理厂")}));
    EXPECT_EQ(Column(all, "金额"), (Texts{"123.45", "80", "20", "5"}));
    EXPECT_EQ(Column(all, "方式"), (Texts{U("入帐"), U("入帐"), U("入帐"), U("冲帐")}));
    EXPECT_EQ(Column(all, "来源"), (Texts{U("维修"), U("配件"), U("维修"), U("维修")}));
    EXPECT_EQ(Column(all, "备注")[1], U("三月"));
    EXPECT_EQ(Column(all, "日期")[0], wxDateTime::Today().Format("%Y-%m-%d"));
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(LedgerPostingTest, EmptyUnitWritesNothing) {
    platform::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(Receivable("", "10"));
    EXPECT_EQ(boxes.Texts(), Boxes{"应收款入帐失败!"});
    EXPECT_TRUE(Column("select * from wlzm", "no").empty());
}

TEST_F(LedgerPostingTest, FailedSaveIsReportedAsFailure) {
    AddRow("王五", "应收款", "1", "1");
    const long long full = FullDiskFor("wlzm");
    platform::ScriptedMessageBoxes boxes;
    {
        qv_test::FileSizeLimit limit(full);
        EXPECT_FALSE(Receivable("张三", "50"));
    }
    // The write's own complaint, the data store's report, then the posting's.
    const Boxes texts = boxes.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_NE(texts[texts.size() - 2].find("往来帐目库"), std::string::npos);
    EXPECT_EQ(texts.back(), "应收款入帐失败!");
    EXPECT_EQ(Column("select * from wlzm", "单位"), Texts{U("王五")});
}

TEST_F(LedgerPostingTest, PostingOnlyWhenTheQuestionIsAnsweredYes) {
    const wxString question = U("所差款是否保存到欠款记录中去？");
    {
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(platform::IDNO);
        EXPECT_FALSE(ledger_->OfferPartnerEntry(question, U("张三"), "", U("应收款"), "30",
                                                U("入帐"), U("维修"), ""));
        EXPECT_EQ(boxes.Texts(), Boxes{question.utf8_string()});
        EXPECT_TRUE(Column("select * from wlzm", "no").empty());
    }
    platform::ScriptedMessageBoxes boxes;
    boxes.Reply(platform::IDYES);
    EXPECT_TRUE(ledger_->OfferPartnerEntry(question, U("张三"), "", U("应收款"), "30", U("入帐"),
                                           U("维修"), ""));
    EXPECT_EQ(boxes.Texts(), (Boxes{question.utf8_string(), "应收款入帐成功!"}));
    EXPECT_EQ(Column("select * from wlzm", "金额"), Texts{"30"});
}

TEST_F(LedgerPostingTest, CashEntryNamesTheOperator) {
    struct Case {
        const char* rights;
        const char* operatorName;
    } cases[] = {{"abc,14,20,折扣=8.5", "abc"}, {"abc", ""}, {"", ""}};
    platform::ScriptedMessageBoxes boxes;
    for (const Case& c : cases) {
        frame_->m_strRights = U(c.rights);
        EXPECT_TRUE(ledger_->PostCashEntry(U("张三"), "88.8", U("维修"))) << c.rights;
    }
    EXPECT_TRUE(boxes.Texts().empty());
    const wxString all = "select * from kzk order by no";
    EXPECT_EQ(Column(all, "经手人"), (Texts{"abc", "", ""}));
    EXPECT_EQ(Column(all, "no"), (Texts{"1", "2", "3"}));
    EXPECT_EQ(Column(all, "项目名称"), (Texts{U("张三"), U("张三"), U("张三")}));
    EXPECT_EQ(Column(all, "金额")[0], "88.8");
    EXPECT_EQ(Column(all, "备注")[0], U("维修"));
}

TEST_F(LedgerPostingTest, BalanceOfOneCategory) {
    AddRow("张三", "应收款", "100", "1");
    AddRow("张三", "应付款", "0", "2");
    AddRow("老\"王\"", "预收款", "-40.5", "3");
    AddRow("大客户", "预收款", "1234567.89", "4");
    AddRow("大客户", "预收款", "0.01", "5");

    platform::ScriptedMessageBoxes boxes;
    double result = 0;
    EXPECT_TRUE(ledger_->GetPartnerBalance(U("张三"), "", U("应收款"), &result));
    EXPECT_DOUBLE_EQ(result, 100);
    EXPECT_TRUE(ledger_->GetPartnerBalance(U("老\"王\""), "", U("预收款"), &result));
    EXPECT_DOUBLE_EQ(result, -40.5);
    // Money keeps its cents however large the sum.
    EXPECT_TRUE(ledger_->GetPartnerBalance(U("大客户"), "", U("预收款"), &result));
    EXPECT_NEAR(result, 1234567.90, 1e-6);
    EXPECT_TRUE(boxes.Texts().empty());

    // Another category: the positive sums are shown, the result stays.
    result = 0;
    EXPECT_FALSE(ledger_->GetPartnerBalance(U("张三"), "", U("预收款"), &result));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(boxes.Texts(), Boxes{"应收款:100.00  "});
    // A unit without entries: neither.
    EXPECT_FALSE(ledger_->GetPartnerBalance(U("无名"), "", U("预收款"), &result));
    EXPECT_EQ(boxes.Texts().size(), 1u);
}

} // namespace
