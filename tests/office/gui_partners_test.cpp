// The bookkeeper's round after a login: a supplier card added, a receivable booked
// and offset in the ledger with its cash, the documents behind a settlement entry,
// settled accounts cleared, and the present value of a fixed asset.
#include "app/main_frame.h"
#include "common/login_fixture.h"
#include "grid/grid_ctrl.h"
#include "office/cash_journal_dlg.h"
#include "office/ledger_dlg.h"
#include "office/office_forms.h"
#include "office/partner_dlg.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/command_ids.h"
#include "res/partner_template.h"

#include <wx/radiobut.h>
#include <wx/stattext.h>

namespace {

class PartnersTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        office::RegisterForms();
        frame_ = LogIn();
        ASSERT_TRUE(frame_);
    }
    static void Check(wxWindow* dialog, int id) {
        res::Control<wxRadioButton>(dialog, id)->SetValue(true);
    }
    CMainFrame* frame_ = nullptr;
    platform::ScriptedMessageBoxes boxes_;
};

TEST_F(PartnersTest, SupplierCardIsAddedAndAQuotedNameKeepsTheCardEditing) {
    using namespace res::partner_card;
    EXPECT_TRUE(qv_test::AnswerModal<CPartnerDlg>(
        [&] { frame_->ExecuteCommand(ID_PARTNER_SUPPLIERS); },
        [&](CPartnerDlg& card) {
            EXPECT_EQ(card.m_nMode, CPartnerDlg::Suppliers);
            EXPECT_FALSE(res::FindControl(&card, kLevel1Radio)->IsShown());
            qv_test::Click(&card, kNewButton);
            qv_test::Type(&card, kNameEdit, "北方'配件");
            qv_test::Click(&card, kSaveButton);
            // Refused: still editing, nothing stored.
            EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"  不能用单引号！"}));
            EXPECT_TRUE(res::FindControl(&card, kSaveButton)->IsEnabled());
            EXPECT_FALSE(frame_->m_bRecordSaved);
            qv_test::Type(&card, kNameEdit, "北方配件");
            qv_test::Type(&card, kHeadPhoneEdit, "010-1234");
            qv_test::Click(&card, kSaveButton);
            EXPECT_FALSE(res::FindControl(&card, kSaveButton)->IsEnabled());
            qv_test::Click(&card, kExitButton);
        }));
    EXPECT_EQ(Column(U("select 单位 from gys"), U("单位")), (std::vector<wxString>{U("北方配件")}));
    EXPECT_EQ(Column(U("select 负责人电话 from gys"), U("负责人电话")),
              (std::vector<wxString>{"010-1234"}));
    EXPECT_TRUE(frame_->m_bRecordSaved);
    EXPECT_EQ(frame_->m_strShared, U("北方配件"));
}

TEST_F(PartnersTest, ReceivableBookedAndOffsetLeavesSeventyAndItsCash) {
    using namespace res::ledger;
    EXPECT_TRUE(qv_test::AnswerModal<CLedgerDlg>(
        [&] { frame_->OpenForm(FormKind::PartnerLedger, 0, U("华通公司")); },
        [&](CLedgerDlg& ledger) {
            EXPECT_EQ(qv_test::Text(&ledger, kNameCombo), U("华通公司"));
            qv_test::Click(&ledger, kNewButton);
            qv_test::Type(&ledger, kAmountEdit, "1,000");
            Check(&ledger, kReceivableRadio);
            EXPECT_FALSE(ledger.PostEntry(true));
            EXPECT_EQ(boxes_.Shown().size(), 1u);
            boxes_.Clear();
            qv_test::Type(&ledger, kAmountEdit, "100");
            EXPECT_TRUE(ledger.PostEntry(true));
            qv_test::Click(&ledger, kNewButton);
            qv_test::Type(&ledger, kAmountEdit, "30");
            qv_test::Type(&ledger, kRemarkEdit, "收现");
            Check(&ledger, kReceivableRadio);
            Check(&ledger, kPartsRadio);
            EXPECT_TRUE(ledger.PostEntry(false));
            EXPECT_TRUE(boxes_.Shown().empty());
            EXPECT_EQ(ledger.m_gridHistory->GetRowCount(), 3);
            EXPECT_EQ(qv_test::Text(&ledger, kBalanceEdit), "-70.00");
            EXPECT_EQ(res::Control<wxStaticText>(&ledger, kReceivableSum)->GetLabel(),
                      U("金额: 70.00"));
            EXPECT_EQ(res::Control<wxStaticText>(&ledger, kAdvanceSum)->GetLabel(),
                      U("金额: 0.00"));
        }));
    EXPECT_EQ(Column(U("select 金额 from kzk"), U("金额")), (std::vector<wxString>{"30"}));
    EXPECT_EQ(Column(U("select 备注 from kzk"), U("备注")),
              (std::vector<wxString>{U("配件应收款冲帐")}));
    EXPECT_EQ(Column(U("select 单位 from wlkf"), U("单位")),
              (std::vector<wxString>{U("华通公司")}));
}

