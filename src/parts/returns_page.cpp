#include "parts/returns_page.h"

#include "parts/returns_lines.h"

#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_keys.h"
#include "grid/grid_notify.h"
#include "grid/grid_row_commands.h"
#include "platform/wx_text.h"
#include "res/returns_page_template.h"
#include "work/guarded.h"
#include "work/page_layout.h"
#include "work/work_sheet.h"

#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/weakref.h>

using namespace res::returns_page;
using namespace parts;

namespace {

// The supplier of a stock-in document: the first one its records name; empty when none
// does.
wxString DocumentSupplier(const wxString& document) {
    CDataSet receipts;
    receipts.Open(U("select 供应商 from jhda where ") + CSqlText::Equals(U("入库单"), document));
    if (!receipts.IsOpen() || receipts.m_pRecordset->RecordCount() <= 0) return wxString();
    ado::Recordset& rs = *receipts.m_pRecordset;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
        if (const wxString supplier = Text(rs, "供应商").Strip(wxString::trailing);
            !supplier.empty())
            return supplier;
    return wxString();
}

} // namespace

void ljth::Register() {
    CMainFrame::RegisterForm(FormKind::ReturnSheet,
                             [](CMainFrame& frame, int, const wxString&) { OpenSheet(frame); });
}

ljth* ljth::OpenSheet(CMainFrame& frame) {
    wxBusyCursor wait;
    auto* sheet = new CWorkSheet(frame.GetSheetPane(), 'R', [](CWorkSheet* owner, const wxString&) {
        return new ljth(owner);
    });
    auto* page = new ljth(sheet);
    sheet->AddWorkPage(page, false);
    frame.InstallSheet(CMainFrame::SheetKind::Return, sheet);
    sheet->SelectWorkPage(page);
    return page;
}

ljth::ljth(CWorkSheet* sheet) : CWorkPage(sheet, U("退货")) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::ReturnsPageTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->SetEditMode(true);
    m_pGrid->m_nHelpContext = kDialogId;

    CMainFrame* frame = CMainFrame::Get();
    if (frame) {
        frame->m_dsMain.m_pGrid.reset();
        m_nMode = ReturnModeOfCode(frame->m_strShared);
    }
    const bool takeBack = m_nMode == kDefectBack || m_nMode == kSoundBack;
    res::Control<wxRadioButton>(this, takeBack ? kTakeBackRadio : kReissueRadio)->SetValue(true);
    if (frame) {
        const bool receipts = m_nMode == kPurchaseReturn;
        frame->m_dsMain.FillComboBox(
            CDataSet::ReplaceParams("select distinct ReplaceStr from ReplaceStr1",
                                    receipts ? U("入库单") : U("客户"), receipts ? "jhda" : "ljsh"),
            Choice());
    }

    const std::pair<int, void (ljth::*)()> buttons[] = {
        {kNewButton, &ljth::OnNewLine},
        {kModifyButton, &ljth::OnModify},
        {kDeleteButton, &ljth::OnDeleteLine},
        {kPrintButton, &ljth::OnPrint},
        {kSaveButton, &ljth::OnSave},
        {kCancelButton, &ljth::OnCancelEdit},
        {kExitButton, &ljth::OnClose},
        {kReturnListButton, &ljth::OnReturnList},
        {kPendingButton, &ljth::OnPendingItems},
        {kToStockButton, &ljth::OnPutBackToStock},
    };
    for (const auto& button : buttons) {
        void (ljth::*handler)() = button.second;
        Bind(
            wxEVT_BUTTON,
            [this, handler](wxCommandEvent&) { work::Guarded([&] { (this->*handler)(); }); },
            res::ToWxId(button.first));
    }
    for (int id : {kTakeBackRadio, kReissueRadio})
        Bind(
            wxEVT_RADIOBUTTON,
            [this](wxCommandEvent&) { work::Guarded([this] { OnReturnKind(); }); },
            res::ToWxId(id));
    Choice()->Bind(wxEVT_COMBOBOX,
                   [this](wxCommandEvent&) { work::Guarded([this] { OnCustomerChange(); }); });
    // A typed quantity or price changes the total.
    Bind(qvEVT_GRID_NOTIFY, [this](CGridNotifyEvent& event) {
        event.Skip();
        if (event.GetEventObject() != m_pGrid || event.code != GVN_ENDLABELEDIT ||
            event.lParam == VK_ESCAPE || !event.textChanged || event.row < 1)
            return;
        const std::vector<int>& types = m_pGrid->GetFieldTypes();
        const int col = event.col;
        if (col < 1 || size_t(col) > types.size() || (types[col - 1] != 131 && types[col - 1] != 3))
            return;
        work::Guarded([&] { RecalcLine(event.row); });
    });
    EnableEditButtons(false);
}

