// Dialog 179: the choices handed to the grid, the outputs and the file rule.
#include "gui_test_app.h"

#include "data/setting_files.h"
#include "grid/print_options_dlg.h"
#include "grid/print_seam.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/print_options_template.h"

#include "foxdb/database.h"
#include "platform/wx_text.h"
#include <filesystem>
#include <wx/checkbox.h>

#include <wx/cmndata.h>
#include <wx/filedlg.h>
#include <wx/print.h>
#include <wx/radiobut.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

namespace {

namespace ids = res::print_options;
class PrintOptionsTest : public GridWindowTest {
protected:
    void SetUp() override {
        GridWindowTest::SetUp();
        printData.SetPrintMode(wxPRINT_MODE_FILE);
        printData.SetFilename(TestHome() + "/options_out.pdf");
        SetGridPrinterSettings(&printData);
        grid = MakeGrid(6, 3);
        grid->SetItemText(0, 0, U("序号"));
    }
    void TearDown() override {
        if (dialog) dialog->Destroy();
        ProcessPending();
        SetGridPrinterSettings(nullptr);
        CSettingFiles::DeleteSettingFile("SystemSet");
        std::filesystem::remove(TestHome() + "/options_out.pdf");
        GridWindowTest::TearDown();
    }
    CPrintOptionsDlg* Open() {
        dialog = new CPrintOptionsDlg(frame, grid);
        return dialog;
    }
    void Type(int id, const wxString& text) {
        res::Control<wxTextCtrl>(dialog, id)->ChangeValue(text);
    }
    void Choose(int id) {
        auto* radio = res::Control<wxRadioButton>(dialog, id);
        radio->SetValue(true);
        wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
        event.SetEventObject(radio);
        radio->GetEventHandler()->ProcessEvent(event);
    }
    bool Visible(int id) { return res::FindControl(dialog, id)->IsShown(); }

