// Dialog 295: the forms chosen, their templates kept, and the texts handed to printing.
#include "gui_test_app.h"

#include "data/setting_files.h"
#include "grid/grid_ctrl.h"
#include "grid/print_seam.h"
#include "grid/print_texts.h"
#include "grid/repair_print_dlg.h"
#include "grid/report_setup_dlg.h"
#include "platform/files.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/repair_print_template.h"
#include "res/report_setup_template.h"

#include <filesystem>
#include <wx/checkbox.h>
#include <wx/cmndata.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

namespace {

namespace ids = res::repair_print;
namespace pt = print_texts;

class RepairPrintDlgTest : public GridWindowTest {
protected:
    void SetUp() override {
        GridWindowTest::SetUp();
        printData.SetPrintMode(wxPRINT_MODE_FILE);
        printData.SetFilename(Pdf());
        SetGridPrinterSettings(&printData);
        grid = MakeGrid(4, 3);
        RemoveFiles();
    }
    void TearDown() override {
        if (dialog) dialog->Destroy();
        ProcessPending();
        SetGridPrinterSettings(nullptr);
        RemoveFiles();
        GridWindowTest::TearDown();
    }
    static std::string Pdf() { return TestHome() + "/repair_out.pdf"; }
    static void RemoveFiles() {
        for (int form = 1; form <= 5; ++form)
            std::filesystem::remove(TestHome() + "/Picture/WxQdfile" + std::to_string(form));
        std::filesystem::remove(TestHome() + "/Picture/WxQdType");
        std::filesystem::remove(Pdf());
    }
    CRepairPrintDlg* Open() {
        if (dialog) dialog->Destroy();
        dialog = new CRepairPrintDlg(frame, grid);
        return dialog;
    }
    wxTextCtrl* Edit(int id) { return res::Control<wxTextCtrl>(dialog, id); }
    // Types into an edit as the user does: the change event follows.
    void Type(int id, const wxString& text) { Edit(id)->SetValue(text); }
    void Choose(int id) {
        auto* radio = res::Control<wxRadioButton>(dialog, id);
        radio->SetValue(true);
        wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
        event.SetEventObject(radio);
        radio->GetEventHandler()->ProcessEvent(event);
    }
    void Click(int id, bool on) {
        auto* box = res::Control<wxCheckBox>(dialog, id);
        box->SetValue(on);
        wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
        event.SetEventObject(box);
        box->GetEventHandler()->ProcessEvent(event);
    }
    bool Checked(int id) { return res::Control<wxCheckBox>(dialog, id)->GetValue(); }

