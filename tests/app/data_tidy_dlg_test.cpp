#include "app/data_tidy_dlg.h"
#include "app/main_frame.h"
#include "common/table_folder.h"
#include "data/table_catalog.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/data_tidy_template.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/datetime.h>
#include <wx/textctrl.h>

using namespace res::data_tidy;

namespace {

class DataTidyDlgTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        CMainFrame::RegisterForm(FormKind::Login, nullptr);
        frame_ = new CMainFrame;
        MakeTables({"gk", "ljth"}, *frame_);
        CDataSet data;
        data.Open("select * from gk where no=0");
        ASSERT_TRUE(data.IsOpen());
        data.m_pRecordset->AddNew();
        data.PutFieldValue("1", "no", data.m_pRecordset);
        ASSERT_EQ(data.Save(data.m_pRecordset), 1);
        dialog_ = new CDataTidyDlg(frame_);
        table_ = res::Control<wxComboBox>(dialog_, kTableCombo);
        all_ = res::Control<wxCheckBox>(dialog_, kAllCheck);
        from_ = res::Control<wxTextCtrl>(dialog_, kFromDateEdit);
        to_ = res::Control<wxTextCtrl>(dialog_, kToDateEdit);
    }
    void TearDown() override {
        dialog_->Destroy();
        frame_->m_pActiveSheet = nullptr;
        frame_->Destroy();
        Pump();
        TableFolderTest::TearDown();
    }
    void Choose(const char* title) { table_->SetSelection(table_->FindString(U(title))); }

    CMainFrame* frame_ = nullptr;
    CDataTidyDlg* dialog_ = nullptr;
    wxComboBox* table_ = nullptr;
    wxCheckBox* all_ = nullptr;
    wxTextCtrl* from_ = nullptr;
    wxTextCtrl* to_ = nullptr;
    platform::ScriptedMessageBoxes boxes_;
};

TEST_F(DataTidyDlgTest, StartsWithTheTablesAndTheDefaultRange) {
    EXPECT_EQ(dialog_->GetTitle(), U("数据整理"));
    ASSERT_EQ(table_->GetCount(), 30u);
    EXPECT_EQ(table_->GetString(0), CTableCatalog().GetTableTitle("dhd"));
    EXPECT_EQ(table_->GetString(29), CTableCatalog().GetTableTitle("fieldlong"));
    EXPECT_EQ(from_->GetValue(), "2004-01-01");
    EXPECT_EQ(to_->GetValue(), wxDateTime::Today().Format("%Y-%m-%d"));

    all_->SetValue(true);
    dialog_->OnAll();
    EXPECT_FALSE(table_->IsEnabled());
    all_->SetValue(false);
    dialog_->OnAll();
    EXPECT_TRUE(table_->IsEnabled());

    from_->ChangeValue("2005-2-3");
    dialog_->OnKillfocusFromDate();
    EXPECT_EQ(from_->GetValue(), "2005-02-03");
}

TEST_F(DataTidyDlgTest, NothingHappensWithoutATableOrWithWorkPagesOpen) {
    dialog_->OnOK();
    dialog_->OnDelete();
    EXPECT_TRUE(boxes_.Texts().empty());
    // A repair says why it does nothing.
    dialog_->OnRepair();
    all_->SetValue(true);
    dialog_->OnRepair();
    EXPECT_EQ(boxes_.Texts(),
              (std::vector<std::string>{"请先选择要修复的表。",
                                        "修复一次只修复一个表，请取消“全部”并选择要修复的表。"}));
    all_->SetValue(false);
    boxes_.Clear();

    wxWindow sheet(frame_, wxID_ANY);
    frame_->m_pActiveSheet = &sheet;
    all_->SetValue(true);
    dialog_->OnOK();
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"还有工作页面,请关闭后再进行本项操作！"});
    frame_->m_pActiveSheet = nullptr;
}

TEST_F(DataTidyDlgTest, DeleteEmptiesTheChosenTableAfterTheQuestion) {
    Choose("维修客户资料库");
    ASSERT_NE(table_->GetSelection(), wxNOT_FOUND) << "title of gk";
    boxes_.Reply(platform::IDNO);
    dialog_->OnDelete();
    EXPECT_EQ(Column("select * from gk", "no"), std::vector<wxString>{"1"});
    dialog_->OnDelete();
    EXPECT_TRUE(Column("select * from gk", "no").empty());
    EXPECT_EQ(boxes_.Texts().back(), "操作完成 ");
}

} // namespace
