#include "work/follow_up_dlg.h"

#include "work/follow_up_query.h"
#include "work/guarded.h"

#include "app/main_frame.h"
#include "data/date_range.h"
#include "data/wait_cursor.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/follow_up_template.h"

#include <wx/textctrl.h>

using namespace res::follow_up;

namespace {
const char* const kItemsHint = "多个项目用逗号分开.";
}

void CFollowUpDlg::Register() {
    CMainFrame::RegisterForm(FormKind::FollowUp, [](CMainFrame&, int, const wxString&) {
        CFollowUpDlg dialog(nullptr);
        dialog.ShowModal();
    });
}

CFollowUpDlg::CFollowUpDlg(wxWindow* parent, const wxDateTime& today)
    : wxDialog(parent, wxID_ANY, wxEmptyString) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::FollowUpTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->m_strTitle = U("跟踪服务");
    m_pGrid->SetTableName("QXBYCX");

    wxString first, last;
    CDateRange::PreviousMonth(today, first, last);
    res::Control<wxTextCtrl>(this, kFromEdit)->ChangeValue(first);
    res::Control<wxTextCtrl>(this, kToEdit)->ChangeValue(last);
    res::Control<wxTextCtrl>(this, kLowPriceEdit)->ChangeValue("0");
    res::Control<wxTextCtrl>(this, kHighPriceEdit)->ChangeValue("100000");
    auto* items = res::Control<wxTextCtrl>(this, kItemsEdit);
    items->ChangeValue(U(kItemsHint));
    items->Bind(wxEVT_SET_FOCUS, [items](wxFocusEvent& event) {
        if (items->GetValue() == U(kItemsHint)) items->ChangeValue(wxString());
        event.Skip();
    });
    for (int id : {kFromEdit, kToEdit})
        res::FindControl(this, id)->Bind(wxEVT_KILL_FOCUS, [this, id](wxFocusEvent& event) {
            CheckDate(id);
            event.Skip();
        });

    res::BindButton(this, kShowButton, &CFollowUpDlg::OnShow);
    res::BindButton(this, kDeleteButton, &CFollowUpDlg::OnDelete);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { work::Guarded([this] { OnPrint(); }); }, wxID_OK);
    Centre();
}

wxString CFollowUpDlg::Text(int id) const {
    return res::Control<wxTextCtrl>(const_cast<CFollowUpDlg*>(this), id)->GetValue();
}

void CFollowUpDlg::CheckDate(int id) {
    auto* edit = res::Control<wxTextCtrl>(this, id);
    const wxString checked = CDataSet::CheckValue(edit->GetValue(), 133, 8);
    if (checked != edit->GetValue()) edit->ChangeValue(checked);
}

void CFollowUpDlg::OnShow() {
    const wxString items = Text(kItemsEdit);
    if (items.Strip(wxString::both).empty()) return;
    const wxString from = Text(kFromEdit), to = Text(kToEdit);
    const wxString statement =
        CFollowUpQuery::Statement(items, from, to, Text(kLowPriceEdit), Text(kHighPriceEdit));
    if (statement.empty()) {
        // A price or a date that is none would break the statement: the list stays.
        if (!CFollowUpQuery::ItemCondition(items).empty())
            platform::ShowMessageBox("数据格式不对！");
        return;
    }
    {
        CWaitCursor wait;
        if (!CFollowUpQuery::Load(m_list, statement, from, to)) return;
    }
    m_pGrid->ResetToCorner();
    data_grid::LoadGrid(m_list, m_list.m_pRecordset, m_pGrid, wxString(), wxString(), 0, 0);
    m_pGrid->Refresh();
}

void CFollowUpDlg::OnDelete() {
    res::FindControl(this, kDeleteButton)->SetFocus();
    m_pGrid->DeleteSelectedRecord();
}

void CFollowUpDlg::OnPrint() {
    m_pGrid->m_strTitle = U("跟踪服务");
    m_print.Open(m_pGrid);
}