wxComboBox* ljth::Choice() const {
    return res::Control<wxComboBox>(this, kChoiceCombo);
}

void ljth::ArrangeControls() {
    const bool outward =
        m_nMode == kDefectOut || m_nMode == kSoundOut || m_nMode == kPurchaseReturn;
    for (int id : {kTakeBackRadio, kReissueRadio, kSpareButton})
        res::FindControl(this, id)->Show(!outward);
    const bool noChoice = m_nMode == kDefectOut || m_nMode == kSoundOut;
    res::FindControl(this, kChoiceCombo)->Show(!noChoice);
    res::FindControl(this, kChoiceLabel)->Show(!noChoice);
    if (m_nMode == kPurchaseReturn)
        res::Control<wxStaticText>(this, kChoiceLabel)->SetLabel(U("入库单"));
    if (outward) {
        int x = 10;
        for (int id : {kReturnListButton, kPendingButton, kToStockButton}) {
            wxWindow* button = res::FindControl(this, id);
            button->Move(x, 10);
            x += button->GetSize().x + 5;
            button->Show(m_nMode == kDefectOut);
        }
    }

    const wxSize page = GetClientSize();
    if (page.x < 200 || page.y < 150) return;
    const wxRect row = work::PlaceFootRow(this,
                                          {kNewButton, kModifyButton, kDeleteButton, kPrintButton,
                                           kSaveButton, kCancelButton, kExitButton},
                                          kButtonFrame);
    work::PlaceRightOf(this, kTotalEdit, row, 4 * work::kFramePad);
    work::PlaceGrid(this, m_pGrid, work::BelowHeader(this, m_pGrid), work::FrameTop(row));
}

void ljth::OnSetActive() {
    ArrangeControls();
    CMainFrame* frame = CMainFrame::Get();
    CWorkSheet* sheet = GetSheet();
    if (!frame) return;
    frame->m_pActiveSheet = sheet;
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (!sheet->m_bLinesOpen) {
        if (!frame->m_dsMain.OpenInto(ReturnLinesStatement(), rs)) return;
        sheet->m_bLinesOpen = true;
    }
    m_pGrid->SetTableName("ljth");
    m_pGrid->m_strTitle = U("零件退货");
    m_pGrid->m_strReportName = U("零件退货");
    m_pGrid->MakeCurrentGrid();
    m_pGrid->ResetToCorner();
    const bool withSupplier = m_nMode == kDefectOut || m_nMode == kSoundOut;
    data_grid::LoadGrid(frame->m_dsMain, rs, m_pGrid, wxString(), wxString(),
                        withSupplier ? 13 : 12, 0);
    UpdateTotals();
    if (const char* field = HandledField(true)) MarkHandledRows(field);

    // Rows dragged in from the upper grid become lines as 新增 makes them.
    wxWeakRef<ljth> self(this);
    SetGridLineAddedHandler([self](CGridCtrl& grid) {
        if (self && &grid == self->m_pGrid) self->AddLine(true);
    });
    SetGridLineChangedHandler([self](CGridCtrl& grid, int row) {
        if (self && &grid == self->m_pGrid) self->RecalcLine(row);
    });
    m_pGrid->Refresh();
    m_pGrid->SetFocus();
}

void ljth::UpdateTotals() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    const double total = rs && rs->IsOpen() ? ReturnLinesTotal(*rs) : 0;
    res::Control<wxTextCtrl>(this, kTotalEdit)->ChangeValue(MoneyText(total));
}

