#include "app/data_export_dlg.h"
#include "app/main_frame.h"
#include "common/table_folder.h"
#include "data/table_catalog.h"
#include "grid/grid_ctrl.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/data_export_template.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/datetime.h>
#include <wx/filedlg.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

using namespace res::data_export;

namespace {

class DataExportDlgTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        CMainFrame::RegisterForm(FormKind::Login, nullptr);
        frame_ = new CMainFrame;
        MakeTables({"gk", "ljth", "fieldlong"}, *frame_);
        CDataSet data;
        data.Open("select * from ljth where no=0");
        ASSERT_TRUE(data.IsOpen());
        const char* dates[] = {"2005-01-01", "2005-02-03", "2005-03-01"};
        for (int i = 0; i < 3; ++i) {
            data.m_pRecordset->AddNew();
            data.PutFieldValue(wxString::Format("%d", i + 1), "no", data.m_pRecordset);
            data.PutFieldValue(dates[i], U("日期"), data.m_pRecordset);
        }
        ASSERT_EQ(data.Save(data.m_pRecordset), 1);
        out_ = Path("out");
        platform::CreateFolders(out_);
        dialog_ = new CDataExportDlg(frame_);
        table_ = res::Control<wxComboBox>(dialog_, kTableCombo);
        from_ = res::Control<wxTextCtrl>(dialog_, kFromDateEdit);
        to_ = res::Control<wxTextCtrl>(dialog_, kToDateEdit);
        delete_ = res::Control<wxCheckBox>(dialog_, kDeleteCheck);
    }
    void TearDown() override {
        dialog_->Destroy();
        frame_->Destroy();
        Pump();
        TableFolderTest::TearDown();
    }
    void Choose(const char* code) {
        table_->SetSelection(table_->FindString(CTableCatalog().GetTableTitle(code)));
        dialog_->OnSelchangeTable();
    }
    std::vector<wxString> Dates() {
        CDataSet data;
        data.Open("select * from ljth order by no");
        std::vector<wxString> dates;
        auto rs = data.m_pRecordset;
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
            dates.push_back(
                wxString::FromUTF8(rs->Fields().Item(U("日期").utf8_string()).Value().ToString()));
        return dates;
    }
    long Rows() { return static_cast<long>(Dates().size()); }

    CMainFrame* frame_ = nullptr;
    CDataExportDlg* dialog_ = nullptr;
    wxComboBox* table_ = nullptr;
    wxTextCtrl* from_ = nullptr;
    wxTextCtrl* to_ = nullptr;
    wxCheckBox* delete_ = nullptr;
    std::string out_;
    platform::ScriptedMessageBoxes boxes_;
};

TEST_F(DataExportDlgTest, StartsWithTheTablesAndDatesForDatedTablesOnly) {
    EXPECT_EQ(dialog_->GetTitle(), U("数据导出"));
    ASSERT_EQ(table_->GetCount(), 30u);
    EXPECT_EQ(table_->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(from_->GetValue(), "2004-01-01");
    EXPECT_EQ(to_->GetValue(), wxDateTime::Today().Format("%Y-%m-%d"));
    Choose("gk");
    EXPECT_FALSE(from_->IsEnabled());
    EXPECT_FALSE(to_->IsEnabled());
    Choose("ljth");
    EXPECT_TRUE(from_->IsEnabled());
    EXPECT_TRUE(to_->IsEnabled());
}

TEST_F(DataExportDlgTest, ExportsTheRangeAndDeletesItOnlyOnceTheFileIsWhole) {
    Choose("ljth");
    from_->ChangeValue("2005-02-01");
    delete_->SetValue(true);
    // The file choice cancelled: the rows stay (the question would be answered Yes).
    wxTEST_DIALOG(dialog_->OnOK(), wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"文件没有保存，数据没有导出。"});
    ASSERT_TRUE(CGridCtrl::GetCurrentGrid());
    EXPECT_EQ(CGridCtrl::GetCurrentGrid()->GetReportName(), "ljth");

    wxTEST_DIALOG(dialog_->OnOK(),
                  wxExpectModal<wxFileDialog>(wxString::FromUTF8(out_ + "/ljth.adtg")));
    // The question comes only once the saved file has read back with both rows.
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(boxes_.Texts().back(), "操作完成 ");
    EXPECT_EQ(boxes_.Texts()[boxes_.Texts().size() - 2],
              "数据被导出后,导出的数据将从本系统中删除,是否继续?");
}

TEST_F(DataExportDlgTest, WrongDatesAndEmptyRangesSaveNothing) {
    Choose("ljth");
    from_->ChangeValue("2005-1-1");
    delete_->SetValue(true);
    dialog_->OnOK(); // refused before any file dialog
    from_->ChangeValue("2030-01-01");
    dialog_->OnOK(); // no rows: nothing to save or delete
    EXPECT_EQ(Rows(), 3);
    EXPECT_EQ(boxes_.Texts(),
              (std::vector<std::string>{"日期不对，请重新输入！", "对不起，没有符合条件的记录！"}));
}

} // namespace
