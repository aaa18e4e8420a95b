#include "office/query_result_dlg.h"

#include "app/main_frame.h"
#include "app/order_hand_over.h"
#include "data/wait_cursor.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "office/office_forms.h"
#include "office/record_values.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/query_result_template.h"

#include <wx/artprov.h>
#include <wx/button.h>

using namespace res::query_result;
using office::FieldIsNull;
using office::FieldText;

namespace {

struct ListView {
    CAlertQueries::Kind kind;
    const char* table; // the grid's table name, keying its column widths
    int fields;        // leading fields shown
};
const ListView kViews[] = {
    {CAlertQueries::Kind::Shortage, "零件缺货", 6},   {CAlertQueries::Kind::Surplus, "零件溢出", 6},
    {CAlertQueries::Kind::Maintenance, "QXBYCX", 14}, {CAlertQueries::Kind::Inspection, "", 10},
    {CAlertQueries::Kind::Birthday, "", 11},
};

const ListView* FindView(CAlertQueries::Kind kind) {
    for (const ListView& view : kViews)
        if (view.kind == kind) return &view;
    return nullptr;
}

const char* const kBrief = "简捷(&J)";
const char* const kFull = "详细(&J)";

} // namespace

namespace office {

void RegisterQueryResult() {
    CMainFrame::RegisterForm(FormKind::QueryResult,
                             [](CMainFrame& frame, int, const wxString& kind) {
                                 CQueryResultDlg dialog(frame, kind);
                                 dialog.ShowModal();
                             });
}

} // namespace office

CQueryResultDlg::CQueryResultDlg(CMainFrame& frame, const wxString& kind)
    : wxDialog(&frame, wxID_ANY, wxEmptyString), m_strKind(kind), m_frame(frame),
      m_kind(CAlertQueries::KindOf(kind)), m_images(16, 16, true) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::QueryResultTemplate());
    m_grid = res::Control<CGridCtrl>(this, kGrid);
    m_grid->ResetToCorner();
    m_grid->SetItemText(0, 0, "  ");
    m_grid->m_nHelpContext = kDialogId;
    m_images.Add(wxArtProvider::GetBitmap(wxART_TICK_MARK, wxART_OTHER, wxSize(16, 16)));
    m_grid->SetImageList(&m_images);

    res::BindButton(this, kBriefButton, &CQueryResultDlg::OnToggleBrief);
    res::BindButton(this, kPrintButton, &CQueryResultDlg::OnPrint);
    res::BindButton(this, kMarkAllButton, &CQueryResultDlg::OnMarkAll);
    res::BindButton(this, kPendingButton, &CQueryResultDlg::OnShowPending);
    res::BindButton(this, kMarkButton, &CQueryResultDlg::OnMark);
    res::BindButton(this, kOrderButton, &CQueryResultDlg::OnOrder);
    res::BindButton(this, res::IDCANCEL, &CQueryResultDlg::OnExit);
    Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& event) {
        // Enter never closes the list.
        if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER) return;
        event.Skip();
    });
    LoadList();
    Centre();
}

CQueryResultDlg::~CQueryResultDlg() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_grid->SetImageList(nullptr);
    m_grid->m_rsBound.reset();
}

void CQueryResultDlg::LoadList() {
    CWaitCursor wait;
    const ListView* view = FindView(m_kind);
    if (!view) return;
    SetTitle(m_strKind);
    m_grid->SetTableName(U(view->table));
    m_grid->m_strTitle = m_strKind;
    m_grid->m_rsBound.reset();
    m_grid->DeleteNonFixedRows();
    if (!CAlertQueries::Open(m_kind, wxDateTime::Today(), m_dataSet, m_frame.m_dsMain)) return;
    m_grid->MakeCurrentGrid();
    data_grid::LoadGrid(m_frame.m_dsMain, m_dataSet.m_pRecordset, m_grid, wxString(), wxString(),
                        view->fields, 0);
    m_grid->m_rsBound = m_dataSet.m_pRecordset;
    const wxString flag = CAlertQueries::FlagField(m_kind);
    if (!flag.empty()) MarkFlaggedRows(flag);
    if (m_kind == CAlertQueries::Kind::Shortage || m_kind == CAlertQueries::Kind::Surplus)
        ShowOrderButton(m_kind == CAlertQueries::Kind::Surplus);
    m_grid->Refresh();
}

void CQueryResultDlg::MarkFlaggedRows(const wxString& field) {
    const std::string name = field.utf8_string();
    for (int row = 1; row < m_grid->GetRowCount(); ++row)
        if (m_grid->MoveToRowRecord(row) && FieldText(m_grid->m_rsBound, name.c_str()) == "T")
            m_grid->SetItemImage(row, 0, 0);
}

void CQueryResultDlg::ShowOrderButton(bool keepHidden) {
    res::FindControl(this, kOrderButton)->Show(!keepHidden);
    for (int id : {kBriefButton, kMarkAllButton, kPendingButton, kMarkButton})
        res::FindControl(this, id)->Hide();
}

