#include "parts/sales_page.h"
#include "parts/sales_ticket.h"

#include "app/main_frame.h"
#include "data/system_options.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_row_commands.h"
#include "grid/print_options_dlg.h"
#include "platform/wx_text.h"
#include "res/sales_page_template.h"
#include "work/guarded.h"
#include "work/line_fields.h"
#include "work/note_files.h"
#include "work/work_sheet.h"

#include <functional>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

using namespace res::sales_page;
using namespace work;
using namespace parts;

const char* const ljsh::kLinesStatement =
    "select 车型,项目名称,编号,单价,成交价,单位,数量,货位,厂牌,小计,作业人员 as 业务,备注,折扣,"
    "客户,零售价,批发价,进价,代理价,故障,其它,WX,flag,no from zyxm where flag like '%P%'";

ljsh::ljsh(CWorkSheet* sheet, const wxString& title) : CWorkPage(sheet, title) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::SalesPageTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->SetItemText(0, 0, "  ");
    m_pGrid->m_nHelpContext = kDialogId;
    m_pGrid->m_bDriveLookup = true;
    m_pGrid->SetEditMode(true);
    res::Control<wxSpinButton>(this, kDiscountSpin)->SetRange(0, 200);
    CSystemOptions options;
    options.LoadSettings();
    m_bThreePrices = options.GetIntOption(U("三级模式"));
    if (CMainFrame* frame = CMainFrame::Get())
        if (auto* staff = res::Control<wxComboBox>(this, kStaffCombo))
            frame->m_dsMain.FillComboBox(
                CDataSet::ReplaceParams("select distinct ReplaceStr from ReplaceStr1", U("姓名"),
                                        "ygk"),
                staff);
    BindEvents();
}

ljsh::~ljsh() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
}

bool ljsh::IsWalkIn() const {
    return GetTitle() == U(kWalkIn);
}

wxString ljsh::Text(int id) const {
    if (auto* edit = res::Control<wxTextCtrl>(this, id)) return edit->GetValue();
    if (auto* combo = res::Control<wxComboBox>(this, id)) return combo->GetValue();
    return wxString();
}

void ljsh::SetText(int id, const wxString& text) {
    if (auto* edit = res::Control<wxTextCtrl>(this, id)) edit->ChangeValue(text);
}

bool ljsh::IsChecked(int id) const {
    auto* check = res::Control<wxCheckBox>(this, id);
    return check && check->GetValue();
}

void ljsh::BindEvents() {
    const auto button = [this](int id, void (ljsh::*handler)()) {
        if (wxWindow* control = res::FindControl(this, id))
            control->Bind(wxEVT_BUTTON, [this, handler](wxCommandEvent&) {
                Guarded([this, handler] { (this->*handler)(); });
            });
    };
    button(kSettleButton, &ljsh::OnSettle);
    button(kCloseButton, &ljsh::OnClose);
    button(kDeleteButton, &ljsh::OnDeleteLine);
    button(kNewButton, &ljsh::OnNewLine);
    button(kSuspendButton, &ljsh::OnSuspend);
    button(kPrintButton, &ljsh::OnPrint);
    button(kAbandonButton, &ljsh::OnAbandon);
    button(kCustomerButton, &ljsh::OnCustomerData);
    button(kArchiveButton, &ljsh::OnArchive);
    button(kLedgerButton, &ljsh::OnLedger);
    const auto check = [this](int id, void (ljsh::*handler)()) {
        if (auto* box = res::Control<wxCheckBox>(this, id))
            box->Bind(wxEVT_CHECKBOX, [this, handler](wxCommandEvent&) {
                Guarded([this, handler] { (this->*handler)(); });
            });
    };
    check(kWholesaleCheck, &ljsh::OnWholesale);
    check(kLastPriceCheck, &ljsh::OnLastPrice);
    if (auto* staff = res::Control<wxComboBox>(this, kStaffCombo))
        staff->Bind(wxEVT_COMBOBOX,
                    [this](wxCommandEvent&) { Guarded([this] { OnSalesmanChange(); }); });
    res::Control<wxTextCtrl>(this, kDiscountEdit)->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        if (!m_bShowingHeader) Guarded([this] { OnDiscountChange(); });
    });
    auto* note = res::Control<wxTextCtrl>(this, kNoteEdit);
    note->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        OnNoteSetFocus();
        e.Skip();
    });
    note->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        Guarded([this] { OnNoteKillFocus(); });
        e.Skip();
    });
    Bind(qvEVT_GRID_NOTIFY,
         [this](CGridNotifyEvent& event) { Guarded([&] { OnGridNotify(event); }); });
}

