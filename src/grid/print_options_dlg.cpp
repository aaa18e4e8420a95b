#include "grid/print_options_dlg.h"

#include "data/main_frame_data.h"
#include "data/setting_files.h"
#include "data/sql_text.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/print_paper.h"
#include "grid/print_seam.h"
#include "grid/report_settings.h"
#include "grid/report_setup_dlg.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/modal_grab.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/print_options_template.h"

#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/printdlg.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

namespace ids = res::print_options;

namespace {

const char kCostSheetQuery[] =
    "select 车型,项目名称,编号,(单价*折扣*0.01) as 单价,进价,数量,(单价*折扣*0.01-进价)*数量 as "
    "毛利,厂牌,备注,折扣 from zyxm where 客户='ReplaceStr' and flag='ReplaceStr1'";

// A number typed into a digits-only box; an empty box gives the fallback.
int NumberOf(const wxWindow* dialog, int id, int fallback) {
    long value = fallback;
    if (auto* edit = res::Control<wxTextCtrl>(dialog, id)) {
        wxString text = edit->GetValue().Trim(true).Trim(false);
        if (!text.ToLong(&value)) value = fallback;
    }
    return static_cast<int>(value);
}

bool Checked(const wxWindow* dialog, int id) {
    if (auto* radio = res::Control<wxRadioButton>(dialog, id)) return radio->GetValue();
    if (auto* check = res::Control<wxCheckBox>(dialog, id)) return check->GetValue();
    return false;
}

bool Shown(const wxWindow* dialog, int id) {
    wxWindow* control = res::FindControl(dialog, id);
    return control && control->IsShown();
}

} // namespace

const wxString& CPrintOptionsDlg::RemarkHint() {
    static const wxString hint = U("若有其它内容要附在表上请在这里输入");
    return hint;
}

CPrintOptionsDlg::CPrintOptionsDlg(wxWindow* parent, CGridCtrl* grid)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE),
      m_pGrid(grid ? grid : CGridCtrl::GetCurrentGrid()) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::PrintOptionsTemplate());
    // Modeless beside lists that run modally: it must still take clicks and keys.
    platform::ExemptFromModalGrab(this);
    m_pCostGrid = res::Control<CGridCtrl>(this, ids::kGrid);

    res::Control<wxRadioButton>(this, ids::kPreviewRadio)->SetValue(true);
    res::Control<wxRadioButton>(this, ids::kBySettingsRadio)->SetValue(true);
    res::Control<wxRadioButton>(this, ids::kAllPagesRadio)->SetValue(true);
    res::Control<wxTextCtrl>(this, ids::kCopiesEdit)->ChangeValue("1");
    if (auto* spin = res::Control<wxSpinButton>(this, ids::kCopiesSpin)) {
        spin->SetRange(1, 10000);
        spin->SetValue(1);
    }
    res::Control<wxTextCtrl>(this, ids::kRemarkEdit)->ChangeValue(RemarkHint());

    const wxString title = m_pGrid ? m_pGrid->m_strTitle : wxString();
    if (title == U("零件售货单") || title == U("维修清单")) {
        const wxString options = CSettingFiles::ReadSettingFile("SystemSet");
        long option = 0;
        CSettingFiles::GetSettingValue(options, U("零件售货单")).ToLong(&option);
        if (option != 0) {
            auto* bill = res::Control<wxCheckBox>(this, ids::kBillCheck);
            bill->Show();
            bill->SetValue(true);
            res::FindControl(this, ids::kCostSheetCheck)->Show();
            ResetCostGrid();
            // The cost sheet's query must see the lines on screen.
            ActiveSheetLines sheet;
            if (g_pFrameData && GetActiveSheetLines(sheet) && sheet.lines) {
                g_pFrameData->m_dsMain.NumberRows(sheet.lines, "zyxm");
                g_pFrameData->m_dsMain.Save(sheet.lines);
            }
        }
    }

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOutput(); }, res::ToWxId(ids::kOutputButton));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Hide(); }, res::ToWxId(ids::kExitButton));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnPrintSetup(); },
        res::ToWxId(ids::kPrintSetupButton));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnReportSetup(); },
        res::ToWxId(ids::kReportSetupButton));
    Bind(wxEVT_RADIOBUTTON, &CPrintOptionsDlg::OnPageRangeChoice, this,
         res::ToWxId(ids::kAllPagesRadio));
    Bind(wxEVT_RADIOBUTTON, &CPrintOptionsDlg::OnPageRangeChoice, this,
         res::ToWxId(ids::kPageRangeRadio));
    res::FindControl(this, ids::kRemarkEdit)
        ->Bind(wxEVT_SET_FOCUS, &CPrintOptionsDlg::OnRemarkFocus, this);
    Bind(wxEVT_CLOSE_WINDOW, &CPrintOptionsDlg::OnClose, this);
}

void CPrintOptionsDlg::ResetCostGrid() {
    if (!m_pCostGrid) return;
    m_pCostGrid->ResetToCorner();
    m_pCostGrid->SetItemText(0, 0, "");
    m_pCostGrid->m_rsBound = std::make_shared<ado::Recordset>();
}

void CPrintOptionsDlg::OnPageRangeChoice(wxCommandEvent& event) {
    event.Skip();
    const bool range = Checked(this, ids::kPageRangeRadio);
    res::FindControl(this, ids::kFromPageEdit)->Enable(range);
    res::FindControl(this, ids::kToPageEdit)->Enable(range);
}

void CPrintOptionsDlg::OnRemarkFocus(wxFocusEvent& event) {
    event.Skip();
    auto* edit = res::Control<wxTextCtrl>(this, ids::kRemarkEdit);
    if (edit->GetValue() == RemarkHint()) edit->ChangeValue(wxString());
}

