// The returns page's commands: the lists of the upper grid, editing the lines,
// archiving them, and handing them to the stock-in page.
#include "parts/returns_page.h"

#include "parts/order_page.h"
#include "parts/returns_archive.h"
#include "parts/returns_lines.h"

#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"
#include "res/returns_page_template.h"
#include "work/take_out_boxes.h"
#include "work/work_sheet.h"

#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

using namespace res::returns_page;
using namespace parts;

namespace {

const char* const kSaleList =
    "select 客户,车型,项目名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注,"
    "单据号,进价,其它,flag,no from ljsh";

} // namespace

wxString ljth::ChosenText() {
    wxComboBox* combo = Choice();
    if (combo->GetSelection() < 0) return wxString();
    const wxString text = combo->GetStringSelection().Strip(wxString::trailing);
    combo->ChangeValue(text);
    return text;
}

const char* ljth::HandledField(bool onActivation) const {
    switch (m_nMode) {
    case kDefectBack:
        return onActivation ? "备注" : "flag";
    case kDefectOut:
        return "其它";
    case kReissue:
        return "flag";
    case kSoundBack:
        return onActivation ? nullptr : "flag";
    default:
        return nullptr;
    }
}

void ljth::OnCustomerChange() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const wxString text = ChosenText();
    m_bPurchaseReturn = m_nMode == kPurchaseReturn;
    wxString statement;
    if (m_bPurchaseReturn)
        statement = U("select * from jhda where ") + CSqlText::Equals(U("入库单"), text) +
                    U(" order by 入库单");
    else
        statement = (m_nMode == kDefectBack || m_nMode == kSoundBack ? U(kSaleList)
                                                                     : AllReturnsStatement()) +
                    " where " + CSqlText::Equals(U("客户"), text);
    data_grid::LoadPartsGrid(frame->m_dsMain, statement, 11, true);
    OnSetActive();
}

void ljth::OnReturnKind() {
    if (res::Control<wxRadioButton>(this, kTakeBackRadio)->GetValue())
        m_nMode = kDefectBack;
    else if (res::Control<wxRadioButton>(this, kReissueRadio)->GetValue())
        m_nMode = kReissue;
    OnCustomerChange();
}

void ljth::OnReturnList() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const wxString text = ChosenText();
    wxString statement = AllReturnsStatement();
    if (!text.empty()) statement += " where " + CSqlText::Equals(U("客户"), text);
    data_grid::LoadPartsGrid(frame->m_dsMain, statement, 11, true);
    if (const char* field = HandledField(false)) MarkHandledRows(field);
}

// The handled returns are left out by the statement: the list's recordset is the
// frame's, and rows deleted from it would be deleted from the table by its next save.
void ljth::OnPendingItems() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const wxString field = m_nMode == kDefectBack || m_nMode == kReissue || m_nMode == kSoundBack
                               ? wxString("flag")
                               : U("其它");
    const wxString text = ChosenText();
    wxString statement =
        AllReturnsStatement() + " where (" + field + " is null or " + field + "<>'T')";
    if (!text.empty()) statement += " and " + CSqlText::Equals(U("客户"), text);
    data_grid::LoadPartsGrid(frame->m_dsMain, statement, 11, true);
}

void ljth::MarkHandledRows(const char* field) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || !frame->m_dsMain.m_pGrid) return;
    CGridCtrl& grid = *frame->m_dsMain.m_pGrid;
    const ado::RecordsetPtr& rs = grid.m_rsBound;
    if (!rs || !rs->IsOpen() || rs->RecordCount() <= 0 || !HasField(*rs, field)) return;
    const bool remark = wxString::FromUTF8(field) == U("备注");
    int row = 1;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext(), ++row) {
        const wxString value = Text(*rs, field);
        if (value == "T" || (remark && value.StartsWith(U("退")))) grid.SetItemImage(row, 0, 0);
    }
    grid.Refresh();
}

