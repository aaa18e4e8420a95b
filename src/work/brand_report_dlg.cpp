#include "work/brand_report_dlg.h"

#include "work/brand_report.h"
#include "work/guarded.h"

#include "app/company_data.h"
#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/brand_report_template.h"

#include <wx/button.h>
#include <wx/textctrl.h>

using namespace res::brand_report;

namespace {

constexpr int kGridRows = 11;

wxString EditText(wxWindow* dialog, int id) {
    return res::Control<wxTextCtrl>(dialog, id)->GetValue();
}

// The date typed, normalised in its edit; empty after a message when it is no date
// (an empty edit among them: the statement must never compare with an empty date).
wxString CheckedDate(wxWindow* dialog, int id) {
    auto* edit = res::Control<wxTextCtrl>(dialog, id);
    const wxString checked = CDataSet::CheckValue(edit->GetValue(), 133, 8);
    wxDateTime date;
    if (!date.ParseISODate(checked)) {
        platform::ShowMessageBox("日期不对，可能月份或天数不正确。");
        edit->SetFocus();
        return wxString();
    }
    edit->ChangeValue(checked);
    return checked;
}

} // namespace

void CBrandReportDlg::Register() {
    CMainFrame::RegisterForm(FormKind::BrandReport, [](CMainFrame& frame, int, const wxString&) {
        CBrandReportDlg dialog(&frame);
        dialog.ShowModal();
    });
}

CBrandReportDlg::CBrandReportDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxEmptyString) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::BrandReportTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->SetRowCount(kGridRows);
    m_pGrid->SetColumnCount(5);
    m_pGrid->SetFixedRowCount(1);
    m_pGrid->SetFixedColumnCount(1);
    const std::pair<const char*, int> columns[] = {{"NO", 32},
                                                   {"机种代码", 70},
                                                   {"不良部件编号/名称", 150},
                                                   {"不良现象说明", 140},
                                                   {"发生件数", 70}};
    for (int col = 0; col < 5; ++col) {
        m_pGrid->SetItemText(0, col, U(columns[col].first));
        m_pGrid->SetColumnWidth(col, columns[col].second);
    }
    for (int row = 0; row < kGridRows; ++row) {
        m_pGrid->SetRowHeight(row, 20);
        if (row > 0) m_pGrid->SetItemText(row, 0, wxString::Format("%d", row));
    }
    m_pGrid->SetEditMode(true);
    m_pGrid->m_strTitle = U("维修月报表");
    res::Control<wxTextCtrl>(this, kFromEdit)->ChangeValue("2004-01-01");
    res::Control<wxTextCtrl>(this, kToEdit)->ChangeValue(wxDateTime::Today().Format("%Y-%m-%d"));

    res::BindButton(this, kStatisticsButton, &CBrandReportDlg::OnStatistics);
    res::BindButton(this, kDeleteButton, &CBrandReportDlg::OnDelete);
    res::BindButton(this, kPrintButton, &CBrandReportDlg::OnPrint);
    Bind(wxEVT_CHAR_HOOK, &CBrandReportDlg::OnCharHook, this);
    Centre();
}

void CBrandReportDlg::OnStatistics() {
    const wxString from = CheckedDate(this, kFromEdit);
    const wxString to = CheckedDate(this, kToEdit);
    if (from.empty() || to.empty()) return;
    m_defects.Open(CBrandReport::DefectsStatement(from, to));
    if (!m_defects.IsOpen()) return; // reported; the grid keeps its rows
    long keep = 0;
    const wxString typed = EditText(this, kKeepRowsEdit).Strip(wxString::both);
    if (typed.empty() || !typed.ToLong(&keep)) keep = m_defects.m_pRecordset->RecordCount();
    data_grid::LoadGridEx(m_defects.m_pRecordset, m_pGrid, 4, static_cast<int>(keep));
    for (int row = 1; row < m_pGrid->GetRowCount(); ++row)
        m_pGrid->SetItemText(row, 0, wxString::Format("%d", row));
    m_pGrid->Refresh();
}

void CBrandReportDlg::OnDelete() {
    const int row = m_pGrid->GetFocusCell().row;
    if (row > 0 && row < m_pGrid->GetRowCount()) m_pGrid->DeleteRowAndRenumber(row);
    m_pGrid->Refresh();
}

void CBrandReportDlg::OnPrint() {
    std::vector<wxString> typed;
    for (int id = kCommentEdit; id <= kLastTypedEdit; ++id)
        typed.push_back(EditText(this, id));
    CCompanyData company;
    company.Load();
    const std::vector<wxString> items = {company.Get(CCompanyData::kName),
                                         company.Get(CCompanyData::kManager),
                                         company.Get(CCompanyData::kPhone1)};
    m_pGrid->PrintTexts = CBrandReport::PrintTexts(typed, items, wxDateTime::Today());
    m_pGrid->MakeCurrentGrid();
    m_print.Open(m_pGrid);
}

// Enter and the arrow keys move between the fields; Enter never closes the report.
void CBrandReportDlg::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    wxWindow* focus = FindFocus();
    const bool free = focus == res::FindControl(this, kCommentEdit) ||
                      (focus && (focus == m_pGrid || focus->GetParent() == m_pGrid));
    // The comment and the grid keep their keys; a button takes Enter as a press.
    if (free || dynamic_cast<wxButton*>(focus)) {
        event.Skip();
        return;
    }
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_DOWN) {
        Navigate(wxNavigationKeyEvent::IsForward);
        return;
    }
    if (key == WXK_UP) {
        Navigate(wxNavigationKeyEvent::IsBackward);
        return;
    }
    event.Skip();
}
