#include "parts/bin_alloc_dlg.h"

#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"
#include "res/order_page_template.h"
#include "work/guarded.h"

#include <wx/combobox.h>

using namespace res::bin_alloc;

CBinAllocDlg::CBinAllocDlg(const std::vector<parts::PartLine>& rows,
                           const std::vector<wxString>& stores, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString()) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::BinAllocTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->SetEditMode(true);
    m_pGrid->m_nHelpContext = kDialogId;
    m_pGrid->SetTableName("ljkc");
    m_pGrid->m_strReportName = U("入库单");
    auto* combo = res::Control<wxComboBox>(this, kStoreCombo);
    for (const wxString& store : stores)
        combo->Append(store);
    combo->Append(U("全部"));
    m_alloc.Open(
        U("select 编号,零件名称,货位,数量,厂牌,供应商,备注,单位,进价,批发价,零售价,"
          "零售价 as 小计,定货单,车型,部位,代理价,no from ljkc where 编号='####Last####'"));
    if (m_alloc.IsOpen()) {
        ado::Recordset& rs = *m_alloc.m_pRecordset;
        for (const parts::PartLine& row : rows) {
            rs.AddNew();
            parts::WriteLine(rs, row);
            rs.Update();
        }
    }
    Load();
    combo->Bind(wxEVT_COMBOBOX,
                [this](wxCommandEvent&) { work::Guarded([this] { OnWarehouseChange(); }); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { work::Guarded([this] { OnOK(); }); }, wxID_OK);
}

void CBinAllocDlg::Load() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || !m_alloc.IsOpen()) return;
    data_grid::LoadGrid(frame->m_dsMain, m_alloc.m_pRecordset, m_pGrid, wxString(), wxString(), 7,
                        0);
    m_pGrid->m_rsBound = m_alloc.m_pRecordset;
}

void CBinAllocDlg::OnWarehouseChange() {
    auto* combo = res::Control<wxComboBox>(this, kStoreCombo);
    const wxString store = combo->GetValue();
    ado::Recordset& rs = *m_alloc.m_pRecordset;
    if (store.empty() || store == U("全部"))
        rs.PutFilter(ado::Variant(0));
    else
        rs.PutFilter(ado::Variant(
            (U("货位 like ") + CSqlText::QuoteCriterion("%" + store + "%")).utf8_string()));
    Load();
}

void CBinAllocDlg::OnOK() {
    if (m_alloc.IsOpen()) {
        m_alloc.m_pRecordset->PutFilter(ado::Variant(0));
        m_rows = parts::ReadLines(*m_alloc.m_pRecordset);
    }
    EndModal(wxID_OK);
}
