#include "office/statistics_dlg.h"

#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "data/date_range.h"
#include "office/office_forms.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/statistics_template.h"

#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::statistics;

namespace {

struct ModeView {
    int mode;
    const char* label; // of the object combo; null keeps "车牌号码"
    const char* list;  // the statement whose first column fills the combo
    const char* caption;
};
const ModeView kModeViews[] = {
    {1, "供应商", "select distinct 供应商 from jhda", "进货报表"},
    {2, "客户", "select distinct 客户 from ljsh where flag='P'", "售货报表"},
    {3, nullptr, "select distinct 客户 from ljsh where flag='W'", "维修报表"},
    {4, "卡类别", "select distinct 卡类别 from hyxm", "会员进度表"},
    {5, "单位",
     "select distinct 单位 from wlzm where 单位 not in(select distinct 车牌号码 from gk where "
     "结算单位 IS NOT NULL AND 结算单位!='' and 车牌号码 IS NOT NULL)",
     "应收款报表"},
    {6, "姓名", "select distinct 姓名 from ygk", "员工业绩表"},
    {7, "零件名称",
     "select distinct 项目名称 from ljsh where 项目名称 not in(select distinct 项目名称 from wxxm "
     "where 项目名称 IS NOT NULL)",
     "售货盘点表"},
    {8, "零件名称", "select distinct 零件名称 from ljkc", "库存盘点表"},
    {9, nullptr, nullptr, "营业汇总表"},
    {10, "部门", "select distinct 部门 from ygk", "利润汇总表"},
    {11, "姓名", "select distinct 姓名 from ygk", "员工提成表"},
    {13, "供应商", "select distinct 供应商 from dhd", "定货报表"},
};
const char* const kSettlementUnits =
    "select distinct 结算单位 from gk where 结算单位 IS NOT NULL AND 结算单位!=''";

const ModeView* FindModeView(int mode) {
    for (const ModeView& view : kModeViews)
        if (view.mode == mode) return &view;
    return nullptr;
}

} // namespace

namespace office {

void RegisterStatistics() {
    CMainFrame::RegisterForm(FormKind::Statistics,
                             [](CMainFrame& frame, int mode, const wxString&) {
                                 total dialog(frame, mode);
                                 dialog.ShowModal();
                             });
}

} // namespace office

total::total(CMainFrame& frame, int mode)
    : wxDialog(&frame, wxID_ANY, wxEmptyString), m_nMode(mode), m_frame(frame) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::StatisticsTemplate());
    m_grid = res::Control<CGridCtrl>(this, kGrid);
    m_pObject = res::Control<wxComboBox>(this, kObjectCombo);
    m_pFrom = res::Control<wxTextCtrl>(this, kFromDateEdit);
    m_pTo = res::Control<wxTextCtrl>(this, kToDateEdit);
    m_pSummary = res::Control<wxRadioButton>(this, kSummaryRadio);
    m_pTotal = res::Control<wxStaticText>(this, kTotalText);
    m_grid->ResetToCorner();
    m_grid->SetItemText(0, 0, " ");
    m_grid->m_nHelpContext = kDialogId;

    res::BindButton(this, kExitButton, &total::OnExit);
    SetEscapeId(res::ToWxId(kExitButton)); // Esc leaves as 退出 does
    res::BindButton(this, kAddButton, &total::OnAddLine);
    res::BindButton(this, kPrintButton, &total::OnPrint);
    res::BindButton(this, kStartButton, &total::OnStartStatistics);
    res::BindButton(this, kDeleteButton, &total::OnDeleteLine);
    res::BindButton(this, kArchiveButton, &total::OnEditArchive);
    m_pFrom->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        NormaliseDate(m_pFrom);
        event.Skip();
    });
    m_pTo->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        NormaliseDate(m_pTo);
        event.Skip();
    });
    SetUpMode();
    Centre();
}

total::~total() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    if (m_grid) m_grid->m_rsBound.reset();
}

void total::SetUpMode() {
    wxString first, last;
    CDateRange::PreviousMonth(wxDateTime::Today(), first, last);
    m_pFrom->ChangeValue(first);
    m_pTo->ChangeValue(last);
    m_pSummary->SetValue(true);
    const bool partner = m_nMode == kPartnerMode;
    const ModeView* view = FindModeView(partner ? 1 : m_nMode);
    if (!view) return;
    if (view->label) res::Control<wxStaticText>(this, kObjectLabel)->SetLabel(U(view->label));
    if (!partner) SetTitle(U(view->caption));
    const wxString today = wxDateTime::Today().Format("%Y-%m-%d");
    if (m_nMode == 9) {
        m_pObject->Hide();
        res::FindControl(this, kObjectLabel)->Hide();
        res::FindControl(this, kObjectGroup)->Hide();
    }
    if (m_nMode == 9 || m_nMode == 10) {
        m_pFrom->ChangeValue(today);
        m_pTo->ChangeValue(today);
    }
    if (m_nMode >= 9 && m_nMode <= 11) res::FindControl(this, kArchiveButton)->Show();
    if (view->list) {
        CDataSet& data = m_frame.m_dsMain;
        data.FillComboBox(U(view->list), m_pObject);
        if (m_nMode == 5) data.FillComboBox(U(kSettlementUnits), m_pObject);
    }
    m_pObject->Append(U("全部"));
    if (partner) {
        const wxString supplier = m_frame.m_strShared;
        if (!supplier.empty() && m_pObject->FindString(supplier, true) == wxNOT_FOUND)
            m_pObject->Append(supplier);
        m_pObject->SetSelection(m_pObject->FindString(supplier, true));
        m_nMode = 1;
        OnStartStatistics();
    } else {
        m_pObject->SetSelection(m_pObject->FindString(U("全部"), true));
        if (m_nMode == 9) OnStartStatistics();
    }
}

