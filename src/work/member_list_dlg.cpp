#include "work/member_list_dlg.h"

#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "res/control_ids.h"
#include "res/member_list_template.h"
#include "work/grid_dialog.h"
#include "work/member_card_rules.h"

#include <wx/datetime.h>

using namespace res::member_list;

namespace {
constexpr int kShownFields = 8; // 卡类别 to 金额
}

CMemberListDlg::CMemberListDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxEmptyString) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::MemberListTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->m_nHelpContext = kDialogId;
    m_pGrid->ResetToCorner();
    m_ds.Open(CSqlText::ReplaceParams("select ReplaceStr from ReplaceStr1", "*", "hyzl"));
    m_pGrid->SetTableName("hyzl");
    data_grid::LoadGrid(m_ds, m_ds.m_pRecordset, m_pGrid, wxString(), wxString(), kShownFields, 0);

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnExpired(); }, res::ToWxId(kExpiredButton));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnExit(); }, wxID_CANCEL);
    Centre();
}

void CMemberListDlg::OnExpired() {
    if (!m_ds.IsOpen()) return;
    const wxString filter = CMemberCardRules::ExpiredFilter(wxDateTime::Today().Format("%Y-%m-%d"));
    data_grid::LoadGrid(m_ds, m_ds.m_pRecordset, m_pGrid, wxString(), filter, kShownFields, 0);
}

void CMemberListDlg::OnExit() {
    FinishGridDialog(m_pGrid, m_ds);
    EndModal(wxID_CANCEL);
}
