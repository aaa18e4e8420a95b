// Taking rows of a lookup list (the grid of the upper pane) into the work page in
// front: a double-click or 选择当前行 takes the focus row, 全选 every row. A row fills
// the line the operator is typing on, or becomes a new line that the page completes.
#include "grid/grid_ctrl.h"
#include "grid/grid_record_fields.h"
#include "grid/lookup_lists.h"
#include "grid/print_seam.h"

#include "data/data_progress.h"
#include "data/data_set.h"
#include "data/sql_text.h"
#include "data/wait_cursor.h"
#include "platform/wx_text.h"

#include <memory>

namespace {

using namespace grid_lookup;
const char* const kRepairList = "维修清单";
const char* const kSalesTicket = "零件售货单";

bool HasField(const ado::RecordsetPtr& rs, const char* name) {
    return rs->Fields().IndexOf(name) >= 0;
}

wxString TrimmedText(const ado::RecordsetPtr& rs, const char* name) {
    if (!HasField(rs, name)) return wxString();
    const ado::Variant value = rs->Fields().Item(name).Value();
    return value.IsNull() ? wxString() : wxString::FromUTF8(value.ToString()).Trim(true);
}

void PutText(const ado::RecordsetPtr& rs, const char* name, const wxString& text) {
    if (HasField(rs, name)) rs->Fields().Item(name).PutValue(ado::Variant(text.utf8_string()));
}

// The row's record as the list holds it, or the same part found in the stock (by its
// 编号, and in the list's 货位 when the list has one) or, on a repair card, in the labour
// items; which of them a new line copies.
struct LineSource {
    std::unique_ptr<CDataSet> found; // the stock or labour set, on the record found
    bool labour = false;             // found among the labour items
};

bool FindByCode(CDataSet& set, const wxString& criterion, const wxString* bin) {
    ado::Recordset& rs = *set.m_pRecordset;
    rs.MoveFirst();
    rs.Find(criterion.utf8_string());
    if (bin)
        while (!rs.EndOfFile() &&
               wxString::FromUTF8(rs.Fields().Item("货位").Value().IsNull()
                                      ? std::string()
                                      : rs.Fields().Item("货位").Value().ToString())
                       .Trim(true) != *bin)
            rs.Find(criterion.utf8_string(), 1);
    return !rs.EndOfFile();
}

} // namespace

void CGridCtrl::OnSelectCurrentRow() {
    TransferChosenRow(0);
}

void CGridCtrl::OnSelectAllRows() {
    CWaitCursor wait;
    CDataProgress progress(wxString(), 40, std::max(1, m_nRowCount), false);
    for (int row = 1; row < m_nRowCount; ++row) {
        SetFocusCell(row, 0);
        TransferChosenRow(0);
        progress.StepIt();
        SetFocusCell(0, 0);
    }
}

void CGridCtrl::TransferChosenRow(int row) {
    if (row == 0) row = m_cellFocus.row;
    if (!m_rsBound || !m_rsBound->IsOpen() || row < 1 || row > m_rsBound->RecordCount()) return;
    ActiveSheetLines sheet;
    if (!GetActiveSheetLines(sheet) || !sheet.lineGrid || !sheet.lineGrid->m_rsBound ||
        !sheet.lineGrid->m_rsBound->IsOpen())
        return;
    CGridCtrl& page = *sheet.lineGrid;
    // An empty line under the first counts as the line being typed on.
    const int focus = page.m_cellFocus.row;
    if (focus >= 2 && focus < page.m_nRowCount && page.GetItemText(focus, 1).empty() &&
        page.m_nColCount > 2 && page.GetItemText(focus, 2).empty())
        m_bLookupReady = true;
    const bool typed = m_bLookupReady;
    m_bLookupReady = false;
    if (!(typed && FillTypedLine(page, row))) AppendChosenRow(page, row);
}

bool CGridCtrl::MoveToListRow(int row) {
    m_rsBound->MoveFirst();
    if (row > 1) m_rsBound->Move(row - 1);
    return !m_rsBound->EndOfFile();
}

void CGridCtrl::MarkTakenRow(int row) {
    if (row >= m_nFixedRowCount) SetItemImage(row, 0, 0);
    if (HasWindow()) Refresh(false);
}

