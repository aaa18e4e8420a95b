// The repair card's own buttons, its discount edits and "上次价".
#include "work/customer_card_data.h"
#include "work/discount_rules.h"
#include "work/line_fields.h"
#include "work/price_lookup.h"
#include "work/repair_page.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "grid/grid_ctrl.h"
#include "grid/repair_print_dlg.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/repair_page_template.h"

#include <wx/checkbox.h>
#include <wx/textctrl.h>

using namespace res::repair_page;
using namespace work;

void WXZY::OnPrint() {
    m_pGrid->MakeCurrentGrid();
    for (wxString& text : m_pGrid->PrintTexts)
        text.clear();
    auto* dialog = new CRepairPrintDlg(nullptr, m_pGrid);
    dialog->Show();
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
    for (const ado::Variant& line : LineBookmarks()) {
        rs->PutBookmark(line);
        if (governs(FieldText(rs, "其它"), FieldText(rs, "WX"))) put();
    }
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
    // The header's 编号 is the vehicle's colour, not an item.
    const std::vector<ado::Variant> lines = LineBookmarks();
    frame->m_dsMain.BeginProgress(int(rs->RecordCount()));
    for (const ado::Variant& line : lines) {
        frame->m_dsMain.StepProgress();
        rs->PutBookmark(line);
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
