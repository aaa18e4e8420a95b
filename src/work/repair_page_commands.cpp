// The buttons, the worker combo, the discount edits and "上次价" of the repair card.
#include "work/customer_card_data.h"
#include "work/discount_rules.h"
#include "work/line_fields.h"
#include "work/price_lookup.h"
#include "work/repair_page.h"
#include "work/vehicle_pick_dlg.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "data/wait_cursor.h"
#include "grid/grid_ctrl.h"
#include "grid/repair_print_dlg.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/repair_page_template.h"

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

using namespace res::repair_page;
using namespace work;

namespace {

int Ask(const wxString& text, unsigned type) {
    return platform::ShowMessageBox(text.utf8_string(), "", type);
}

} // namespace

void WXZY::OnCloseSheet() {
    CMainFrame* frame = CMainFrame::Get();
    CWorkSheet* sheet = GetSheet();
    if (!frame || !sheet) return;
    if (frame->m_dsMain.m_pGrid) frame->m_dsMain.m_pGrid->MakeCurrentGrid();
    if (sheet->m_rsLines && sheet->m_rsLines->IsOpen()) {
        sheet->m_rsLines->PutFilter(ado::Variant(0));
        SaveLines();
    }
    m_pGrid->SetTableName(m_pGrid->GetTableName() + U("维修"));
    frame->m_dsMain.SaveColumnWidths(m_pGrid);
    m_pGrid->SetTableName("zyxm");
    frame->CloseSheet(CMainFrame::SheetKind::Repair);
}

void WXZY::OnDeleteLine() {
    res::FindControl(this, kNewButton)->SetFocus();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() <= 1) return;
    const int row = m_pGrid->GetFocusCell().row;
    if (row <= 0 || row >= m_pGrid->GetRowCount()) {
        platform::ShowMessageBox("请先选取数据！");
        return;
    }
    rs->MoveFirst();
    rs->Move(row);
    rs->Delete();
    m_pGrid->DeleteRowAndRenumber(row);
    if (rs->RecordCount() > 1) {
        m_pGrid->SelectRow(row - 1);
    } else if (MoveToHeader()) {
        PutText(rs, "单位", "NO");
    }
    SaveLines();
    UpdateTotals();
}

void WXZY::OnNewLine() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen()) return;
    if (m_pGrid->IsSorted()) {
        rs->PutSort("");
        m_pGrid->m_nSortCol = -1;
        m_pGrid->LoadRecordset();
    }
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

void WXZY::OnSuspend() {
    if (IsWalkIn()) {
        platform::ShowMessageBox("该工作卡不允许挂起！");
        return;
    }
    CWorkSheet* sheet = GetSheet();
    if (MoveToHeader()) PutText(sheet->m_rsLines, "故障", "M_WX_GQ");
    if (!SaveLines()) return; // the card stays open with its lines
    if (!sheet->GetPicker())
        sheet->ShowVehiclePicker();
    else
        sheet->GetPicker()->AddSuspended(GetTitle());
    sheet->RemoveWorkPage(this);
}

void WXZY::OnPrint() {
    m_pGrid->MakeCurrentGrid();
    for (wxString& text : m_pGrid->PrintTexts)
        text.clear();
    auto* dialog = new CRepairPrintDlg(nullptr, m_pGrid);
    dialog->Show();
}

void WXZY::OnAbandon() {
    CWorkSheet* sheet = GetSheet();
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() == 0) return;
    MoveToHeader();
    const wxString prefix =
        FieldText(rs, "单位").Contains("YES") ? U("数据已存档 ") : U("数据还未存档，");
    if (Ask(prefix + U("放弃“") + GetTitle() + U("”的工作卡吗？"), platform::MB_YESNO) !=
        platform::IDYES)
        return;
    CWaitCursor wait;
    for (rs->MoveFirst(); !rs->EndOfFile();) {
        if (FieldText(rs, "客户") == GetTitle()) rs->Delete();
        rs->MoveNext();
    }
    SaveLines();
    if (!IsWalkIn()) {
        sheet->RemoveWorkPage(this);
        return;
    }
    rs->AddNew();
    PutText(rs, "客户", U(kWalkIn));
    PutText(rs, "no", "-1");
    PutText(rs, "flag", "W");
    rs->Update();
    OnSetActive();
}

void WXZY::OnCustomerData() {
    CMainFrame* frame = CMainFrame::Get();
    CWorkSheet* sheet = GetSheet();
    if (!frame) return;
    frame->m_bRecordSaved = false;
    frame->OpenForm(FormKind::CustomerRecords, 0, GetTitle());
    const wxString plate = sheet->m_strCustomer;
    sheet->m_strCustomer = GetTitle();
    if (!frame->m_bRecordSaved ||
        !ApplyCustomerData(frame->m_dsMain, sheet->m_rsLines, GetTitle(), plate)) {
        OnSetActive();
        return;
    }
    if (!SaveLines()) return;
    if (plate.CmpNoCase(GetTitle()) == 0) {
        OnSetActive();
        return;
    }
    // The card's lines carry the whole plate now: its page does too (the plate's own
    // page when one is open already).
    if (CWorkPage* page = sheet->FindWorkPage(plate))
        sheet->SelectWorkPage(page);
    else
        sheet->AddWorkPage(sheet->MakePage(plate), true);
    sheet->RemoveWorkPage(this);
}

