#include "work/repair_page.h"
#include "work/guarded.h"
#include "work/line_fields.h"
#include "work/line_pricing.h"
#include "work/note_files.h"
#include "work/price_lookup.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_row_commands.h"
#include "platform/wx_text.h"
#include "res/repair_page_template.h"

#include <cmath>
#include <functional>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

using namespace res::repair_page;
using namespace work;

const char* const WXZY::kLinesStatement =
    "select 项目名称,编号,单价,单位,数量,货位,小计,作业人员,备注,故障,客户,车型,厂牌,折扣,手扣,"
    "零售价,批发价,进价,其它,WX,flag,no from zyxm where flag like '%W%'";
const char* const WXZY::kWalkIn = "零散客户";

namespace {

// The marks of the grid's first column.
enum LineImage { kNoImage = -1, kNoDiscountImage = 1, kWarrantyImage = 2, kGiftImage = 3 };

} // namespace

WXZY::WXZY(CWorkSheet* sheet, const wxString& title) : CWorkPage(sheet, title) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::RepairPageTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->SetItemText(0, 0, "  ");
    m_pGrid->m_nHelpContext = kDialogId;
    m_pGrid->m_bDriveLookup = true;
    m_pGrid->SetEditMode(true);
    for (int id : {kPartsDiscountSpin, kLabourDiscountSpin})
        res::Control<wxSpinButton>(this, id)->SetRange(0, 200);
    if (CMainFrame* frame = CMainFrame::Get())
        if (auto* workers = res::Control<wxComboBox>(this, kWorkerCombo))
            frame->m_dsMain.FillComboBox(
                CDataSet::ReplaceParams("select distinct ReplaceStr from ReplaceStr1", U("姓名"),
                                        "ygk"),
                workers);
    BindEvents();
}

WXZY::~WXZY() = default;

bool WXZY::IsWalkIn() const {
    return GetTitle() == U(kWalkIn);
}

wxString WXZY::Text(int id) const {
    if (auto* edit = res::Control<wxTextCtrl>(this, id)) return edit->GetValue();
    if (auto* combo = res::Control<wxComboBox>(this, id)) return combo->GetValue();
    return wxString();
}

void WXZY::SetText(int id, const wxString& text) {
    if (auto* edit = res::Control<wxTextCtrl>(this, id)) edit->ChangeValue(text);
}

void WXZY::BindEvents() {
    const auto button = [this](int id, auto handler) {
        if (wxWindow* control = res::FindControl(this, id))
            control->Bind(wxEVT_BUTTON,
                          [this, handler](wxCommandEvent&) { Guarded([&] { handler(this); }); });
    };
    button(kCloseButton, std::mem_fn(&WXZY::OnCloseSheet));
    button(kDeleteButton, std::mem_fn(&WXZY::OnDeleteLine));
    button(kSettleButton, std::mem_fn(&WXZY::OnSettle));
    button(kNewButton, std::mem_fn(&WXZY::OnNewLine));
    button(kSuspendButton, std::mem_fn(&WXZY::OnSuspend));
    button(kPrintButton, std::mem_fn(&WXZY::OnPrint));
    button(kAbandonButton, std::mem_fn(&WXZY::OnAbandon));
    // The vehicle's other forms open through the frame's openers.
    const auto form = [](FormKind kind, int mode, bool handOver) {
        return [kind, mode, handOver](WXZY* page) {
            CMainFrame* frame = CMainFrame::Get();
            if (!frame) return;
            if (handOver) frame->m_strShared = page->GetTitle();
            const wxString customer = page->GetSheet()->m_strCustomer;
            frame->OpenForm(kind, mode, page->GetTitle());
            page->GetSheet()->m_strCustomer = customer;
            page->GetLineGrid()->MakeCurrentGrid();
        };
    };
    button(kCustomerButton, std::mem_fn(&WXZY::OnCustomerData));
    button(kArchiveButton, form(FormKind::RepairArchive, 0, true));
    button(kMaintenanceButton, form(FormKind::MaintenanceDue, 1, false));
    button(kServiceButton, form(FormKind::MemberCards, 1, true));

    if (auto* check = res::Control<wxCheckBox>(this, kLastPriceCheck))
        check->Bind(wxEVT_CHECKBOX,
                    [this](wxCommandEvent&) { Guarded([this] { OnLastPrice(); }); });
    if (auto* workers = res::Control<wxComboBox>(this, kWorkerCombo))
        workers->Bind(wxEVT_COMBOBOX,
                      [this](wxCommandEvent&) { Guarded([this] { OnSelchangeWorker(); }); });

    auto* mileage = res::Control<wxTextCtrl>(this, kMileageEdit);
    mileage->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { Guarded([this] { OnChangeMileage(); }); });
    auto* note = res::Control<wxTextCtrl>(this, kNoteEdit);
    note->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        OnSetFocusNote();
        e.Skip();
    });
    note->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        OnKillFocusNote();
        e.Skip();
    });

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

    Bind(qvEVT_GRID_NOTIFY,
         [this](CGridNotifyEvent& event) { Guarded([&] { OnGridNotify(event); }); });
}