void total::NormaliseDate(wxTextCtrl* edit) {
    // An emptied edit stays empty; the run refuses it with a message.
    if (edit->GetValue().Strip(wxString::both).empty()) return;
    edit->ChangeValue(CDataSet::CheckValue(edit->GetValue(), 133, 8));
}

StatisticsRequest total::ReadRequest() const {
    StatisticsRequest request;
    request.mode = m_nMode;
    request.summary = m_pSummary->GetValue();
    const int chosen = m_pObject->GetSelection();
    if (chosen != wxNOT_FOUND) request.choice = m_pObject->GetString(chosen);
    request.from = m_pFrom->GetValue().Strip(wxString::both);
    request.to = m_pTo->GetValue().Strip(wxString::both);
    return request;
}

void total::OnStartStatistics() {
    m_pTotal->SetLabel(wxString());
    const StatisticsRequest request = ReadRequest();
    const wxString refusal = CStatisticsEngine::Check(request);
    if (!refusal.empty()) {
        platform::ShowMessageBox(refusal.utf8_string());
        return;
    }
    if (request.HasChoice()) m_pObject->SetValue(request.choice);
    m_grid->m_rsBound.reset();
    m_grid->DeleteNonFixedRows();
    if (!m_engine.Run(request, m_dataSet, m_frame.m_dsMain)) {
        m_grid->Refresh();
        return;
    }
    const StatisticsPlan& plan = m_engine.LastPlan();
    m_grid->m_strTitle = plan.title;
    m_grid->SetTableName(plan.title);
    const ado::RecordsetPtr& rs = m_dataSet.m_pRecordset;
    data_grid::LoadGrid(m_frame.m_dsMain, rs, m_grid, wxString(), wxString(),
                        int(rs->Fields().Count()) - plan.hiddenFields, 0);
    m_grid->m_rsBound = rs;
    ShowAmountTotal();
}

void total::ShowAmountTotal() {
    for (int id : {kAddButton, kDeleteButton, kPrintButton})
        res::FindControl(this, id)->Enable();
    int column = -1;
    for (int col = 1; col < m_grid->GetColumnCount(); ++col)
        if (m_grid->GetItemText(0, col) == U("金额")) {
            column = col;
            break;
        }
    const int rows = m_grid->GetRowCount();
    if (column < 0 || rows < 2) {
        m_pTotal->SetLabel(wxString());
        return;
    }
    // The engine's total row is not counted again.
    int last = rows - 1;
    if (m_grid->GetItemText(last, 1) == U("合计")) --last;
    double sum = 0;
    for (int row = 1; row <= last; ++row) {
        double value = 0;
        if (m_grid->GetItemText(row, column).ToCDouble(&value)) sum += value;
    }
    m_pTotal->SetLabel(CStatisticsEngine::AmountTotalText(sum));
}

void total::OnAddLine() {
    const ado::RecordsetPtr& rs = m_grid->m_rsBound;
    if (!rs || !rs->IsOpen()) return;
    // Lines follow the records: a sorted grid goes back to record order first.
    if (m_grid->IsSorted()) m_grid->ClearSort();
    const int above = m_grid->GetRowCount() - 1;
    ado::Variant previous;
    std::vector<ado::Variant> values;
    if (above >= 1 && m_grid->MoveToRowRecord(above))
        for (long i = 0; i < rs->Fields().Count(); ++i)
            values.push_back(rs->Fields().Item(int(i)).Value());
    rs->AddNew();
    ado::Fields& fields = rs->Fields();
    for (std::size_t i = 0; i < values.size(); ++i)
        fields.Item(int(i)).PutValue(values[i]);
    if (fields.IndexOf("no") >= 0) fields.Item("no").PutValue(ado::Variant(-(above + 1)));
    if (!m_pSummary->GetValue() && fields.IndexOf("日期") >= 0 &&
        fields.Item("日期").Value().IsNull())
        fields.Item("日期").PutValue(wxDateTime::Today().Format("%Y-%m-%d").utf8_string());
    rs->Update();
    m_grid->LoadRecordset();
    m_grid->SetEditMode(true);
    m_grid->SelectRow(m_grid->GetRowCount() - 1);
    m_grid->Refresh();
    ShowAmountTotal();
}

void total::OnDeleteLine() {
    const int row = m_grid->GetFocusCell().row;
    if (row < 1 || !m_grid->m_rsBound) return;
    // By the record the row shows, so a sorted grid loses the line the operator sees.
    if (!m_grid->MoveToRowRecord(row)) return;
    m_grid->m_rsBound->Delete(ado::adAffectCurrent);
    m_grid->DeleteRowAndRenumber(row);
    if (m_grid->m_rsBound->RecordCount() > 0 && row >= 2) m_grid->SelectRow(row - 1);
    ShowAmountTotal();
}

void total::OnEditArchive() {
    m_frame.m_strShared = m_pFrom->GetValue() + "," + m_pTo->GetValue();
    m_frame.OpenForm(FormKind::RepairArchive, 1, m_frame.m_strShared);
    OnStartStatistics();
}

void total::OnPrint() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_grid->MakeCurrentGrid();
    m_pPrintDlg = new CPrintOptionsDlg(this, m_grid);
    m_pPrintDlg->Show();
}

void total::OnExit() {
    if ((m_grid->m_bSizesChanged && !m_grid->GetTableName().empty()) || !m_grid->m_strTitle.empty())
        m_frame.m_dsMain.SaveColumnWidths(m_grid);
    EndModal(wxID_OK);
}
