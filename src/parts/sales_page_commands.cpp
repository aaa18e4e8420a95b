// The buttons and the salesperson combo of the sales ticket page.
#include "parts/sales_page.h"
#include "parts/sales_stock_check.h"
#include "parts/sales_ticket.h"

#include "app/main_frame.h"
#include "data/wait_cursor.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/sales_page_template.h"
#include "work/line_fields.h"
#include "work/vehicle_pick_dlg.h"
#include "work/work_sheet.h"

#include <wx/combobox.h>

using namespace res::sales_page;
using namespace work;
using namespace parts;

namespace {

bool AskYes(const wxString& text) {
    return platform::ShowMessageBox(text.utf8_string(), "", platform::MB_YESNO) == platform::IDYES;
}

} // namespace

void ljsh::OnClose() {
    CMainFrame* frame = CMainFrame::Get();
    CWorkSheet* sheet = GetSheet();
    if (!frame || !sheet) return;
    if (frame->m_dsMain.m_pGrid) frame->m_dsMain.m_pGrid->MakeCurrentGrid();
    if (sheet->m_rsLines && sheet->m_rsLines->IsOpen()) {
        sheet->m_rsLines->PutFilter(ado::Variant(0));
        SaveLines();
    }
    m_pGrid->SetTableName(U("zyxm配件"));
    frame->m_dsMain.SaveColumnWidths(m_pGrid);
    m_pGrid->SetTableName("zyxm");
    frame->CloseSheet(CMainFrame::SheetKind::Sales);
}

// The line under the focus is found by its own record, so a sorted grid deletes the
// line the operator sees.
void ljsh::OnDeleteLine() {
    res::FindControl(this, kNewButton)->SetFocus();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() == 0) return;
    const int row = m_pGrid->GetFocusCell().row;
    if (row <= 0 || row >= m_pGrid->GetRowCount() || !m_pGrid->MoveToRowRecord(row)) {
        platform::ShowMessageBox("请先选取数据！");
        return;
    }
    rs->Delete();
    m_pGrid->DeleteRowAndRenumber(row);
    if (rs->RecordCount() > 1)
        m_pGrid->SelectRow(row - 1);
    else if (MoveToTicketHeader(rs))
        PutText(rs, "单位", "NO");
    SaveLines();
    UpdateTotals();
    if (rs->RecordCount() <= 1) { // no line left to total
        m_fTotal = 0;
        SetText(kTotalEdit, FormatMoney(0));
    }
}

void ljsh::OnNewLine() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen()) return;
    if (m_pGrid->IsSorted()) m_pGrid->ClearSort();
    rs->AddNew();
    PutText(rs, "客户", GetTitle());
    AddLine(true);
    rs->Update();
    m_pGrid->AppendNewRecord();
    m_pGrid->SelectRow(-1);
    SaveLines();
    rs->MoveLast();
    m_pGrid->UpdateSheetRow(m_pGrid->GetRowCount() - 1);
}

void ljsh::OnSuspend() {
    if (IsWalkIn()) {
        platform::ShowMessageBox("该工作卡不允许挂起！");
        return;
    }
    CWorkSheet* sheet = GetSheet();
    // The mark on the header alone suspends the ticket, as the picker's resume clears
    // it there.
    if (MoveToTicketHeader(sheet->m_rsLines)) PutText(sheet->m_rsLines, "故障", "M_WX_GQ");
    if (!SaveLines()) return; // the ticket stays open with its lines
    if (!sheet->GetPicker()) {
        sheet->ShowVehiclePicker();
        return;
    }
    sheet->GetPicker()->AddSuspended(GetTitle());
    sheet->RemoveWorkPage(this);
}

void ljsh::OnPrint() {
    // The check reads the tables: the lines on screen go there first.
    SaveLines();
    if (!CheckStockForTickets()) return;
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_pGrid->MakeCurrentGrid();
    m_pPrintDlg = new CPrintOptionsDlg(nullptr, m_pGrid);
    m_pPrintDlg->Show();
    // The ticket keeps the number of its first print.
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (MoveToTicketHeader(rs) && IsNullField(rs, "货位")) {
        const wxString number = GetSheet()->GetDocNumber();
        GetSheet()->NextDocNumber();
        MoveToTicketHeader(rs);
        PutText(rs, "货位", number);
        SetText(kNumberEdit, number);
        SaveLines();
    }
}

bool ljsh::CheckStockForTickets() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen()) return true;
    std::vector<TicketPart> parts;
    for (const ado::Variant& line : TicketLines(rs)) {
        rs->PutBookmark(line);
        parts.push_back({FieldText(rs, "编号"), FieldText(rs, "项目名称")});
    }
    return parts::CheckStockForTickets(parts, &AskYes);
}

void ljsh::OnAbandon() {
    CWorkSheet* sheet = GetSheet();
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() == 0) return;
    MoveToTicketHeader(rs);
    const wxString prefix =
        FieldText(rs, "单位").Contains("YES") ? U("数据已存档 ") : U("数据还未存档，");
    if (!AskYes(prefix + U("放弃“") + GetTitle() + U("”的工作卡吗？"))) return;
    CWaitCursor wait;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
        if (FieldText(rs, "客户") == GetTitle()) rs->Delete();
    SaveLines();
    if (!IsWalkIn()) {
        sheet->RemoveWorkPage(this);
        return;
    }
    AddTicketHeader(rs, GetTitle());
    OnSetActive();
}

void ljsh::OnSalesmanChange() {
    if (m_pGrid->GetRowCount() < 2) return;
    auto* staff = res::Control<wxComboBox>(this, kStaffCombo);
    const wxString name = staff->GetSelection() == wxNOT_FOUND ? wxString() : staff->GetValue();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    const int column = ColumnOf(U("业务"));
    if (const int row = m_pGrid->GetFocusCell().row; row > 0 && m_pGrid->MoveToRowRecord(row)) {
        PutText(rs, "业务", name);
        if (column > 0) m_pGrid->SetItemText(row, column, name);
    }
    const std::vector<ado::Variant> lines = TicketLines(rs);
    for (size_t i = 0; i < lines.size(); ++i) {
        rs->PutBookmark(lines[i]);
        if (!FieldText(rs, "业务").empty()) continue;
        PutText(rs, "业务", name);
        if (column > 0 && int(i) + 1 < m_pGrid->GetRowCount())
            m_pGrid->SetItemText(int(i) + 1, column, name);
    }
    m_pGrid->Refresh(false);
    SaveLines();
}

void ljsh::OnArchive() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const wxString customer = GetSheet()->m_strCustomer;
    frame->m_strShared = customer;
    frame->OpenForm(FormKind::SalesArchive, 0, customer);
    GetSheet()->m_strCustomer = customer;
    m_pGrid->MakeCurrentGrid();
}

void ljsh::OnLedger() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || IsWalkIn()) return;
    frame->m_strShared = GetSheet()->m_strCustomer;
    frame->OpenForm(FormKind::PartnerLedger, 0, GetSheet()->m_strCustomer);
    m_pGrid->MakeCurrentGrid();
}