int CQueryResultDlg::PlateColumn() const {
    for (int col = 1; col < m_grid->GetColumnCount(); ++col)
        if (m_grid->GetItemText(0, col) == U("车牌号码")) return col;
    return -1;
}

bool CQueryResultDlg::IsBrief() const {
    return res::Control<wxButton>(this, kBriefButton)->GetLabel() == U(kFull);
}

void CQueryResultDlg::OnToggleBrief() {
    auto* button = res::Control<wxButton>(this, kBriefButton);
    if (IsBrief()) {
        button->SetLabel(U(kBrief));
        LoadList();
        return;
    }
    button->SetLabel(U(kFull));
    const bool maintenance = m_kind == CAlertQueries::Kind::Maintenance;
    if (maintenance) m_grid->m_strTitle = U("保养车辆");
    const int keep = m_kind == CAlertQueries::Kind::Birthday ? 9 : 7;
    while (m_grid->GetColumnCount() > keep)
        m_grid->DeleteColumn(keep);
    if (maintenance) {
        const int plate = PlateColumn();
        int number = 0;
        for (int row = 1; plate > 0 && row < m_grid->GetRowCount(); ++row) {
            while (row + 1 < m_grid->GetRowCount() &&
                   m_grid->GetItemText(row + 1, plate) == m_grid->GetItemText(row, plate)) {
                // A vehicle counts as handled only when all its due items are.
                if (m_grid->GetItemImage(row + 1, 0) < 0) m_grid->SetItemImage(row, 0, -1);
                m_grid->DeleteRow(row + 1);
            }
            m_grid->SetItemText(row, 0, wxString::Format("%d", ++number));
        }
    }
    m_grid->Refresh();
}

void CQueryResultDlg::OnPrint() {
    m_grid->MakeCurrentGrid();
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_pPrintDlg = new CPrintOptionsDlg(this, m_grid);
    m_pPrintDlg->Show();
}

void CQueryResultDlg::OnMarkAll() {
    const int plate = PlateColumn();
    if (plate < 0 || m_grid->GetRowCount() < 2) return;
    CWaitCursor wait;
    std::vector<wxString> plates;
    for (int row = 1; row < m_grid->GetRowCount(); ++row) {
        const wxString text = m_grid->GetItemText(row, plate);
        if (std::find(plates.begin(), plates.end(), text) == plates.end()) plates.push_back(text);
    }
    CDataProgress progress(U("正在保存数据..."), 50, 100, false);
    CAlertQueries::MarkAll(m_kind, plates, m_frame.m_dsMain);
    progress.StepIt();
    for (int row = 1; row < m_grid->GetRowCount(); ++row)
        m_grid->SetItemImage(row, 0, 0);
    m_grid->Refresh();
}

void CQueryResultDlg::OnShowPending() {
    int number = 0;
    for (int row = 1; row < m_grid->GetRowCount();) {
        if (m_grid->GetItemImage(row, 0) >= 0) {
            m_grid->DeleteRow(row);
            continue;
        }
        m_grid->SetItemText(row, 0, wxString::Format("%d", ++number));
        ++row;
    }
    m_grid->Refresh();
}

void CQueryResultDlg::OnMark() {
    const int plate = PlateColumn();
    const int focus = m_grid->GetFocusCell().row;
    if (plate < 0 || focus < 1 || focus >= m_grid->GetRowCount()) return;
    CWaitCursor wait;
    const wxString vehicle = m_grid->GetItemText(focus, plate);
    CAlertQueries::Mark(m_kind, vehicle, m_frame.m_dsMain);
    // Every row of the vehicle: all its due items were marked.
    for (int row = 1; row < m_grid->GetRowCount(); ++row)
        if (m_grid->GetItemText(row, plate) == vehicle) m_grid->SetItemImage(row, 0, 0);
    m_grid->Refresh();
}

void CQueryResultDlg::OnOrder() {
    if (m_frame.IsTokenDenied(21)) {
        platform::ShowMessageBox("超出权限,无效操作!");
        return;
    }
    const ado::RecordsetPtr& rs = m_dataSet.m_pRecordset;
    if (rs && rs->IsOpen() && rs->RecordCount() > 0) {
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
            OrderLine line{FieldText(rs, "车型"), FieldText(rs, "零件名称"), FieldText(rs, "编号"),
                           "1"};
            if (!FieldIsNull(rs, "缺货量") && rs->Fields().Item("缺货量").Value().ToDouble() > 0)
                line.quantity = FieldText(rs, "缺货量");
            COrderHandOver::Add(line);
        }
        m_frame.OpenForm(FormKind::OrderSheet, 1);
    }
    EndModal(wxID_OK);
}

void CQueryResultDlg::OnExit() {
    if ((m_grid->m_bSizesChanged && !m_grid->GetTableName().empty()) || !m_grid->m_strTitle.empty())
        m_frame.m_dsMain.SaveColumnWidths(m_grid);
    EndModal(wxID_CANCEL);
}