void ljth::AddLine(bool) {
    CMainFrame* frame = CMainFrame::Get();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!frame || !rs || !rs->IsOpen()) return;
    ado::Recordset& line = *rs;
    // A stored return taken as the line keeps its customer when none is chosen. In a
    // purchase return the choice is a stock-in document: the line goes back to (and is
    // booked to) the document's supplier, never to the document's number.
    const wxString choice = Choice()->GetValue().Strip(wxString::trailing);
    const wxString customer =
        m_nMode == kPurchaseReturn && !choice.empty() ? DocumentSupplier(choice) : choice;
    if (!customer.empty()) PutText(line, "客户", customer);
    // New lines are numbered after the table's records when they are archived.
    const long provisional = -1 - frame->m_dsMain.GetDbfRecordCount("ljth");
    if (m_nMode == kDefectOut || m_nMode == kReissue) {
        // A stored return dragged in: the line settles that return.
        const std::optional<double> present = Number(line, "no");
        PutNumber(line, "no1", present && *present > 0 ? present : std::nullopt);
    }
    PutNumber(line, "no", static_cast<double>(provisional));
    if (!m_bPurchaseReturn) PutNumber(line, "数量", 1.0);
    if (m_nMode == kDefectOut || m_nMode == kSoundBack || m_nMode == kPurchaseReturn)
        PutText(line, "flag", "N");
    PutText(line, "其它", "N");

    // The row chosen in the upper grid: the supplier the part goes back to and its price.
    const std::shared_ptr<CGridCtrl>& result = frame->m_dsMain.m_pGrid;
    ado::Recordset* chosen = result && result->m_rsBound && result->m_rsBound->IsOpen() &&
                                     result->m_rsBound->RecordCount() > 0 &&
                                     !result->m_rsBound->EndOfFile() && !result->m_rsBound->BOF()
                                 ? result->m_rsBound.get()
                                 : nullptr;
    if ((m_nMode == kSoundOut || m_nMode == kPurchaseReturn) && chosen &&
        HasField(*chosen, "供应商")) {
        const wxString supplier = Text(*chosen, "供应商");
        if (!supplier.empty()) PutText(line, "客户", supplier);
        if (HasField(*chosen, "进价") && Number(*chosen, "进价"))
            PutNumber(line, "单价", Number(*chosen, "进价"));
    }
    if (m_nMode == kPurchaseReturn && Text(line, "货位").empty() && Choice()->GetSelection() >= 0 &&
        !Text(line, "编号").empty()) {
        CDataSet bins;
        bins.Open(U("select 货位 from ljkc where ") +
                  CSqlText::Equals(U("定货单"), Choice()->GetStringSelection()) + " AND " +
                  CSqlText::Equals(U("编号"), Text(line, "编号")));
        if (bins.IsOpen() && bins.m_pRecordset->RecordCount() > 0) {
            bins.m_pRecordset->MoveFirst();
            PutText(line, "货位", Text(*bins.m_pRecordset, "货位"));
        }
    }
    if (m_nMode == kDefectOut || m_nMode == kSoundOut) {
        const wxString code = Text(line, "编号"), name = Text(line, "零件名称"),
                       model = Text(line, "车型");
        wxString condition;
        if (!code.empty())
            condition = CSqlText::Equals(U("编号"), code);
        else if (!name.empty())
            condition = CSqlText::Equals(U("零件名称"), name) +
                        (model.empty() ? wxString() : " and " + CSqlText::Equals(U("车型"), model));
        if (!condition.empty()) {
            CDataSet stock;
            stock.Open(U("select * from ljkc where ") + condition);
            if (stock.IsOpen() && stock.m_pRecordset->RecordCount() > 0) {
                stock.m_pRecordset->MoveFirst();
                const wxString supplier = Text(*stock.m_pRecordset, "供应商");
                if (!supplier.empty()) PutText(line, "供应商", supplier);
            }
            if (chosen && HasField(*chosen, "进价") && Number(*chosen, "进价"))
                PutNumber(line, "单价", Number(*chosen, "进价"));
        }
    }
    line.Update();
    if (!m_bPurchaseReturn) UpdateTotals();
    EnableEditButtons(true);
}

void ljth::EnableEditButtons(bool editing) {
    res::FindControl(this, kSaveButton)->Enable(editing);
    res::FindControl(this, kCancelButton)->Enable(editing);
    res::FindControl(this, kExitButton)->Enable(!editing);
    res::FindControl(this, kChoiceCombo)->Enable(!editing);
}