bool CGridCtrl::FillTypedLine(CGridCtrl& page, int row) {
    const int focusRow = page.m_cellFocus.row, focusCol = page.m_cellFocus.col;
    if (focusRow < 1 || focusRow >= page.m_nRowCount || focusCol < 1) return false;
    wxString title = page.GetItemText(0, focusCol);
    if (title == U("项目名称")) title = U("零件名称");
    int col = 1;
    while (col < m_nColCount && GetItemText(0, col) != title)
        ++col;
    if (col >= m_nColCount || !MoveToListRow(row)) return false;
    const int field = grid_fields::FieldOfTitle(m_rsBound->Fields(), title);
    wxString value;
    if ((title == U("编号") || title == U("零件名称")) && field >= 0 &&
        !m_rsBound->Fields().Item(field).Value().IsNull())
        value = wxString::FromUTF8(m_rsBound->Fields().Item(field).Value().ToString()).Trim(true);
    if (!value.empty() && !value.Contains(page.GetItemText(focusRow, focusCol))) return false;
    if (!page.MoveToRowRecord(focusRow)) return false;
    page.TakeLookupRecord();
    // A labour item on a repair card is a labour line.
    const bool labour = m_strTableName == "wxxm" ||
                        (m_strTableName == kStockAndLabourMarker && MoveToListRow(row) &&
                         TrimmedText(m_rsBound, "车型") == U("工时费"));
    if (page.m_strReportName == U(kRepairList) && labour) {
        if (!page.MoveToRowRecord(focusRow)) return true;
        PutText(page.m_rsBound, "WX", "W");
    }
    MarkTakenRow(row);
    return true;
}

void CGridCtrl::AppendChosenRow(CGridCtrl& page, int row) {
    if (page.IsSorted()) page.ClearSort();
    const wxString kind = page.m_strReportName;
    const bool workLine = kind == U(kRepairList) || kind == U(kSalesTicket);
    const wxString table = m_strTableName;
    const bool group = table == "gdxm";
    const bool listed = table == kStockMarker || table == "ljkc" || table == "wxxm" ||
                        table == kStockAndLabourMarker;
    if (!MoveToListRow(row)) return;

    // An order, offer or item group on a card or ticket: the part as the stock has it.
    LineSource source;
    if (workLine && !listed) {
        wxString code, bin;
        bool byBin = false;
        for (int col = 1; col < m_nColCount; ++col) {
            if (GetItemText(0, col) == U("编号")) code = GetItemText(row, col);
            if (GetItemText(0, col) == U("货位")) {
                bin = GetItemText(row, col);
                byBin = true;
            }
        }
        if (!code.empty()) {
            const wxString criterion = CSqlText::Criterion(U("编号"), code);
            auto stock = std::make_unique<CDataSet>();
            stock->Open(U(kStockList));
            if (stock->IsOpen() && stock->m_pRecordset->RecordCount() > 0 &&
                FindByCode(*stock, criterion, byBin ? &bin : nullptr)) {
                source.found = std::move(stock);
            } else if (kind == U(kRepairList)) {
                auto labour = std::make_unique<CDataSet>();
                labour->Open(U(kLabourList));
                if (labour->IsOpen() && labour->m_pRecordset->RecordCount() > 0 &&
                    FindByCode(*labour, criterion, nullptr)) {
                    source.found = std::move(labour);
                    source.labour = true;
                }
            }
        }
    }

    const ado::RecordsetPtr lines = page.m_rsBound;
    const ado::RecordsetPtr from = source.found ? source.found->m_pRecordset : m_rsBound;
    page.AppendNewRecord();
    const int newRow = page.m_nRowCount - 1;
    page.EnsureVisible(newRow, 0);
    CDataSet copier;
    if (copier.CopyRecordsQuiet(from, lines, true, wxString()) != 1) return;
    if (MoveToListRow(row)) {
        const bool labourMark =
            source.labour ||
            (workLine && listed &&
             ((kind == U(kRepairList) && table == "wxxm") ||
              (table == kStockAndLabourMarker && TrimmedText(m_rsBound, "车型") == U("工时费"))));
        if (labourMark) PutText(lines, "WX", "W");
        // An item group's quantity, a supplier offer's price into an order.
        if (group && source.found && HasField(m_rsBound, "数量") && HasField(lines, "数量"))
            lines->Fields().Item("数量").PutValue(m_rsBound->Fields().Item("数量").Value());
        if (table == "hy" && page.m_strTableName == "dhd" && HasField(m_rsBound, "批发价") &&
            HasField(lines, "进价"))
            lines->Fields().Item("进价").PutValue(m_rsBound->Fields().Item("批发价").Value());
    }
    // The page completes the line as a new one of its own; a group keeps its quantity.
    const ado::Variant line = lines->Bookmark();
    const ado::Variant quantity =
        HasField(lines, "数量") ? lines->Fields().Item("数量").Value() : ado::Variant::Null();
    page.CompleteAddedLine();
    lines->PutBookmark(line);
    if (group && HasField(lines, "数量")) lines->Fields().Item("数量").PutValue(quantity);
    lines->Update();
    lines->PutBookmark(line);
    page.FillRowFromRecord(newRow);
    page.SetEditMode(true);
    if (page.MoveToRowRecord(newRow)) page.NotifyLineChanged(newRow);
    MarkTakenRow(row);
}
