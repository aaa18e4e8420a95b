// The buttons and the staff combo the line pages share.
#include "work/header_record.h"
#include "work/line_fields.h"
#include "work/line_page.h"
#include "work/line_pricing.h"
#include "work/vehicle_pick_dlg.h"
#include "work/work_sheet.h"

#include "data/wait_cursor.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/line_page_template.h"

#include <wx/combobox.h>

using namespace res::line_page;
using namespace work;

void CLinePage::OnClose() {
    CMainFrame* frame = CMainFrame::Get();
    CWorkSheet* sheet = GetSheet();
    if (!frame || !sheet) return;
    if (frame->m_dsMain.m_pGrid) frame->m_dsMain.m_pGrid->MakeCurrentGrid();
    if (sheet->m_rsLines && sheet->m_rsLines->IsOpen()) {
        sheet->m_rsLines->PutFilter(ado::Variant(0));
        SaveLines();
    }
    m_pGrid->SetTableName(U(m_kind.widthsKey));
    frame->m_dsMain.SaveColumnWidths(m_pGrid);
    m_pGrid->SetTableName("zyxm");
    frame->CloseSheet(m_kind.sheet);
}

// The line under the focus is found by its own record, so a sorted grid deletes the
// line the operator sees.
void CLinePage::OnDeleteLine() {
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
    else if (MoveToHeader())
        PutText(rs, "单位", "NO");
    SaveLines();
    UpdateTotals();
    if (rs->RecordCount() <= 1) { // no line left to total
        m_fTotal = 0;
        SetText(kTotalEdit, MoneyText(0));
    }
}

void CLinePage::OnNewLine() {
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

void CLinePage::OnSuspend() {
    if (IsWalkIn()) {
        platform::ShowMessageBox("该工作卡不允许挂起！");
        return;
    }
    CWorkSheet* sheet = GetSheet();
    // The mark on the header alone suspends the document, as the picker's resume
    // clears it there.
    if (MoveToHeader()) PutText(sheet->m_rsLines, "故障", "M_WX_GQ");
    if (!SaveLines()) return; // the document stays open with its lines
    if (!sheet->GetPicker()) {
        sheet->ShowVehiclePicker();
        if (m_kind.staysWhenPickerMade) return;
    } else {
        sheet->GetPicker()->AddSuspended(GetTitle());
    }
    sheet->RemoveWorkPage(this);
}

void CLinePage::OnAbandon() {
    CWorkSheet* sheet = GetSheet();
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() == 0) return;
    MoveToHeader();
    const wxString prefix =
        FieldText(rs, "单位").Contains("YES") ? U("数据已存档 ") : U("数据还未存档，");
    if (platform::ShowMessageBox(
            (prefix + U("放弃“") + GetTitle() + U("”的工作卡吗？")).utf8_string(), "",
            platform::MB_YESNO) != platform::IDYES)
        return;
    CWaitCursor wait;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
        if (FieldText(rs, "客户") == GetTitle()) rs->Delete();
    SaveLines();
    if (!IsWalkIn()) {
        sheet->RemoveWorkPage(this);
        return;
    }
    AddHeaderRecord(rs, GetTitle(), m_kind.flag);
    OnSetActive();
}

void CLinePage::OnStaffChange() {
    if (m_pGrid->GetRowCount() < 2) return;
    auto* staff = res::Control<wxComboBox>(this, kStaffCombo);
    const wxString name = staff->GetSelection() == wxNOT_FOUND ? wxString() : staff->GetValue();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    const wxString field = U(m_kind.staffField);
    const int column = ColumnOf(field);
    const char* key = m_kind.staffField;
    if (const int row = m_pGrid->GetFocusCell().row; row > 0 && m_pGrid->MoveToRowRecord(row)) {
        PutText(rs, key, name);
        if (column > 0) m_pGrid->SetItemText(row, column, name);
    }
    const std::vector<ado::Variant> lines = LineBookmarks();
    for (size_t i = 0; i < lines.size(); ++i) {
        rs->PutBookmark(lines[i]);
        if (!FieldText(rs, key).empty()) continue;
        PutText(rs, key, name);
        if (column > 0 && int(i) + 1 < m_pGrid->GetRowCount())
            m_pGrid->SetItemText(int(i) + 1, column, name);
    }
    m_pGrid->Refresh(false);
    SaveLines();
}

bool CLinePage::ReadyToSettle() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() <= 1) return false;
    if (m_pGrid->IsSorted()) m_pGrid->ClearSort();
    return SaveLines();
}