// A modeless dialog is hidden, never destroyed, by its close box: its opener owns it.
void CPrintOptionsDlg::OnClose(wxCloseEvent& event) {
    if (event.CanVeto()) {
        event.Veto();
        Hide();
    } else {
        event.Skip();
    }
}

void CPrintOptionsDlg::OnOutput() {
    CGridCtrl* grid = m_pGrid;
    if (!grid) {
        Hide();
        return;
    }
    const wxString remark = res::Control<wxTextCtrl>(this, ids::kRemarkEdit)->GetValue();
    grid->PrintTexts[26] =
        remark.empty() || remark == RemarkHint() ? wxString("##no print##") : remark;
    if (Checked(this, ids::kPageRangeRadio)) {
        grid->m_nFromPage = NumberOf(this, ids::kFromPageEdit, 0);
        grid->m_nToPage = NumberOf(this, ids::kToPageEdit, 99999);
    } else {
        grid->m_nFromPage = 0;
        grid->m_nToPage = 99999;
    }
    grid->m_nCopies = std::max(1, NumberOf(this, ids::kCopiesEdit, 1)) - 1;
    grid->m_nPrintMode = Checked(this, ids::kAsShownRadio) ? 0 : 1;

    const bool bill = Checked(this, ids::kBillCheck);
    const bool costShown = Shown(this, ids::kCostSheetCheck);
    const bool cost = costShown && Checked(this, ids::kCostSheetCheck);
    auto costSheet = [this]() {
        BuildCostSheet();
        m_pCostGrid->m_nPrintMode = 1;
        return m_pCostGrid;
    };
    if (Checked(this, ids::kPreviewRadio)) {
        (cost && !bill ? costSheet() : grid)->PrintPreview();
    } else if (Checked(this, ids::kPrintRadio)) {
        if (bill || !costShown) grid->Print();
        if (cost) costSheet()->Print();
    } else {
        CGridCtrl* target = cost ? costSheet() : grid;
        const wxString path = AskFileName(target->m_strTitle);
        if (path.empty()) return; // cancelled: the dialog stays
        SaveGridRecordset(target, path);
    }
    Hide();
}

void CPrintOptionsDlg::BuildCostSheet() {
    if (!m_pCostGrid) return;
    m_pCostGrid->DeleteNonFixedRows();
    ActiveSheetLines sheet;
    GetActiveSheetLines(sheet);
    const wxString query = CSqlText::ReplaceParams(U(kCostSheetQuery), sheet.customer, sheet.mode);
    if (g_pFrameData && data_grid::OpenIntoGrid(g_pFrameData->m_dsMain, query, m_pCostGrid) == 1) {
        ado::RecordsetPtr rs = m_pCostGrid->m_rsBound;
        data_grid::LoadGrid(g_pFrameData->m_dsMain, rs, m_pCostGrid, wxString(), wxString(), 0, 0);
        if (rs && rs->RecordCount() > 0) m_pCostGrid->DeleteRowAndRenumber(1);
    }
    m_pCostGrid->SetTableName("zyxm");
    m_pCostGrid->m_strTitle = U("成本数量单");
}

wxString CPrintOptionsDlg::AskFileName(const wxString& proposed) {
    wxFileDialog dialog(this, U("另存为"), wxString(), proposed, "*.*", wxFD_SAVE);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

bool CPrintOptionsDlg::SaveGridRecordset(CGridCtrl* grid, wxString path) {
    // The users file lives beside the tables' settings as printinfo.adtg; whatever
    // folder or extension is typed, that name is never written from here.
    if (wxFileName(path).GetName().Lower() == "printinfo") {
        platform::ShowMessageBox("系统文件，不允许操作！");
        return false;
    }
    if (!path.Contains(".adtg")) path += ".adtg";
    if (!grid || !grid->m_rsBound) {
        platform::ShowMessageBox("没有找到记录，操作被取消！");
        return false;
    }
    try {
        const std::string target = path.utf8_string();
        const std::string partial = target + ".part";
        platform::DeleteFile(partial);
        grid->m_rsBound->Save(partial);
        std::string error;
        if (!platform::MoveFile(partial, target, &error)) {
            platform::DeleteFile(partial);
            platform::ShowMessageBox("Unable to open file");
            return false;
        }
    } catch (const ado::ComError& failure) {
        CDataSet::ShowComError(failure);
        return false;
    }
    return true;
}

void CPrintOptionsDlg::OnReportSetup() {
    // The settings dialog opens on the current grid's report; its own preview grid
    // may take that place, so this dialog's grid is made current again after it.
    if (m_pGrid) m_pGrid->MakeCurrentGrid();
    {
        CReportSetupDlg dialog(this, m_pGrid);
        dialog.ShowModal();
    }
    if (m_pGrid) m_pGrid->MakeCurrentGrid();
}

void CPrintOptionsDlg::OnPrintSetup() {
    CGridCtrl* grid = CGridCtrl::GetCurrentGrid() ? CGridCtrl::GetCurrentGrid() : m_pGrid;
    const wxString report = grid ? grid->m_strTitle : wxString();
    ReportSettingsRecord settings = LoadReportSettings(report);
    wxPageSetupDialogData data(GridPrinterSettings());
    const wxPaperSize paper = PaperFromCode(settings.Get(ReportSettingsRecord::Int::PaperCode));
    if (paper != wxPAPER_NONE) data.GetPrintData().SetPaperId(paper);
    wxPageSetupDialog dialog(this, &data);
    if (dialog.ShowModal() == wxID_OK)
        GridPrinterSettings() = dialog.GetPageSetupData().GetPrintData();
}