TEST_F(PartnersTest, SettlementEntryShowsItsTicketAndSettledAccountsAreCleared) {
    using namespace res::ledger;
    Insert("ljsh", {{{"单据号", "20260301001"},
                     {"项目名称", "刹车片"},
                     {"客户", "华通公司"},
                     {"flag", "P"},
                     {"日期", "2026-03-01"},
                     {"no", "1"}},
                    {{"单据号", "20260301002"},
                     {"项目名称", "机油"},
                     {"客户", "华通公司"},
                     {"flag", "P"},
                     {"日期", "2026-03-01"},
                     {"no", "2"}}});
    Insert("wlzm", {{{"单位", "华通公司"},
                     {"类别", "应收款"},
                     {"金额", "80"},
                     {"来源", "配件"},
                     {"方式", "入帐"},
                     {"备注", "20260301002"},
                     {"日期", "2026-03-01"},
                     {"no", "1"}},
                    {{"单位", "甲"}, {"类别", "应收款"}, {"金额", "100"}, {"no", "2"}},
                    {{"单位", "甲"}, {"类别", "预收款"}, {"金额", "100"}, {"no", "3"}},
                    {{"单位", "乙"}, {"类别", "应付款"}, {"金额", "0.01"}, {"no", "4"}}});
    boxes_.Reply(platform::IDYES);
    EXPECT_TRUE(qv_test::AnswerModal<CLedgerDlg>(
        [&] { frame_->OpenForm(FormKind::PartnerLedger, 0, U("华通公司")); },
        [&](CLedgerDlg& ledger) {
            ASSERT_EQ(ledger.m_gridHistory->GetRowCount(), 2);
            ledger.m_gridHistory->SelectRow(1);
            ledger.ShowRelatedItems();
            ASSERT_EQ(ledger.m_gridRelated->GetRowCount(), 2);
            EXPECT_EQ(ledger.m_gridRelated->GetItemText(1, 1), U("机油"));
            qv_test::Click(&ledger, kClearButton);
        }));
    EXPECT_EQ(Column(U("select distinct 单位 from wlzm order by 单位"), U("单位")),
              (std::vector<wxString>{U("华通公司"), U("乙")}));
}

TEST_F(PartnersTest, FixedAssetOfAYearIsWorthItsStraightLineValue) {
    using namespace res::cash_journal;
    const wxString bought = (wxDateTime::Today() - wxDateSpan::Days(365)).Format("%Y-%m-%d");
    Insert("gdzc", {{{"项目名称", "举升机"},
                     {"单价", "1000"},
                     {"数量", "2"},
                     {"购置日期", bought.utf8_string().c_str()},
                     {"净残值率", "4"},
                     {"使用年限", "5"},
                     {"no", "1"}}});
    EXPECT_TRUE(qv_test::AnswerModal<CCashJournalDlg>(
        [&] { frame_->ExecuteCommand(ID_FIXED_ASSETS); },
        [&](CCashJournalDlg& dialog) {
            EXPECT_EQ(dialog.GetTitle(), U("固定资产"));
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 2);
            EXPECT_EQ(qv_test::Text(&dialog, kTotalEdit), "1616.00");
            EXPECT_EQ(qv_test::Text(&dialog, kCostEdit), "2000.00");
            // A new row with pending edits is not dropped unasked on 退出.
            qv_test::Click(&dialog, kAddButton);
            EXPECT_TRUE(dialog.IsPending());
            boxes_.Reply(platform::IDCANCEL);
            qv_test::Click(&dialog, kExitButton);
            EXPECT_TRUE(dialog.IsModal());
            qv_test::Click(&dialog, kCancelButton);
            EXPECT_FALSE(dialog.IsPending());
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 2);
        }));
}

} // namespace