// The grid and the button column fill the lower pane; the header keeps its place.
void WXZY::ArrangeControls() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const wxSize pane = frame->GetSheetPane()->GetClientSize();
    const int w = pane.x, h = pane.y;
    wxWindow* close = res::FindControl(this, kCloseButton);
    const wxSize b = close->GetSize();
    m_pGrid->SetSize(12, 25 + b.y, std::max(w - 80, 50), std::max(h - 80 - b.y, 50));
    const int buttons[] = {kCloseButton,   kDeleteButton,      kSettleButton,  kNewButton,
                           kSuspendButton, kPrintButton,       kAbandonButton, kCustomerButton,
                           kArchiveButton, kMaintenanceButton, kServiceButton};
    int y = 30 + b.y;
    const int step = b.y + 2;
    for (int id : buttons) {
        res::FindControl(this, id)->SetSize(w - 60, y, b.x, b.y);
        y += step;
    }
    res::FindControl(this, kTotalEdit)->SetSize(w - 65, y + 4, b.x + 10, b.y);
    res::FindControl(this, kButtonFrame)->SetSize(w - 65, 19 + b.y, b.x + 10, y - 19 + 2);
    res::FindControl(this, kNoteEdit)
        ->SetSize(12, std::max(h - 55, 60 + b.y), std::max(w - 80, 50), 32);
}

bool WXZY::MoveToHeader() const {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() < 1) return false;
    rs->MoveFirst();
    return true;
}

wxString WXZY::NoteFileName() const {
    return SafeNoteFileName(IsWalkIn() ? U(kWalkIn) + "(" + U("维修") + ")" : GetTitle());
}

void WXZY::OnSetActive() {
    CMainFrame* frame = CMainFrame::Get();
    CWorkSheet* sheet = GetSheet();
    if (!frame || !sheet) return;
    ArrangeControls();
    frame->m_pActiveSheet = sheet;
    ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (!sheet->m_bLinesOpen) {
        sheet->NextDocNumber();
        if (!frame->m_dsMain.OpenInto(U(kLinesStatement), rs)) return;
        sheet->m_bLinesOpen = true;
    }
    sheet->m_strCustomer = GetTitle();

    m_pGrid->SetTableName("zyxm");
    m_pGrid->m_strReportName = U("维修清单");
    m_pGrid->MakeCurrentGrid();
    m_pGrid->SetTableName(U("zyxm维修"));
    data_grid::LoadGrid(frame->m_dsMain, rs, m_pGrid, U("客户"), GetTitle(), 0, 1);
    m_pGrid->SetTableName("zyxm");
    m_pGrid->m_rsBound = rs;

    if (IsWalkIn()) {
        res::FindControl(this, kMaintenanceButton)->Disable();
        if (rs->RecordCount() == 0) {
            rs->AddNew();
            PutText(rs, "客户", U(kWalkIn));
            PutText(rs, "no", "-1");
            PutText(rs, "flag", "W");
            rs->Update();
        }
    }
    if (rs->RecordCount() > 0) {
        ShowHeader(0);
        UpdateTotals();
    }
    const wxString note = ReadNote(NoteFileName());
    SetText(kNoteEdit, note.empty() ? NoteHint() : note);

    // The page reworks its own line after the grid's row commands (paste, marks) and
    // completes a line a looked-up row went into.
    wxWeakRef<WXZY> self(this);
    SetGridLineChangedHandler([self](CGridCtrl& grid, int row) {
        if (!self || &grid != self->m_pGrid) return;
        self->RecalcLine(row);
        self->UpdateTotals();
    });
    SetGridLineTakenHandler([self](CGridCtrl& grid, int row) {
        if (!self || &grid != self->m_pGrid) return;
        self->RecalcLine(row);
        // The line completed is the row taken into, wherever the focus was.
        grid.SetFocusCell(row, std::max(grid.GetFocusCell().col, 1));
        if (grid.MoveToRowRecord(row)) self->AddLine(false);
    });
    SetGridLineAddedHandler([self](CGridCtrl& grid) {
        if (self && &grid == self->m_pGrid) self->AddLine(true);
    });
    if (!sheet->GetPicker()) sheet->ShowVehiclePicker();
    m_pGrid->SetFocus();
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

void WXZY::ShowLineMarks() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() < 2) return;
    rs->MoveFirst();
    const bool partsDiscount = !IsNullField(rs, "折扣") && FieldText(rs, "折扣") != "100";
    rs->MoveNext();
    for (int row = 1; row < m_pGrid->GetRowCount() && !rs->EndOfFile(); ++row, rs->MoveNext()) {
        const LineMark mark = MarkOf(FieldText(rs, "其它"));
        int image = kNoImage;
        if (mark == LineMark::NoDiscount && partsDiscount) image = kNoDiscountImage;
        if (mark == LineMark::Warranty) image = kWarrantyImage;
        if (mark == LineMark::Gift) image = kGiftImage;
        m_pGrid->SetItemImage(row, 0, image);
    }
}