    wxPrintData printData;
    CGridCtrl* grid = nullptr;
    CPrintOptionsDlg* dialog = nullptr;
};

TEST_F(PrintOptionsTest, OpensOnPreviewBySettingsAllPagesOneCopy) {
    Open();
    EXPECT_TRUE(res::Control<wxRadioButton>(dialog, ids::kPreviewRadio)->GetValue());
    EXPECT_TRUE(res::Control<wxRadioButton>(dialog, ids::kBySettingsRadio)->GetValue());
    EXPECT_TRUE(res::Control<wxRadioButton>(dialog, ids::kAllPagesRadio)->GetValue());
    EXPECT_EQ(res::Control<wxTextCtrl>(dialog, ids::kCopiesEdit)->GetValue(), "1");
    EXPECT_EQ(res::Control<wxTextCtrl>(dialog, ids::kRemarkEdit)->GetValue(),
              CPrintOptionsDlg::RemarkHint());
    EXPECT_FALSE(res::FindControl(dialog, ids::kFromPageEdit)->IsEnabled());
    EXPECT_FALSE(Visible(ids::kBillCheck));
    EXPECT_FALSE(Visible(ids::kCostSheetCheck));
    Choose(ids::kPageRangeRadio);
    EXPECT_TRUE(res::FindControl(dialog, ids::kFromPageEdit)->IsEnabled());
    EXPECT_TRUE(res::FindControl(dialog, ids::kToPageEdit)->IsEnabled());
    Choose(ids::kAllPagesRadio);
    EXPECT_FALSE(res::FindControl(dialog, ids::kToPageEdit)->IsEnabled());
}

TEST_F(PrintOptionsTest, OutputHandsTheChoicesToTheGrid) {
    struct Case {
        const char* remark;
        bool range;
        const char *from, *to, *copies;
        bool asShown;
        const char* text26;
        int fromPage, toPage, copiesField, mode;
    } cases[] = {
        {nullptr, false, "", "", "1", false, "##no print##", 0, 99999, 0, 1},
        {"", false, "", "", "3", true, "##no print##", 0, 99999, 2, 0},
        {"附注一行", true, "3", "5", "1", false, "附注一行", 3, 5, 0, 1},
        // Empty boxes do not stop the dialog: all pages, one copy.
        {"x", true, "", "", "", false, "x", 0, 99999, 0, 1},
    };
    for (const Case& c : cases) {
        Open();
        if (c.remark) Type(ids::kRemarkEdit, U(c.remark));
        Choose(c.range ? ids::kPageRangeRadio : ids::kAllPagesRadio);
        Type(ids::kFromPageEdit, c.from);
        Type(ids::kToPageEdit, c.to);
        Type(ids::kCopiesEdit, c.copies);
        Choose(c.asShown ? ids::kAsShownRadio : ids::kBySettingsRadio);
        Choose(ids::kPrintRadio);
        dialog->OnOutput();
        EXPECT_EQ(grid->PrintTexts[26], U(c.text26)) << c.text26;
        EXPECT_EQ(grid->m_nFromPage, c.fromPage);
        EXPECT_EQ(grid->m_nToPage, c.toPage);
        EXPECT_EQ(grid->m_nCopies, c.copiesField);
        EXPECT_EQ(grid->m_nPrintMode, c.mode);
        EXPECT_FALSE(dialog->IsShown());
        dialog->Destroy();
        dialog = nullptr;
    }
    EXPECT_TRUE(platform::FileExists(TestHome() + "/options_out.pdf"));
}

TEST_F(PrintOptionsTest, SalesBillBoxesFollowTheSystemOption) {
    grid->m_strTitle = U("零件售货单");
    Open();
    EXPECT_FALSE(Visible(ids::kBillCheck));
    dialog->Destroy();
    ProcessPending();

    ASSERT_EQ(CSettingFiles::WriteSettingFile("SystemSet", U("零件售货单=1,")), 1);
    Open();
    EXPECT_TRUE(Visible(ids::kBillCheck));
    EXPECT_TRUE(res::Control<wxCheckBox>(dialog, ids::kBillCheck)->GetValue());
    EXPECT_TRUE(Visible(ids::kCostSheetCheck));
    EXPECT_FALSE(res::Control<wxCheckBox>(dialog, ids::kCostSheetCheck)->GetValue());

    // Both boxes: the preview shows the bill; the cost sheet alone: the cost sheet.
    res::Control<wxCheckBox>(dialog, ids::kCostSheetCheck)->SetValue(true);
    dialog->OnOutput();
    EXPECT_TRUE(grid->m_bPreviewing);
    EXPECT_FALSE(dialog->CostGrid()->m_bPreviewing);
    for (wxWindow* window : wxTopLevelWindows)
        if (window->IsKindOf(wxCLASSINFO(wxPreviewFrame))) window->Close(true);
    ProcessPending();
    res::Control<wxCheckBox>(dialog, ids::kBillCheck)->SetValue(false);
    dialog->OnOutput();
    EXPECT_FALSE(grid->m_bPreviewing);
    EXPECT_TRUE(dialog->CostGrid()->m_bPreviewing);
    EXPECT_EQ(dialog->CostGrid()->m_strTitle, U("成本数量单"));
    EXPECT_EQ(dialog->CostGrid()->m_nPrintMode, 1);
    for (wxWindow* window : wxTopLevelWindows)
        if (window->IsKindOf(wxCLASSINFO(wxPreviewFrame))) window->Close(true);
    ProcessPending();
}

TEST_F(PrintOptionsTest, CancellingTheSavePromptKeepsTheDialogOpen) {
    foxdb::ResultSet result;
    foxdb::ResultColumn column;
    column.name = "名称";
    column.definedSize = 10;
    result.columns.push_back(column);
    grid->m_rsBound = std::make_shared<ado::Recordset>();
    grid->m_rsBound->OpenResult(result);
    Open();
    dialog->Show();
    Choose(ids::kSaveRadio);
    wxTEST_DIALOG(dialog->OnOutput(), wxExpectDismissableModal<wxFileDialog>(wxID_CANCEL));
    EXPECT_TRUE(dialog->IsShown());
}

TEST_F(PrintOptionsTest, RecordsetFilesGetTheirExtensionAndNeverReplaceTheUsersFile) {
    platform::ScriptedMessageBoxes boxes;
    foxdb::ResultSet result;
    foxdb::ResultColumn column;
    column.name = "名称";
    column.definedSize = 10;
    result.columns.push_back(column);
    grid->m_rsBound = std::make_shared<ado::Recordset>();
    grid->m_rsBound->OpenResult(result);
    const std::string home = TestHome();
    platform::CreateFolders(home + "/Picture");
    const std::string users = home + "/Picture/printinfo.adtg";
    platform::WriteFileAtomic(users, "users");

    for (const std::string& name : {users, home + "/Picture/printinfo", home + "/PRINTINFO.txt"}) {
        boxes.Clear();
        EXPECT_FALSE(CPrintOptionsDlg::SaveGridRecordset(grid, wxString::FromUTF8(name)));
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"系统文件，不允许操作！"});
    }
    std::string bytes;
    platform::ReadFileBytes(users, bytes);
    EXPECT_EQ(bytes, "users");

    EXPECT_TRUE(CPrintOptionsDlg::SaveGridRecordset(grid, wxString::FromUTF8(home + "/清单")));
    EXPECT_TRUE(platform::FileExists(home + "/清单.adtg"));
    EXPECT_TRUE(
        CPrintOptionsDlg::SaveGridRecordset(grid, wxString::FromUTF8(home + "/a.adtg.bak")));
    EXPECT_TRUE(platform::FileExists(home + "/a.adtg.bak"));
    // An existing file is replaced.
    platform::WriteFileAtomic(home + "/old.adtg", "old");
    EXPECT_TRUE(CPrintOptionsDlg::SaveGridRecordset(grid, wxString::FromUTF8(home + "/old.adtg")));
    platform::ReadFileBytes(home + "/old.adtg", bytes);
    EXPECT_NE(bytes, "old");
    EXPECT_FALSE(platform::FileExists(home + "/old.adtg.part"));

    boxes.Clear();
    grid->m_rsBound = nullptr;
    EXPECT_FALSE(CPrintOptionsDlg::SaveGridRecordset(grid, wxString::FromUTF8(home + "/x")));
    EXPECT_EQ(boxes.Texts().size(), 1u);
    for (const char* f : {"/清单.adtg", "/a.adtg.bak", "/old.adtg"})
        std::filesystem::remove(home + f);
}

} // namespace