void WXZY::OnSelchangeWorker() {
    if (m_pGrid->GetRowCount() < 2) return;
    auto* workers = res::Control<wxComboBox>(this, kWorkerCombo);
    const wxString name = workers->GetSelection() == wxNOT_FOUND ? wxString() : workers->GetValue();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    const int column = ColumnOf(U("作业人员"));
    if (const int row = m_pGrid->GetFocusCell().row; row > 0 && m_pGrid->MoveToRowRecord(row)) {
        PutText(rs, "作业人员", name);
        if (column > 0) m_pGrid->SetItemText(row, column, name);
    }
    rs->MoveFirst();
    rs->MoveNext();
    for (int row = 1; !rs->EndOfFile(); ++row, rs->MoveNext())
        if (FieldText(rs, "作业人员").empty()) {
            PutText(rs, "作业人员", name);
            if (column > 0 && row < m_pGrid->GetRowCount()) m_pGrid->SetItemText(row, column, name);
        }
    m_pGrid->Refresh(false);
    SaveLines();
}

// The discount is applied only once it has been checked: a refused one never reaches
// the lines or the table.
void WXZY::OnKillFocusPartsDiscount() {
    auto* edit = res::Control<wxTextCtrl>(this, kPartsDiscountEdit);
    if (!edit || m_bShowingHeader) return;
    CMainFrame* frame = CMainFrame::Get();
    const DiscountEntry entry = CheckPartsDiscount(
        edit->GetValue().Strip(wxString::both),
        UserDiscountTenths(frame ? frame->m_strRights : wxString()), SystemDiscountLimit());
    if (entry.kind == DiscountEntry::Refused) {
        platform::ShowMessageBox(entry.message.utf8_string());
        edit->ChangeValue("100");
        ApplyPartsDiscount(wxString());
        return;
    }
    const wxString value =
        entry.kind == DiscountEntry::None ? wxString() : wxString::Format("%d", entry.percent);
    if (MoveToHeader() && FieldText(GetSheet()->m_rsLines, "折扣") == value) return;
    ApplyPartsDiscount(value);
}

// Writes a card discount into the header and into the lines it governs.
void WXZY::ApplyDiscount(const char* field, const wxString& value,
                         bool (*governs)(const wxString& mark, const wxString& wx)) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!MoveToHeader()) return;
    const auto put = [&rs, field, &value] {
        if (value.empty())
            PutNull(rs, field);
        else
            PutText(rs, field, value);
    };
    put();
    ShowLineMarks();
    rs->MoveFirst();
    for (rs->MoveNext(); !rs->EndOfFile(); rs->MoveNext())
        if (governs(FieldText(rs, "其它"), FieldText(rs, "WX"))) put();
    SaveLines();
    UpdateTotals();
    MoveToHeader();
}

void WXZY::ApplyPartsDiscount(const wxString& value) {
    ApplyDiscount("折扣", value, &TakesPartsDiscount);
}

void WXZY::OnChangeLabourDiscount() {
    auto* edit = res::Control<wxTextCtrl>(this, kLabourDiscountEdit);
    if (!m_bLabourDiscountEditing || m_bShowingHeader || wxWindow::FindFocus() != edit) return;
    const DiscountEntry entry = ReadDiscount(edit->GetValue().Strip(wxString::both));
    if (entry.kind == DiscountEntry::Refused) return; // the typing is not done yet
    ApplyLabourDiscount(entry.kind == DiscountEntry::None ? wxString()
                                                          : wxString::Format("%d", entry.percent));
}

void WXZY::ApplyLabourDiscount(const wxString& value) {
    ApplyDiscount("手扣", value, &TakesLabourDiscount);
}

// The customer's last archived price of each line, or back to the retail price.
void WXZY::OnLastPrice() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || !rs || !rs->IsOpen() || rs->RecordCount() == 0) return;
    const bool last = res::Control<wxCheckBox>(this, kLastPriceCheck)->GetValue();
    LastPrices history;
    if (!history.Load(GetTitle())) return;
    frame->m_dsMain.BeginProgress(int(rs->RecordCount()));
    rs->MoveFirst();
    rs->MoveNext(); // the header's 编号 is the vehicle's colour, not an item
    for (; !rs->EndOfFile(); rs->MoveNext()) {
        frame->m_dsMain.StepProgress();
        double price = 0;
        if (!last) {
            if (!IsNullField(rs, "零售价")) PutNumber(rs, "单价", FieldNumber(rs, "零售价"));
        } else if (history.Find(FieldText(rs, "编号"), FieldText(rs, "项目名称"), &price)) {
            PutNumber(rs, "单价", price);
        }
    }
    frame->m_dsMain.EndProgress();
    SaveLines();
    UpdateTotals();
    OnSetActive();
    MoveToHeader();
}