int WXZY::ColumnOf(const wxString& title) const {
    for (int col = 1; col < m_pGrid->GetColumnCount(); ++col)
        if (m_pGrid->GetItemText(0, col) == title) return col;
    return -1;
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
                m_pGrid->SetItemText(row, col, FormatMoney(line.price));
            if (int col = ColumnOf(U("小计")); col > 0)
                m_pGrid->SetItemText(row, col, FormatMoney(LineAmount(line)));
            m_pGrid->Refresh(false);
        }
    }
    SaveLines();
}

void WXZY::UpdateTotals() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() <= 1) return;
    std::vector<LineValues> lines;
    rs->MoveFirst();
    rs->MoveNext();
    const int subtotal = ColumnOf(U("小计"));
    for (int row = 1; !rs->EndOfFile(); ++row, rs->MoveNext()) {
        const LineValues line = ReadLine();
        lines.push_back(line);
        if (line.priceNull || line.quantityNull) continue;
        if (subtotal > 0 && row < m_pGrid->GetRowCount())
            m_pGrid->SetItemText(row, subtotal, FormatMoney(LineAmount(line)));
    }
    m_fTotal = CardTotal(lines);
    SetText(kTotalEdit, FormatMoney(m_fTotal));
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
            row, col, IsNullField(rs, "单价") ? wxString() : FormatMoney(FieldNumber(rs, "单价")));
    if (atEnd) {
        PutText(rs, "客户", GetTitle());
        PutText(rs, "no", wxString::Format("-%ld", rs->RecordCount()));
        PutText(rs, "数量", "1");
        PutText(rs, "flag", "W");
        auto* workers = res::Control<wxComboBox>(this, kWorkerCombo);
        if (workers && !workers->GetValue().empty()) PutText(rs, "作业人员", workers->GetValue());
    }
    const bool labour = FieldText(rs, "WX").Contains("W");
    wxString discount = Text(labour ? kLabourDiscountEdit : kPartsDiscountEdit);
    if (discount.empty() || discount == "0") discount = "100";
    PutText(rs, labour ? "手扣" : "折扣", discount);
    if (const wxString code = FieldText(rs, "编号"); !code.empty()) LookupPriceLevel(code);
    UpdateTotals();
}

void WXZY::LookupPriceLevel(const wxString& code) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    double level = 0;
    if (work::LookupPriceLevel(code, &level)) {
        PutText(rs, "其它", "N");
        for (const char* field : {"单价", "零售价", "批发价"})
            PutNumber(rs, field, level);
    }
    const ado::Variant line = rs->Bookmark();
    ShowLineMarks();
    rs->PutBookmark(line);
}

void WXZY::ReloadLines() {
    CMainFrame* frame = CMainFrame::Get();
    if (frame && frame->m_dsMain.OpenInto(U(kLinesStatement), GetSheet()->m_rsLines))
        GetSheet()->m_bLinesOpen = true;
    OnSetActive();
}

void WXZY::OnChangeMileage() {
    auto* edit = res::Control<wxTextCtrl>(this, kMileageEdit);
    if (m_bShowingHeader || wxWindow::FindFocus() != edit || !MoveToHeader()) return;
    PutText(GetSheet()->m_rsLines, "小计", CDataSet::CheckValue(edit->GetValue(), 3, 8));
}

void WXZY::OnSetFocusNote() {
    if (Text(kNoteEdit) == NoteHint()) SetText(kNoteEdit, wxString());
}

void WXZY::OnKillFocusNote() {
    StoreNote(NoteFileName(), Text(kNoteEdit));
}
