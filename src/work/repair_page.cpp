#include "work/repair_page.h"
#include "work/discount_rules.h"
#include "work/guarded.h"
#include "work/line_fields.h"
#include "work/line_pricing.h"
#include "work/price_lookup.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"
#include "res/repair_page_template.h"

#include <cmath>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

using namespace res::repair_page;
using namespace work;

// The card shows and prints the first twelve fields; the rest (the plate, the other
// price levels, the shop's cost, the marks and the keys) stay behind the grid.
const char* const WXZY::kLinesStatement =
    "select 项目名称,编号,单价,单位,数量,货位,小计,作业人员,备注,故障,厂牌,折扣,客户,车型,手扣,"
    "零售价,批发价,进价,其它,WX,flag,no from zyxm where flag like '%W%'";

namespace {

constexpr int kShownFields = 12;

const LinePageKind kRepairCard = {&res::RepairPageTemplate,
                                  kDialogId,
                                  WXZY::kLinesStatement,
                                  "W",
                                  "维修清单",
                                  "zyxm维修",
                                  kShownFields,
                                  "作业人员",
                                  "维修",
                                  CMainFrame::SheetKind::Repair,
                                  kNoteEdit,
                                  false};

} // namespace

WXZY::WXZY(CWorkSheet* sheet, const wxString& title) : CLinePage(sheet, title, kRepairCard) {
    for (int id : {kPartsDiscountSpin, kLabourDiscountSpin})
        res::Control<wxSpinButton>(this, id)->SetRange(0, kMaxDiscount);
    BindEvents();
}

WXZY::~WXZY() = default;

void WXZY::BindEvents() {
    // The vehicle's other forms open through the frame's openers.
    const auto form = [this](FormKind kind, int mode, bool handOver) {
        return [this, kind, mode, handOver] {
            CMainFrame* frame = CMainFrame::Get();
            if (!frame) return;
            if (handOver) frame->m_strShared = GetTitle();
            const wxString customer = GetSheet()->m_strCustomer;
            frame->OpenForm(kind, mode, GetTitle());
            GetSheet()->m_strCustomer = customer;
            m_pGrid->MakeCurrentGrid();
        };
    };
    BindButton(kArchiveButton, form(FormKind::RepairArchive, 0, true));
    BindButton(kMaintenanceButton, form(FormKind::MaintenanceDue, 1, false));
    BindButton(kServiceButton, form(FormKind::MemberCards, 1, true));

    if (auto* check = res::Control<wxCheckBox>(this, kLastPriceCheck))
        check->Bind(wxEVT_CHECKBOX,
                    [this](wxCommandEvent&) { Guarded([this] { OnLastPrice(); }); });
    auto* mileage = res::Control<wxTextCtrl>(this, kMileageEdit);
    mileage->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { Guarded([this] { OnChangeMileage(); }); });
    // The parts discount is checked when the operator leaves it, before it is applied.
    auto* parts = res::Control<wxTextCtrl>(this, kPartsDiscountEdit);
    parts->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        m_bPartsDiscountEditing = true;
        e.Skip();
    });
    parts->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        m_bPartsDiscountEditing = false;
        CallAfter([this] { Guarded([this] { OnKillFocusPartsDiscount(); }); });
        e.Skip();
    });
    auto* labour = res::Control<wxTextCtrl>(this, kLabourDiscountEdit);
    labour->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        m_bLabourDiscountEditing = true;
        e.Skip();
    });
    labour->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        m_bLabourDiscountEditing = false;
        e.Skip();
    });
    labour->Bind(wxEVT_TEXT,
                 [this](wxCommandEvent&) { Guarded([this] { OnChangeLabourDiscount(); }); });
}

void WXZY::ArrangeControls() {
    ArrangeLineControls({kMaintenanceButton, kServiceButton});
    if (IsWalkIn()) res::FindControl(this, kMaintenanceButton)->Disable();
}

void WXZY::ShowHeader(int) {
    if (!MoveToHeader()) return;
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    m_bShowingHeader = true;
    const std::pair<int, const char*> texts[] = {{kVehicleTypeEdit, "项目名称"},
                                                 {kColourEdit, "编号"},
                                                 {kOwnerEdit, "作业人员"},
                                                 {kFeaturesEdit, "备注"},
                                                 {kReceivedEdit, "厂牌"}};
    for (const auto& [id, field] : texts)
        if (!IsNullField(rs, field)) SetText(id, FieldText(rs, field));
    if (!IsNullField(rs, "小计"))
        SetText(kMileageEdit, wxString::Format("%d", int(std::lround(FieldNumber(rs, "小计")))));
    const std::pair<int, const char*> discounts[] = {{kPartsDiscountEdit, "折扣"},
                                                     {kLabourDiscountEdit, "手扣"}};
    for (const auto& [id, field] : discounts) {
        int value = IsNullField(rs, field) ? 100 : int(std::lround(FieldNumber(rs, field)));
        if (value < 1) value = 100;
        SetText(id, wxString::Format("%d", value));
    }
    m_bShowingHeader = false;
    ShowLineMarks();
}

LineValues WXZY::ReadLine() const {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    LineValues line;
    line.quantityNull = IsNullField(rs, "数量");
    line.quantity = FieldNumber(rs, "数量");
    line.priceNull = IsNullField(rs, "单价");
    line.price = FieldNumber(rs, "单价");
    line.mark = FieldText(rs, "其它");
    line.labour = FieldText(rs, "WX").Contains("W");
    const char* discount = line.labour ? "手扣" : "折扣";
    line.discountNull = IsNullField(rs, discount);
    line.discount = FieldNumber(rs, discount);
    return line;
}

