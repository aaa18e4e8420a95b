#include "app/data_tidy_dlg.h"

#include "app/main_frame.h"
#include "data/data_set.h"
#include "data/data_tidy.h"
#include "data/table_catalog.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/data_tidy_template.h"

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/datetime.h>
#include <wx/textctrl.h>

using namespace res::data_tidy;

void CDataTidyDlg::Register() {
    CMainFrame::RegisterForm(FormKind::DataTidy, [](CMainFrame& frame, int, const wxString&) {
        CDataTidyDlg dialog(&frame);
        dialog.ShowModal();
    });
}

CDataTidyDlg::CDataTidyDlg(CMainFrame* frame)
    : wxDialog(frame, wxID_ANY, wxEmptyString), m_pFrame(frame) {
    res::BuildDialog(this, res::DataTidyTemplate());
    m_pTable = res::Control<wxComboBox>(this, kTableCombo);
    m_pAll = res::Control<wxCheckBox>(this, kAllCheck);
    m_pFromDate = res::Control<wxTextCtrl>(this, kFromDateEdit);
    m_pToDate = res::Control<wxTextCtrl>(this, kToDateEdit);

    CTableCatalog catalog;
    for (const wxString& code : CDataTidy::TableCodes())
        m_pTable->Append(catalog.GetTableTitle(code));
    m_pFromDate->ChangeValue("2004-01-01");
    m_pToDate->ChangeValue(wxDateTime::Today().Format("%Y-%m-%d"));

    m_pAll->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnAll(); });
    m_pFromDate->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        OnKillfocusFromDate();
        event.Skip();
    });
    m_pToDate->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        OnKillfocusToDate();
        event.Skip();
    });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnDelete(); }, res::ToWxId(kDeleteButton));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnRepair(); }, res::ToWxId(kRepairButton));
    Centre();
}

void CDataTidyDlg::OnAll() {
    m_pTable->Enable(!m_pAll->IsChecked());
}

void CDataTidyDlg::OnKillfocusFromDate() {
    m_pFromDate->ChangeValue(CDataSet::CheckValue(m_pFromDate->GetValue(), 133, 8));
}

void CDataTidyDlg::OnKillfocusToDate() {
    m_pToDate->ChangeValue(CDataSet::CheckValue(m_pToDate->GetValue(), 133, 8));
}

wxString CDataTidyDlg::ChosenCode() const {
    const int chosen = m_pTable->GetSelection();
    if (chosen == wxNOT_FOUND) return wxString();
    return CTableCatalog().GetTableCode(m_pTable->GetString(chosen));
}

bool CDataTidyDlg::NoWorkPages() const {
    if (!m_pFrame->m_pActiveSheet) return true;
    platform::ShowMessageBox("还有工作页面,请关闭后再进行本项操作！");
    return false;
}

void CDataTidyDlg::OnOK() {
    if (!NoWorkPages()) return;
    CDataTidy tidy(*m_pFrame);
    if (m_pAll->IsChecked()) {
        tidy.RebuildAll();
    } else if (const wxString code = ChosenCode(); !code.empty()) {
        tidy.RebuildOne(code);
    }
}

void CDataTidyDlg::OnDelete() {
    // The empty date the check gives for an empty edit means no bound.
    auto bound = [](const wxTextCtrl* edit) {
        const wxString text = edit->GetValue().Strip(wxString::both);
        return text == "0:00:00" ? wxString() : text;
    };
    CDataTidy tidy(*m_pFrame);
    if (m_pAll->IsChecked()) {
        tidy.DeleteRows(wxString(), bound(m_pFromDate), bound(m_pToDate));
    } else if (const wxString code = ChosenCode(); !code.empty()) {
        tidy.DeleteRows(code, bound(m_pFromDate), bound(m_pToDate));
    }
}

void CDataTidyDlg::OnRepair() {
    // A repair works on one table: with "全部" ticked or no table chosen it says so
    // instead of doing nothing.
    if (m_pAll->IsChecked()) {
        platform::ShowMessageBox("修复一次只修复一个表，请取消“全部”并选择要修复的表。");
        return;
    }
    const wxString code = ChosenCode();
    if (code.empty()) {
        platform::ShowMessageBox("请先选择要修复的表。");
        return;
    }
    if (NoWorkPages()) CDataTidy(*m_pFrame).Repair(code);
}
