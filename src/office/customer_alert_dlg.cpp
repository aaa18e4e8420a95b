#include "office/customer_alert_dlg.h"

#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_notify.h"
#include "grid/print_options_dlg.h"
#include "office/customer_alert.h"
#include "office/office_forms.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/flow_analysis_template.h"

#include <wx/radiobut.h>
#include <wx/textctrl.h>

using namespace res::customer_alert;

namespace office {

void RegisterCustomerAlert() {
    CMainFrame::RegisterForm(FormKind::CustomerAlert, [](CMainFrame& frame, int, const wxString&) {
        CCustomerAlertDlg dialog(frame);
        dialog.ShowModal();
    });
}

} // namespace office

CCustomerAlertDlg::CCustomerAlertDlg(CMainFrame& frame)
    : wxDialog(&frame, wxID_ANY, wxEmptyString), m_frame(frame) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::CustomerAlertTemplate());
    m_listGrid = res::Control<CGridCtrl>(this, kListGrid);
    m_lineGrid = res::Control<CGridCtrl>(this, kLineGrid);
    for (CGridCtrl* grid : {m_listGrid, m_lineGrid}) {
        grid->ResetToCorner();
        grid->SetTableName("temp96");
        grid->m_nHelpContext = kDialogId;
    }
    res::Control<wxRadioButton>(this, kRepairRadio)->SetValue(true);
    res::Control<wxTextCtrl>(this, kFromDaysEdit)->ChangeValue("90");
    res::Control<wxTextCtrl>(this, kToDaysEdit)->ChangeValue("180");
    res::BindButton(this, kStartButton, &CCustomerAlertDlg::OnStart);
    res::BindButton(this, kDeleteButton, &CCustomerAlertDlg::OnDeleteRow);
    res::BindButton(this, kPrintButton, &CCustomerAlertDlg::OnPrint);
    // The lines follow the focus once per move: the grid reports the move when done.
    m_listGrid->Bind(qvEVT_GRID_NOTIFY, &CCustomerAlertDlg::OnListNotify, this);
    Centre();
}

CCustomerAlertDlg::~CCustomerAlertDlg() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_listGrid->m_rsBound.reset();
    m_lineGrid->m_rsBound.reset();
}

bool CCustomerAlertDlg::IsRepair() const {
    return res::Control<wxRadioButton>(this, kRepairRadio)->GetValue();
}

void CCustomerAlertDlg::OnListNotify(CGridNotifyEvent& event) {
    if (event.code == GVN_SELCHANGED) ShowCustomerLines();
    event.Skip();
}

void CCustomerAlertDlg::OnStart() {
    const wxString from = res::Control<wxTextCtrl>(this, kFromDaysEdit)->GetValue();
    const wxString to = res::Control<wxTextCtrl>(this, kToDaysEdit)->GetValue();
    for (const wxString& text : {from, to}) {
        const wxString refusal = CCustomerAlert::CheckDays(text);
        if (!refusal.empty()) {
            platform::ShowMessageBox(refusal.utf8_string());
            return;
        }
    }
    const bool repair = IsRepair();
    m_listGrid->SetTableName("QXBYCX");
    m_listGrid->m_rsBound.reset();
    m_listGrid->DeleteNonFixedRows();
    m_lineGrid->m_rsBound.reset();
    m_lineGrid->DeleteNonFixedRows();
    m_nShownRow = 0;
    SetTitle(CCustomerAlert::Title(repair));
    m_listGrid->m_strTitle = CCustomerAlert::Title(repair);
    if (!CCustomerAlert::Open(repair, CCustomerAlert::Days(from), CCustomerAlert::Days(to),
                              wxDateTime::Today(), m_listSet, m_frame.m_dsMain))
        return;
    m_listGrid->MakeCurrentGrid();
    data_grid::LoadGrid(m_frame.m_dsMain, m_listSet.m_pRecordset, m_listGrid, wxString(),
                        wxString(), CCustomerAlert::ListFields(repair), 0);
    m_listGrid->m_rsBound = m_listSet.m_pRecordset;
    m_listGrid->Refresh();
}

void CCustomerAlertDlg::ShowCustomerLines() {
    const int row = m_listGrid->GetFocusCell().row;
    if (row == m_nShownRow) return;
    m_nShownRow = row;
    if (row < 1 || row >= m_listGrid->GetRowCount()) return;
    const bool repair = IsRepair();
    m_lineSet.Open(CCustomerAlert::LinesStatement(repair, m_listGrid->GetItemText(row, 1)));
    m_lineGrid->m_rsBound.reset();
    m_lineGrid->DeleteNonFixedRows();
    if (!m_lineSet.m_bOpen) return;
    data_grid::LoadGrid(m_frame.m_dsMain, m_lineSet.m_pRecordset, m_lineGrid, wxString(),
                        wxString(), CCustomerAlert::LineFields(repair), 0);
    m_lineGrid->m_rsBound = m_lineSet.m_pRecordset;
    m_lineGrid->Refresh();
}

void CCustomerAlertDlg::OnDeleteRow() {
    const int row = m_listGrid->GetFocusCell().row;
    if (row < 1 || !m_listGrid->m_rsBound) return;
    // By the record the row shows, whatever the grid's order.
    if (!m_listGrid->MoveToRowRecord(row)) return;
    m_listGrid->m_rsBound->Delete(ado::adAffectCurrent);
    m_listGrid->DeleteRowAndRenumber(row);
    m_nShownRow = -1;
    if (row >= 2) m_listGrid->SelectRow(row - 1);
}

void CCustomerAlertDlg::OnPrint() {
    m_listGrid->MakeCurrentGrid();
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_pPrintDlg = new CPrintOptionsDlg(this, m_listGrid);
    m_pPrintDlg->Show();
}