void WXZY::RecalcLine(int row) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->EndOfFile() || rs->BOF()) return;
    if (MarkOf(FieldText(rs, "其它")) != LineMark::Warranty) {
        if (IsNullField(rs, "单价") && !IsNullField(rs, "零售价"))
            PutNumber(rs, "单价", FieldNumber(rs, "零售价"));
        const LineValues line = ReadLine();
        if (!line.priceNull && !line.quantityNull) {
            if (int col = ColumnOf(U("单价")); col > 0)
                m_pGrid->SetItemText(row, col, MoneyText(line.price));
            if (int col = ColumnOf(U("小计")); col > 0)
                m_pGrid->SetItemText(row, col, MoneyText(LineAmount(line)));
            m_pGrid->Refresh(false);
        }
    }
    SaveLines();
}

void WXZY::UpdateTotals() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() <= 1) return;
    std::vector<LineValues> lines;
    const int subtotal = ColumnOf(U("小计")), discount = ColumnOf(U("折扣"));
    const std::vector<ado::Variant> bookmarks = LineBookmarks();
    for (size_t i = 0; i < bookmarks.size(); ++i) {
        rs->PutBookmark(bookmarks[i]);
        const int row = int(i) + 1;
        const LineValues line = ReadLine();
        lines.push_back(line);
        if (line.priceNull || line.quantityNull || row >= m_pGrid->GetRowCount()) continue;
        if (subtotal > 0) m_pGrid->SetItemText(row, subtotal, MoneyText(LineAmount(line)));
        // The discount column names the discount the amount carries: the labour discount
        // on a labour line, none on a no-discount line.
        if (discount > 0)
            m_pGrid->SetItemText(row, discount, wxString::Format("%ld", DiscountInForce(line)));
    }
    m_fTotal = CardTotal(lines);
    SetText(kTotalEdit, MoneyText(m_fTotal));
    m_pGrid->Refresh(false);
}

void WXZY::AddLine(bool atEnd) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!IsNullField(rs, "零售价"))
        PutNumber(rs, "单价", FieldNumber(rs, "零售价"));
    else if (!IsNullField(rs, "单价"))
        PutNumber(rs, "零售价", FieldNumber(rs, "单价"));
    const int row = atEnd ? int(rs->RecordCount()) - 1 : m_pGrid->GetFocusCell().row;
    if (int col = ColumnOf(U("单价")); col > 0 && row > 0 && row < m_pGrid->GetRowCount())
        m_pGrid->SetItemText(
            row, col, IsNullField(rs, "单价") ? wxString() : MoneyText(FieldNumber(rs, "单价")));
    if (atEnd) {
        PutText(rs, "客户", GetTitle());
        PutText(rs, "no", wxString::Format("-%ld", rs->RecordCount()));
        PutText(rs, "数量", "1");
        PutText(rs, "flag", "W");
        auto* staff = res::Control<wxComboBox>(this, kStaffCombo);
        if (staff && !staff->GetValue().empty()) PutText(rs, "作业人员", staff->GetValue());
    }
    // The edit may still hold a value its check has not passed yet: a new line takes a
    // discount only as the check would let it through, else none.
    const bool labour = FieldText(rs, "WX").Contains("W");
    const wxString typed = Text(labour ? kLabourDiscountEdit : kPartsDiscountEdit);
    CMainFrame* frame = CMainFrame::Get();
    const DiscountEntry entry =
        labour
            ? ReadDiscount(typed)
            : CheckPartsDiscount(typed, UserDiscountTenths(frame ? frame->m_strRights : wxString()),
                                 SystemDiscountLimit());
    PutText(rs, labour ? "手扣" : "折扣",
            entry.kind == DiscountEntry::Percent ? wxString::Format("%d", entry.percent)
                                                 : wxString("100"));
    if (const wxString code = FieldText(rs, "编号"); !code.empty()) LookupPriceLevel(code, row);
    UpdateTotals();
}

// A listed item takes no discount whether or not the list gives it a price.
void WXZY::LookupPriceLevel(const wxString& code, int row) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    const LevelPrice level = LookupLevelPrice(code, "3");
    if (level.listed) PutText(rs, "其它", "N");
    if (level.listed && !level.priceNull) {
        for (const char* field : {"单价", "零售价", "批发价"})
            PutNumber(rs, field, level.price);
        if (int col = ColumnOf(U("单价")); col > 0 && row > 0 && row < m_pGrid->GetRowCount())
            m_pGrid->SetItemText(row, col, MoneyText(level.price));
    }
    const ado::Variant line = rs->Bookmark();
    ShowLineMarks();
    rs->PutBookmark(line);
}

// The line is saved before the focus moves: moving it ends the cell's edit.
void WXZY::CompleteTakenLine(int row) {
    RecalcLine(row);
    FocusTakenRow(row);
    if (m_pGrid->MoveToRowRecord(row)) AddLine(false);
}

void WXZY::OnChangeMileage() {
    auto* edit = res::Control<wxTextCtrl>(this, kMileageEdit);
    if (m_bShowingHeader || wxWindow::FindFocus() != edit || !MoveToHeader()) return;
    PutText(GetSheet()->m_rsLines, "小计", CDataSet::CheckValue(edit->GetValue(), 3, 8));
}
