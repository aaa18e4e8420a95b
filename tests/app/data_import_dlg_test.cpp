#include "app/data_import_dlg.h"
#include "app/main_frame.h"
#include "common/table_folder.h"
#include "data/table_catalog.h"
#include "grid/grid_ctrl.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/data_import_template.h"

#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

using namespace res::data_import;

namespace {

class DataImportDlgTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        CMainFrame::RegisterForm(FormKind::Login, nullptr);
        frame_ = new CMainFrame;
        MakeTables({"ljkc", "fieldlong"}, *frame_);
        platform::CreateFolders(Path("in"));
        Execute(Path("in"), {"CREATE TABLE src (no I, wx C(4), 编号 C(30), 数量 I)",
                             "INSERT INTO src VALUES (7, 'a', 'P1', 2)",
                             "INSERT INTO src VALUES (8, 'b', 'P2', 5)"});
        dialog_ = new CDataImportDlg(frame_);
        source_ = res::Control<wxTextCtrl>(dialog_, kSourceEdit);
        target_ = res::Control<wxComboBox>(dialog_, kTargetCombo);
        lines_ = res::Control<wxListBox>(dialog_, kMappingList);
    }
    void TearDown() override {
        dialog_->Destroy();
        frame_->Destroy();
        Pump();
        TableFolderTest::TearDown();
    }
    // Types the source path and chooses the parts stock table as the target.
    void ChooseBoth() {
        source_->SetValue(wxString::FromUTF8(Path("in/src.dbf")));
        dialog_->OnKillfocusSource();
        target_->SetSelection(target_->FindString(CTableCatalog().GetTableTitle("ljkc")));
        dialog_->OnSelchangeTarget();
    }
    std::vector<wxString> Lines() const {
        std::vector<wxString> lines;
        for (unsigned i = 0; i < lines_->GetCount(); ++i)
            lines.push_back(lines_->GetString(i));
        return lines;
    }

    CMainFrame* frame_ = nullptr;
    CDataImportDlg* dialog_ = nullptr;
    wxTextCtrl* source_ = nullptr;
    wxComboBox* target_ = nullptr;
    wxListBox* lines_ = nullptr;
    platform::ScriptedMessageBoxes boxes_;
};

TEST_F(DataImportDlgTest, SourceAndTargetGiveTheAutomaticLines) {
    EXPECT_EQ(dialog_->GetTitle(), U("数据导入"));
    EXPECT_EQ(target_->GetCount(), 28u);
    ChooseBoth();
    const wxString title = CTableCatalog().GetTableTitle("ljkc");
    EXPECT_EQ(Lines(),
              (std::vector<wxString>{"src." + U("编号") + "---->" + title + "." + U("编号"),
                                     "src." + U("数量") + "---->" + title + "." + U("数量")}));
    EXPECT_TRUE(boxes_.Texts().empty());

    // Deleting the last line selects the new last one; without a selection the first is.
    lines_->Append("x");
    lines_->SetSelection(2);
    dialog_->OnDeleteMapping();
    EXPECT_EQ(lines_->GetCount(), 2u);
    EXPECT_EQ(lines_->GetSelection(), 1);
    lines_->SetSelection(wxNOT_FOUND);
    dialog_->OnDeleteMapping();
    EXPECT_EQ(lines_->GetSelection(), 0);

    dialog_->OnClearMappings();
    dialog_->OnOK();
    EXPECT_EQ(boxes_.Texts(),
              std::vector<std::string>{"选择或输入内容不对或不完整！无法完成操作。"});
}

TEST_F(DataImportDlgTest, RowsAreSavedOnlyWhenTheCheckIsConfirmed) {
    ChooseBoth();
    long shown = -1;
    dialog_->m_fnCheck = [&](const ado::RecordsetPtr& batch) {
        CImportCheckDlg check(dialog_, batch);
        shown = check.Grid()->GetRowCount() - 1;
        return wxID_CANCEL;
    };
    dialog_->OnOK();
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(Column("select * from ljkc", "no").empty());
    dialog_->m_fnCheck = [](const ado::RecordsetPtr&) { return wxID_OK; };
    dialog_->OnOK();
    EXPECT_EQ(Column("select * from ljkc order by no", "no"), (std::vector<wxString>{"1", "2"}));
    EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"操作已取消!", "操作完成 "}));
}

TEST_F(DataImportDlgTest, AMissingSourceOrTargetIsReported) {
    source_->SetValue(wxString::FromUTF8(Path("in/none.dbf")));
    dialog_->OnKillfocusSource();
    target_->SetValue(U("没有的表"));
    dialog_->OnKillfocusTarget();
    EXPECT_EQ(boxes_.Texts(),
              std::vector<std::string>(2, "选择或输入内容不对或不完整！无法完成操作。"));
    EXPECT_EQ(lines_->GetCount(), 0u);
}

} // namespace