// The grid and the button column fill the lower pane; the header keeps its place.
void ljsh::ArrangeControls() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const wxSize pane = frame->GetSheetPane()->GetClientSize();
    const int w = pane.x, h = pane.y;
    const wxSize b = res::FindControl(this, kCloseButton)->GetSize();
    const int top = res::FindControl(this, kStaffCombo)->GetRect().GetBottom() + 6;
    m_pGrid->SetSize(10, top, std::max(w - 80, 50), std::max(h - top - 60, 50));
    const int buttons[] = {kCloseButton,   kDeleteButton, kSettleButton,  kNewButton,
                           kSuspendButton, kPrintButton,  kAbandonButton, kCustomerButton,
                           kArchiveButton, kLedgerButton};
    int y = top + 4;
    const int step = b.y + 2;
    for (int id : buttons) {
        res::FindControl(this, id)->SetSize(w - 60, y, b.x, b.y);
        y += step;
    }
    res::FindControl(this, kTotalEdit)->SetSize(w - 65, y + 4, b.x + 10, b.y);
    res::FindControl(this, kButtonFrame)->SetSize(w - 65, top - 7, b.x + 10, y - top + 9);
    res::FindControl(this, kNoteEdit)
        ->SetSize(10, std::max(h - 55, top + 60), std::max(w - 80, 50), 32);
    res::FindControl(this, kLedgerButton)->Enable(!IsWalkIn());
}

void ljsh::OnSetActive() {
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
    m_pGrid->m_strReportName = U("零件售货单");
    m_pGrid->MakeCurrentGrid();
    m_pGrid->SetTableName(U("zyxm配件"));
    data_grid::LoadGrid(frame->m_dsMain, rs, m_pGrid, U("客户"), GetTitle(), 13, 1);
    m_pGrid->SetTableName("zyxm");
    m_pGrid->m_rsBound = rs;

    if (IsWalkIn() && rs->RecordCount() == 0) AddTicketHeader(rs, GetTitle());
    if (rs->RecordCount() > 0) {
        m_strPriceLevel = ReadSalesHeader(rs, sheet->m_strDocNumber).priceLevel;
        ShowHeader(0);
        UpdateTotals();
    }
    if (!sheet->GetPicker()) sheet->ShowVehiclePicker();
    const wxString note = ReadNote(SalesNoteFileName(GetTitle()));
    SetText(kNoteEdit, note.empty() ? NoteHint() : note);

    // The page reworks its own line after the grid's row commands (paste, marks) and
    // completes a line a looked-up row went into.
    wxWeakRef<ljsh> self(this);
    SetGridLineChangedHandler([self](CGridCtrl& grid, int row) {
        if (!self || &grid != self->m_pGrid) return;
        self->RecalcLine(row);
        self->UpdateTotals();
    });
    SetGridLineTakenHandler([self](CGridCtrl& grid, int row) {
        if (!self || &grid != self->m_pGrid) return;
        grid.SetFocusCell(row, std::max(grid.GetFocusCell().col, 1));
        if (grid.MoveToRowRecord(row)) self->AddLine(false);
        if (grid.MoveToRowRecord(row)) self->RecalcLine(row);
    });
    SetGridLineAddedHandler([self](CGridCtrl& grid) {
        if (self && &grid == self->m_pGrid) self->AddLine(true);
    });
    m_pGrid->SetFocus();
}

void ljsh::ShowHeader(int) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() < 1) return;
    const SalesHeader header = ReadSalesHeader(rs, GetSheet()->m_strDocNumber);
    m_bShowingHeader = true;
    const std::pair<int, const wxString*> texts[] = {
        {kNumberEdit, &header.number},   {kFaxEdit, &header.fax},
        {kContactEdit, &header.contact}, {kPhoneEdit, &header.phone},
        {kRemarkEdit, &header.remark},   {kMobileEdit, &header.mobile},
        {kAddressEdit, &header.address}, {kBalanceEdit, &header.balance}};
    for (const auto& text : texts)
        SetText(text.first, *text.second);
    res::Control<wxCheckBox>(this, kWholesaleCheck)->SetValue(header.wholesale);
    SetText(kDiscountEdit, header.discount);
    long discount = 100;
    header.discount.ToLong(&discount);
    res::Control<wxSpinButton>(this, kDiscountSpin)->SetValue(int(discount));
    m_bShowingHeader = false;
    ShowLineKinds();
}

void ljsh::ShowLineKinds() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() < 2) return;
    MoveToTicketHeader(rs);
    const bool discounted = !IsNullField(rs, "折扣") && FieldText(rs, "折扣") != "100";
    const std::vector<ado::Variant> lines = TicketLines(rs);
    for (size_t i = 0; i < lines.size() && int(i) + 1 < m_pGrid->GetRowCount(); ++i) {
        rs->PutBookmark(lines[i]);
        const LineMark mark = MarkOf(FieldText(rs, "其它"));
        int image = -1;
        if (mark == LineMark::NoDiscount && discounted) image = 1;
        if (mark == LineMark::Warranty) image = 2;
        if (mark == LineMark::Gift) image = 3;
        m_pGrid->SetItemImage(int(i) + 1, 0, image);
    }
}

const char* ljsh::PriceField() const {
    return SalesPriceField(IsChecked(kWholesaleCheck), m_bThreePrices != 0, m_strPriceLevel);
}

void ljsh::ReloadLines() {
    CMainFrame* frame = CMainFrame::Get();
    if (frame && frame->m_dsMain.OpenInto(U(kLinesStatement), GetSheet()->m_rsLines))
        GetSheet()->m_bLinesOpen = true;
    OnSetActive();
}

void ljsh::OnNoteSetFocus() {
    if (Text(kNoteEdit) == NoteHint()) SetText(kNoteEdit, wxString());
}

void ljsh::OnNoteKillFocus() {
    StoreNote(SalesNoteFileName(GetTitle()), Text(kNoteEdit));
}