    wxPrintData printData;
    CGridCtrl* grid = nullptr;
    CRepairPrintDlg* dialog = nullptr;
};

TEST_F(RepairPrintDlgTest, EditedFormsAreKeptAndTheLastFormOpensNextTime) {
    Open();
    EXPECT_EQ(dialog->Form(), RepairForm::PreRepair);
    EXPECT_EQ(Edit(ids::kTitleEdit)->GetValue(), U("维修预算合约(附清单)"));
    EXPECT_FALSE(dialog->IsModified());
    Type(ids::kTermsEdit, U("一,二\n三"));
    Click(ids::kTermsCheck, true);
    EXPECT_TRUE(Edit(ids::kTermsEdit)->IsEnabled());

    Choose(ids::kSalesTicketRadio);
    EXPECT_EQ(repair_forms::ReadTemplate(RepairForm::PreRepair).terms, U("一，二\n三"));
    EXPECT_EQ(Edit(ids::kTitleEdit)->GetValue(), U("售货清单"));
    dialog->OnCancel();
    EXPECT_EQ(CSettingFiles::ReadSettingFile("WxQdType"), "2");

    Open();
    EXPECT_EQ(dialog->Form(), RepairForm::PreRepair);
    EXPECT_TRUE(res::Control<wxRadioButton>(dialog, ids::kPreRepairRadio)->GetValue());
    EXPECT_EQ(Edit(ids::kTermsEdit)->GetValue(), U("一，二\n三"));
    EXPECT_TRUE(Checked(ids::kTermsCheck));
}

TEST_F(RepairPrintDlgTest, TheBriefListKeepsItsBoxesOffAndIsNotSavedOnSwitching) {
    ASSERT_TRUE(CSettingFiles::WriteSettingFile("WxQdType", "1"));
    Open();
    EXPECT_EQ(dialog->Form(), RepairForm::Brief);
    EXPECT_FALSE(Edit(ids::kTermsEdit)->IsEnabled());
    Click(ids::kTermsCheck, true);
    EXPECT_FALSE(Checked(ids::kTermsCheck));
    Type(ids::kTitleEdit, U("简表标题"));
    Choose(ids::kRepairOrderRadio);
    EXPECT_FALSE(platform::FileExists(TestHome() + "/Picture/WxQdfile1"));
    EXPECT_EQ(Edit(ids::kTitleEdit)->GetValue(), U("维修合约(附清单)"));
    EXPECT_TRUE(Edit(ids::kPlateEdit)->IsEnabled());

    Choose(ids::kDispatchRadio);
    EXPECT_FALSE(res::FindControl(dialog, ids::kDateOutEdit)->IsShown());
    EXPECT_TRUE(res::FindControl(dialog, ids::kChiefCombo)->IsShown());
    EXPECT_EQ(res::Control<wxStaticText>(dialog, ids::kDateOutLabel)->GetLabel(), U("主修"));
    dialog->OnCancel();
    EXPECT_EQ(CSettingFiles::ReadSettingFile("WxQdType"), "1") << "the dispatch list is not kept";
}

TEST_F(RepairPrintDlgTest, PrintingHandsTheFormsTextsToTheGrid) {
    Open();
    Type(ids::kPlateEdit, U("浙A1"));
    Type(ids::kDateInEdit, "2026-3-5");
    wxFocusEvent leave(wxEVT_KILL_FOCUS, Edit(ids::kDateInEdit)->GetId());
    Edit(ids::kDateInEdit)->GetEventHandler()->ProcessEvent(leave);
    EXPECT_EQ(Edit(ids::kDateInEdit)->GetValue(), "2026-03-05");
    Click(ids::kRow1Check + 1, false);
    EXPECT_FALSE(Edit(ids::kPhoneEdit)->IsEnabled());
    Click(ids::kRemarkCheck, true);
    Click(ids::kFaultCheck, false);
    grid->PrintTexts[pt::kMaintenanceClass] = U("A类");
    Choose(ids::kSalesTicketRadio);
    EXPECT_EQ(Edit(ids::kPlateEdit)->GetValue(), U("浙A1")) << "typed head texts stay";
    EXPECT_EQ(Edit(ids::kDateInEdit)->GetValue(), "2026-03-05");
    Click(ids::kRow1Check + 1, false);
    Click(ids::kRemarkCheck, true);

    dialog->OnOK();
    const std::vector<wxString>& texts = grid->PrintTexts;
    EXPECT_EQ(texts[pt::kPlate], U("浙A1"));
    EXPECT_EQ(texts[pt::kMaintenanceClass], U("A类"));
    EXPECT_EQ(texts[pt::kDocumentKind], U("零件售货单"));
    EXPECT_EQ(texts[pt::kRowOff + 0], "");
    EXPECT_EQ(texts[pt::kRowOff + 1], "NO");
    EXPECT_EQ(texts[pt::kFault], pt::kNoPrint);
    EXPECT_EQ(texts[pt::kTerms], pt::kNoPrint);
    EXPECT_TRUE(texts[pt::kRemark].StartsWith(U("备注栏")));
    EXPECT_TRUE(platform::FileExists(Pdf()));
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_FALSE(repair_forms::ReadTemplate(RepairForm::PreRepair).rowOn[1])
        << "the changed form was saved on switching";
}

// Answers the report settings dialog with Cancel, noting the report it opened on.
class ReportSetupSeen : public wxExpectModalBase<CReportSetupDlg, ReportSetupSeen> {
public:
    explicit ReportSetupSeen(wxString& report) : m_report(report) {}

protected:
    int OnInvoked(CReportSetupDlg* dialog) const override {
        m_report = res::Control<wxComboBox>(dialog, res::report_setup::kReportCombo)->GetValue();
        return wxID_CANCEL;
    }

private:
    wxString& m_report;
};

TEST_F(RepairPrintDlgTest, TableSettingsOpensTheReportSettingsOfTheGridsReport) {
    grid->m_strTitle = U("维修清单");
    Open();
    grid->MakeCurrentGrid();
    MakeGrid(2, 2)->MakeCurrentGrid(); // another grid took the focus meanwhile
    wxString report;
    wxCommandEvent click(wxEVT_BUTTON, res::ToWxId(ids::kTableSetupButton));
    wxTEST_DIALOG(dialog->ProcessWindowEvent(click), ReportSetupSeen(report));
    EXPECT_EQ(report, U("维修清单"));
    EXPECT_EQ(CGridCtrl::GetCurrentGrid(), grid) << "the printed grid is current again";
}

} // namespace
