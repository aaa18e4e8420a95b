#include "work/maintenance_due_dlg.h"

#include "work/active_sheet.h"
#include "work/guarded.h"
#include "work/work_page.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "data/data_set.h"
#include "data/record_fields.h"
#include "platform/wx_text.h"
#include "res/maintenance_due_template.h"

#include <wx/listctrl.h>
#include <wx/utils.h>

using namespace res::maintenance_due;

namespace {

constexpr int kNameColumn = 1;
constexpr int kCodeColumn = 6;
constexpr int kMethodColumn = 7;

void FocusActivePage() {
    CMainFrame* frame = CMainFrame::Get();
    auto* sheet = frame ? dynamic_cast<CWorkSheet*>(frame->m_pActiveSheet) : nullptr;
    if (sheet && sheet->GetActiveWorkPage()) sheet->GetActiveWorkPage()->SetFocus();
}

} // namespace

void CMaintenanceDueDlg::Register() {
    CDataSet::SetMaintenanceDueViewer([](CDataSet& dueList) {
        // Several lists may stay open side by side; each closes itself.
        auto* dialog = new CMaintenanceDueDlg(nullptr, dueList);
        dialog->Show();
    });
    CMainFrame::RegisterForm(
        FormKind::MaintenanceDue, [](CMainFrame& frame, int mode, const wxString& plate) {
            work::Guarded([&] { frame.m_dsMain.CheckMaintenanceDue(plate, mode); });
        });
}

CMaintenanceDueDlg::CMaintenanceDueDlg(wxWindow* parent, CDataSet& dueList)
    : wxDialog(parent, wxID_ANY, wxEmptyString) {
    res::BuildDialog(this, res::MaintenanceDueTemplate());
    m_pList = res::Control<wxListCtrl>(this, kList);
    m_pList->SetSingleStyle(wxLC_SINGLE_SEL);
    m_pList->SetTextColour(*wxRED);
    const std::pair<const char*, int> columns[] = {{"序号", 50},  {"项目名称", 100}, {"日期", 80},
                                                   {"码表", 80},  {"保养里程", 80},  {"单价", 80},
                                                   {"编号", 120}, {"处理方法", 120}};
    for (const auto& [title, width] : columns)
        m_pList->AppendColumn(U(title), wxLIST_FORMAT_LEFT, width);

    wxBusyCursor wait;
    if (dueList.IsOpen() && dueList.m_pRecordset->RecordCount() > 0) {
        ado::Recordset& rs = *dueList.m_pRecordset;
        ado::Fields& fields = rs.Fields();
        long row = 0;
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext(), ++row) {
            const long item = m_pList->InsertItem(row, wxString::Format("%ld", row + 1));
            m_pList->SetItemData(item, row);
            for (int f = 0; f < fields.Count() && f < kMethodColumn; ++f)
                m_pList->SetItem(item, f + 1, FieldText(rs, fields.Item(f).Name().c_str()));
        }
    }

    res::BindButton(this, kDispatchOne, &CMaintenanceDueDlg::OnDispatch);
    res::BindButton(this, kSimplify, &CMaintenanceDueDlg::OnSimplify);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { work::Guarded([this] { OnOK(); }); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); }, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { OnCancel(); });
    m_pList->Bind(wxEVT_LIST_ITEM_SELECTED, &CMaintenanceDueDlg::OnRowClicked, this);
    m_pList->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CMaintenanceDueDlg::OnRowClicked, this);
    Centre();
}

void CMaintenanceDueDlg::OnRowClicked(wxListEvent& event) {
    work::Guarded([this] { OnDispatch(); });
    event.Skip();
}

void CMaintenanceDueDlg::OnDispatch() {
    const long row = m_pList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (row < 0) return;
    const long key = static_cast<long>(m_pList->GetItemData(row));
    if (m_dispatched.count(key)) return;
    const wxString name = m_pList->GetItemText(row, kNameColumn);
    const wxString code = m_pList->GetItemText(row, kCodeColumn);
    if (!active_sheet::AddDueItem(name, code)) return;
    m_dispatched.insert(key);
    m_pList->SetItemTextColour(row, *wxLIGHT_GREY);
    m_pList->SetFocus();
}

void CMaintenanceDueDlg::OnOK() {
    for (long row = 0; row < m_pList->GetItemCount(); ++row) {
        m_pList->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        OnDispatch();
    }
    FocusActivePage();
    Close(wxID_OK);
}

void CMaintenanceDueDlg::OnCancel() {
    FocusActivePage();
    Close(wxID_CANCEL);
}

void CMaintenanceDueDlg::OnSimplify() {
    for (long row = 0; row < m_pList->GetItemCount();) {
        const wxString method = m_pList->GetItemText(row, kMethodColumn);
        if (method == U("保养") || method == U("检查"))
            m_pList->DeleteItem(row);
        else
            ++row;
    }
}

void CMaintenanceDueDlg::Close(int result) {
    SetReturnCode(result);
    if (IsModal())
        EndModal(result);
    else
        Destroy();
}
