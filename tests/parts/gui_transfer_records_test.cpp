// The storekeeper looks over the transfers and the parts sent back: each list opened
// from its menu command, filtered by store or supplier, a row deleted and brought
// back, another deleted for good, the total following the list.
#include "app/main_frame.h"
#include "common/login_fixture.h"
#include "grid/grid_ctrl.h"
#include "parts/parts_forms.h"
#include "parts/transfer_record_dlg.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/order_page_template.h"

#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/stattext.h>

using namespace res::transfer_records;
using Texts = std::vector<wxString>;

class TransferRecordsDlgTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        parts::RegisterForms();
    }
    void TearDown() override {
        CMainFrame::RegisterForm(FormKind::OrderSheet, nullptr);
        CMainFrame::RegisterForm(FormKind::SplitAssemble, nullptr);
        CMainFrame::RegisterForm(FormKind::TransferRecords, nullptr);
        LoginTest::TearDown();
    }
    static void Choose(CTransferRecordDlg& dialog, const char* value) {
        auto* combo = res::Control<wxComboBox>(&dialog, kFilterCombo);
        combo->SetSelection(combo->FindString(U(value)));
        dialog.OnSelChangeStore();
    }
    static wxString Total(CTransferRecordDlg& dialog) {
        return res::Control<wxStaticText>(&dialog, kTotalStatic)->GetLabel();
    }
};

TEST_F(TransferRecordsDlgTest, TransfersAreFilteredEditedAndTotalled) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    const wxString today = wxDateTime::Today().Format("%Y-%m-%d");
    const wxString old = (wxDateTime::Today() - wxDateSpan::Days(400)).Format("%Y-%m-%d");
    const std::string todayText = today.utf8_string(), oldText = old.utf8_string();
    Insert("LJDB", {{{"no", "1"},
                     {"编号", "T1"},
                     {"调拨去向", "二库"},
                     {"进价", "12.5"},
                     {"数量", "2"},
                     {"日期", todayText.c_str()}},
                    {{"no", "2"},
                     {"编号", "T2"},
                     {"调拨去向", "二库"},
                     {"进价", "10"},
                     {"数量", "1"},
                     {"日期", todayText.c_str()}},
                    {{"no", "3"},
                     {"编号", "T3"},
                     {"调拨去向", "二库"},
                     {"进价", "7"},
                     {"数量", "1"},
                     {"日期", oldText.c_str()}},
                    {{"no", "4"},
                     {"编号", "T4"},
                     {"调拨去向", "三库"},
                     {"进价", "1"},
                     {"数量", "1"},
                     {"日期", todayText.c_str()}}});
    platform::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(qv_test::AnswerModal<CTransferRecordDlg>(
        [&] { frame->ExecuteCommand(ID_TRANSFER_RECORDS); },
        [&](CTransferRecordDlg& dialog) {
            EXPECT_EQ(dialog.GetTitle(), U("调拨记录"));
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 5); // every transfer, whatever its date
            EXPECT_EQ(dialog.m_grid->GetColumnCount(), 16);
            EXPECT_EQ(Total(dialog), "");
            EXPECT_EQ(qv_test::Text(&dialog, kToEdit), today);

            // The store's transfers of the last year: 12.5 x 2 + 10 x 1.
            Choose(dialog, "二库");
            ASSERT_EQ(dialog.m_grid->GetRowCount(), 3);
            EXPECT_EQ(Total(dialog), U("总计:35.00"));

            // A date typed alone changes nothing until the next choice.
            qv_test::Type(&dialog, kFromEdit, old.utf8_string().c_str());
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 3);
            Choose(dialog, "二库");
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 4);
            EXPECT_EQ(Total(dialog), U("总计:42.00"));

            // Deleted and cancelled: back again; deleted and saved: gone.
            EXPECT_FALSE(res::FindControl(&dialog, kSaveButton)->IsEnabled());
            dialog.m_grid->SetFocusCell(1, 1);
            qv_test::Click(&dialog, kDeleteButton);
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 3);
            EXPECT_TRUE(res::FindControl(&dialog, kSaveButton)->IsEnabled());
            qv_test::Click(&dialog, kCancelButton);
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 4);
            EXPECT_FALSE(res::FindControl(&dialog, kCancelButton)->IsEnabled());
            dialog.m_grid->SetFocusCell(1, 1);
            const wxString gone = dialog.m_grid->GetItemText(1, 4);
            qv_test::Click(&dialog, kDeleteButton);
            qv_test::Click(&dialog, kSaveButton);
            EXPECT_EQ(Column(U("select * from LJDB where 编号='") + gone + "'", "no"), Texts{});
            EXPECT_EQ(Column("select * from LJDB", "no").size(), 3u);

            // A deletion left unsaved goes with the list.
            dialog.m_grid->SetFocusCell(1, 1);
            qv_test::Click(&dialog, kDeleteButton);
            qv_test::Click(&dialog, kExitButton);
        }));
    EXPECT_EQ(Column("select * from LJDB", "no").size(), 3u);
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(TransferRecordsDlgTest, ReturnedOutListsOnlyPartsSentBack) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    const std::string today = wxDateTime::Today().Format("%Y-%m-%d").utf8_string();
    Insert("ljth", {{{"no", "1"},
                     {"编号", "R1"},
                     {"供应商", "甲"},
                     {"单价", "8"},
                     {"数量", "3"},
                     {"退出日期", today.c_str()}},
                    {{"no", "2"}, {"编号", "R2"}, {"供应商", "乙"}, {"单价", "5"}, {"数量", "1"}}});
    EXPECT_TRUE(qv_test::AnswerModal<CTransferRecordDlg>(
        [&] { frame->ExecuteCommand(ID_RETURNED_OUT_RECORDS); },
        [](CTransferRecordDlg& dialog) {
            EXPECT_EQ(dialog.GetTitle(), U("退出记录"));
            EXPECT_EQ(res::Control<wxStaticText>(&dialog, kFilterLabel)->GetLabel(), U("供应商"));
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 2);
            EXPECT_EQ(dialog.m_grid->GetColumnCount(), 13);
            auto* combo = res::Control<wxComboBox>(&dialog, kFilterCombo);
            EXPECT_NE(combo->FindString(U("乙")), wxNOT_FOUND);
            Choose(dialog, "甲");
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 2);
            EXPECT_EQ(Total(dialog), U("总计:24.00"));
            EXPECT_EQ(dialog.m_grid->m_strReportName, U("退出记录"));
            qv_test::Click(&dialog, kExitButton);
        }));
}
