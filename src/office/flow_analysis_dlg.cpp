#include "office/flow_analysis_dlg.h"

#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "data/date_range.h"
#include "office/office_forms.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/flow_analysis_template.h"

#include <wx/radiobut.h>
#include <wx/textctrl.h>

using namespace res::flow_analysis;

namespace {

const char* const kTitle = "数据流量分析";

wxTextCtrl* Edit(const wxWindow* dialog, int id) {
    return res::Control<wxTextCtrl>(dialog, id);
}

} // namespace

namespace office {

void RegisterFlowAnalysis() {
    CMainFrame::RegisterForm(FormKind::FlowAnalysis, [](CMainFrame& frame, int, const wxString&) {
        CFlowAnalysisDlg dialog(frame);
        dialog.ShowModal();
    });
}

} // namespace office

CFlowAnalysisDlg::CFlowAnalysisDlg(CMainFrame& frame)
    : wxDialog(&frame, wxID_ANY, wxEmptyString), m_frame(frame) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::FlowAnalysisTemplate());
    m_grid = res::Control<CGridCtrl>(this, kGrid);
    m_grid->ResetToCorner();
    m_grid->SetItemText(0, 0, " ");
    m_grid->m_strTitle = U(kTitle);
    m_grid->m_nHelpContext = kDialogId;

    wxString first, last;
    CDateRange::PreviousMonth(wxDateTime::Today(), first, last);
    Edit(this, kFromDateEdit)->ChangeValue(first);
    Edit(this, kToDateEdit)->ChangeValue(last);
    const FlowSettings settings = FlowSettings::Load();
    Edit(this, kSlowEdit)->ChangeValue(wxString::Format("%d", settings.slow));
    Edit(this, kBestEdit)->ChangeValue(wxString::Format("%d", settings.best));
    res::Control<wxRadioButton>(this, settings.basis == 1 ? kQuantityRadio : kAmountRadio)
        ->SetValue(true);

    for (int id : {kFromDateEdit, kToDateEdit})
        Edit(this, id)->Bind(wxEVT_KILL_FOCUS, [this, id](wxFocusEvent& event) {
            wxTextCtrl* edit = Edit(this, id);
            if (!edit->GetValue().Strip(wxString::both).empty())
                edit->ChangeValue(CDataSet::CheckValue(edit->GetValue(), 133, 8));
            event.Skip();
        });
    for (int id : {kSlowEdit, kBestEdit})
        Edit(this, id)->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
            SaveSettings();
            event.Skip();
        });
    res::BindButton(this, kPrintButton, &CFlowAnalysisDlg::OnPrint);
    res::BindButton(this, kSlowButton, &CFlowAnalysisDlg::OnSlowSellers);
    res::BindButton(this, kBestButton, &CFlowAnalysisDlg::OnBestSellers);
    res::BindButton(this, res::IDCANCEL, &CFlowAnalysisDlg::OnExit);
    Centre();
}

CFlowAnalysisDlg::~CFlowAnalysisDlg() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_grid->m_rsBound.reset();
}

bool CFlowAnalysisDlg::ByQuantity() const {
    return res::Control<wxRadioButton>(this, kQuantityRadio)->GetValue();
}

void CFlowAnalysisDlg::SaveSettings() {
    // A threshold that is no number is not stored; the list buttons report it.
    FlowSettings settings = FlowSettings::Load();
    long value = 0;
    if (CFlowAnalysis::CheckThreshold(Edit(this, kSlowEdit)->GetValue()).empty() &&
        Edit(this, kSlowEdit)->GetValue().ToLong(&value))
        settings.slow = int(value);
    if (CFlowAnalysis::CheckThreshold(Edit(this, kBestEdit)->GetValue()).empty() &&
        Edit(this, kBestEdit)->GetValue().ToLong(&value))
        settings.best = int(value);
    settings.basis = ByQuantity() ? 1 : 2;
    settings.Save();
}

bool CFlowAnalysisDlg::RunAnalysis() {
    const wxString from = Edit(this, kFromDateEdit)->GetValue().Strip(wxString::both);
    const wxString to = Edit(this, kToDateEdit)->GetValue().Strip(wxString::both);
    const wxString refusal = CDateRange::Check(from, to);
    if (!refusal.empty()) {
        platform::ShowMessageBox(refusal.utf8_string());
        return false;
    }
    m_grid->m_rsBound.reset();
    m_grid->DeleteNonFixedRows();
    if (!m_analysis.Run(from, to, ByQuantity(), m_dataSet, m_frame.m_dsMain)) return false;
    LoadResult();
    return true;
}

void CFlowAnalysisDlg::LoadResult() {
    const ado::RecordsetPtr& rs = m_dataSet.m_pRecordset;
    m_grid->DeleteNonFixedRows();
    m_grid->SetTableName(U(kTitle));
    data_grid::LoadGrid(m_frame.m_dsMain, rs, m_grid, wxString(), wxString(),
                        int(rs->Fields().Count()) - CFlowAnalysis::kHiddenFields, 0);
    m_grid->m_rsBound = rs;
}

void CFlowAnalysisDlg::ShowList(const wxString& filter, bool ascending) {
    if (!RunAnalysis()) return;
    const ado::RecordsetPtr& rs = m_dataSet.m_pRecordset;
    rs->PutFilter(ado::Variant(filter.utf8_string()));
    rs->PutSort(ascending ? U("总销售量 ASC").utf8_string() : U("总销售量 DESC").utf8_string());
    LoadResult();
    m_grid->Refresh();
}

void CFlowAnalysisDlg::OnBestSellers() {
    const wxString text = Edit(this, kBestEdit)->GetValue();
    const wxString refusal = CFlowAnalysis::CheckThreshold(text);
    if (!refusal.empty()) {
        platform::ShowMessageBox(refusal.utf8_string());
        return;
    }
    long value = 0;
    text.ToLong(&value);
    ShowList(CFlowAnalysis::BestSellersFilter(int(value)), false);
}

void CFlowAnalysisDlg::OnSlowSellers() {
    const wxString text = Edit(this, kSlowEdit)->GetValue();
    const wxString refusal = CFlowAnalysis::CheckThreshold(text);
    if (!refusal.empty()) {
        platform::ShowMessageBox(refusal.utf8_string());
        return;
    }
    long value = 0;
    text.ToLong(&value);
    ShowList(CFlowAnalysis::SlowSellersFilter(int(value)), true);
}

void CFlowAnalysisDlg::OnPrint() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_grid->MakeCurrentGrid();
    m_pPrintDlg = new CPrintOptionsDlg(this, m_grid);
    m_pPrintDlg->Show();
}

void CFlowAnalysisDlg::OnExit() {
    if (m_dataSet.m_pRecordset && m_dataSet.m_pRecordset->IsOpen())
        m_dataSet.m_pRecordset->PutFilter(ado::Variant(std::string()));
    m_frame.m_dsMain.SaveColumnWidths(m_grid);
    EndModal(wxID_CANCEL);
}