// A blank line; a stored return dragged in from the list above becomes a line that
// settles it (AddLine keeps its number).
void ljth::OnNewLine() {
    CMainFrame* frame = CMainFrame::Get();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!frame || !rs || !rs->IsOpen()) return;
    if (m_pGrid->IsSorted()) {
        rs->PutSort("");
        m_pGrid->m_nSortCol = -1;
        m_pGrid->LoadRecordset();
    }
    rs->AddNew();
    AddLine(true);
    m_pGrid->AppendNewRecord();
    const int row = m_pGrid->GetRowCount() - 1;
    rs->MoveLast();
    m_pGrid->FillRowFromRecord(row);
    m_pGrid->SetEditMode(true);
    m_pGrid->SelectRow(row);
    EnableEditButtons(true);
    UpdateTotals();
}

void ljth::OnModify() {
    m_pGrid->SetEditMode(true);
    EnableEditButtons(true);
}

void ljth::OnDeleteLine() {
    res::FindControl(this, kNewButton)->SetFocus();
    if (m_pGrid->DeleteSelectedRecord()) EnableEditButtons(true);
    UpdateTotals();
}

void ljth::OnCancelEdit() {
    res::FindControl(this, kNewButton)->SetFocus();
    m_pGrid->SetEditMode(false);
    EnableEditButtons(false);
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (rs && rs->IsOpen()) rs->CancelBatch();
    m_pGrid->DeleteNonFixedRows();
    res::Control<wxTextCtrl>(this, kTotalEdit)->ChangeValue(wxString());
    OnSetActive();
}

void ljth::OnPrint() {
    m_pGrid->MakeCurrentGrid();
    m_print.Open(m_pGrid);
}

void ljth::OnClose() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    if (frame->m_dsMain.m_pGrid) frame->m_dsMain.m_pGrid->MakeCurrentGrid();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (rs && rs->IsOpen()) rs->CancelBatch();
    frame->m_dsMain.SaveColumnWidths(m_pGrid);
    m_print.Close();
    frame->CloseSheet(CMainFrame::SheetKind::Return);
}

std::vector<PartLine> ljth::PartLines() const {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen()) return {};
    return ReadLines(*rs);
}

void ljth::OnPutBackToStock() {
    const std::vector<PartLine> lines = PartLines();
    if (!lines.empty()) HandToStockIn(lines);
}

// The stock-in page takes returned parts without purchase records; an open one that
// receives other goods is replaced.
void ljth::HandToStockIn(const std::vector<PartLine>& lines) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    std::vector<PartLine> parts = lines;
    for (PartLine& part : parts) {
        if (part.code.empty()) continue;
        CDataSet stock;
        stock.Open(U("select distinct 零件名称,编号,部位 from ljkc where ") +
                   CSqlText::Equals(U("编号"), part.code));
        if (stock.IsOpen() && stock.m_pRecordset->RecordCount() > 0) {
            stock.m_pRecordset->MoveFirst();
            part.position = Text(*stock.m_pRecordset, "部位");
        }
    }
    Pjdh* page = Pjdh::ShownStockIn(*frame);
    if (!page || !page->IsReturnToStock()) {
        frame->m_strShared = U("退货入库");
        page = Pjdh::Open(*frame, Pjdh::StockIn);
        frame->m_strShared.clear();
    }
    if (!page) return;
    page->AppendLines(parts);
    page->OnSetActive();
}

void ljth::OnSave() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen()) return;
    work::CBoxQuestions questions;
    ReturnsArchive archive(m_nMode, *rs, Choice()->GetValue(), questions);
    if (archive.Run() != ReturnsArchive::Archived) return;
    // The archive stored the lines itself; the page's copies go.
    m_pGrid->SetEditMode(false);
    EnableEditButtons(false);
    rs->CancelBatch();
    m_pGrid->DeleteNonFixedRows();
    if (archive.ToStock())
        HandToStockIn(archive.Parts());
    else
        OnSetActive();
}
