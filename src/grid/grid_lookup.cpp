// Taking a looked-up stock or labour row into a line of a work sheet.
#include "grid/grid_ctrl.h"
#include "grid/grid_record_fields.h"
#include "grid/grid_row_commands.h"
#include "grid/lookup_lists.h"

#include "data/main_frame_data.h"
#include "grid/data_set_grid.h"
#include "platform/message_box.h"

namespace {
GridLineTakenHandler g_lineTaken;
GridLineAddedHandler g_lineAdded;

wxString U(const char* text) {
    return wxString::FromUTF8(text);
}
} // namespace

void SetGridLineTakenHandler(GridLineTakenHandler handler) {
    g_lineTaken = std::move(handler);
}

void SetGridLineAddedHandler(GridLineAddedHandler handler) {
    g_lineAdded = std::move(handler);
}

void CGridCtrl::CompleteAddedLine() {
    if (g_lineAdded) g_lineAdded(*this);
}

int CGridCtrl::UpdateSheetRow(int row) {
    if (!m_rsBound || !m_rsBound->IsOpen() || !MoveToRowRecord(row)) return 0;
    ado::Fields& fields = m_rsBound->Fields();
    if (m_strTableName == "zyxm" && fields.IndexOf("车型") >= 0 && fields.IndexOf("WX") >= 0) {
        wxString model = grid_fields::CellText(fields.Item("车型"));
        if (model == U("工时费")) fields.Item("WX").PutValue(ado::Variant("W"));
    }
    for (int col = 1; col < m_nColCount; ++col) {
        const wxString title = GetItemText(0, col);
        const int field = grid_fields::FieldOfTitle(fields, title);
        if (title == U("数量")) {
            SetItemText(row, col, "1");
            if (field >= 0) fields.Item(field).PutValue(ado::Variant(1));
        } else if (field >= 0) {
            const ado::Variant value = fields.Item(field).Value();
            if (!value.IsNull() && !value.IsEmpty())
                SetItemText(row, col, grid_fields::CellText(fields.Item(field)));
        }
    }
    if (g_lineTaken && MoveToRowRecord(row)) g_lineTaken(*this, row);
    if (HasWindow()) {
        EditCell(row, m_cellFocus.col > 0 ? m_cellFocus.col : 1, 0);
        Refresh(false);
    }
    return 1;
}

void CGridCtrl::TakeLookupRecord(int) {
    if (!m_rsBound || !m_rsBound->IsOpen() || m_rsBound->RecordCount() == 0 || !g_pFrameData)
        return;
    const std::shared_ptr<CGridCtrl>& lookup = g_pFrameData->m_dsMain.m_pGrid;
    if (!lookup || !lookup->m_rsBound || !lookup->m_rsBound->IsOpen()) return;
    const int row = m_cellFocus.row;
    if (!MoveToRowRecord(row)) return;
    g_pFrameData->m_dsMain.CopyRecordsQuiet(lookup->m_rsBound, m_rsBound, false, wxString());
    UpdateSheetRow(row);
}

namespace {

using namespace grid_lookup;

bool IsItemField(const wxString& title) {
    return title == U("零件名称") || title == U("项目名称") || title == U("编号");
}

} // namespace

void CGridCtrl::OnLookupTyping(CGridNotifyEvent& event) {
    if (!m_bDriveLookup || !HasWindow() || !g_pFrameData || m_bPickGrid) return;
    const int row = event.row, col = event.col;
    wxString typed = event.strText;
    if (typed == GetItemText(row, col)) return;
    m_bInLookup = false;
    // The list follows what stands before a quote; the quote itself is refused once,
    // when the typing ends and the cell is checked for its field.
    if (typed.Contains("'")) {
        typed = typed.BeforeFirst('\'');
        if (typed.empty()) typed = " ";
    }
    CDataSet& data = g_pFrameData->m_dsMain;
    if (data.m_pGrid) m_strLookupMarker = data.m_pGrid->m_strLookupMarker;
    const bool repairList = m_strReportName == U("维修清单");
    const bool reload = !data.m_pGrid || (repairList ? m_strLookupMarker != kStockAndLabourMarker
                                                     : m_strLookupMarker != kStockMarker);
    if (reload) {
        m_strLookupMarker = kStockMarker;
        m_bInLookup = true;
        if (data.m_pGrid && data.m_pGrid->m_rsBound && data.m_pGrid->m_rsBound->IsOpen())
            data.m_pGrid->m_rsBound->PutFilter(ado::Variant(std::string()));
        else
            data_grid::LoadPartsGrid(data, "#GreateGrid#", 9, false);
        if (!data.m_pGrid) return;
        CGridCtrl& lookup = *data.m_pGrid;
        data_grid::OpenIntoGrid(data, U(kStockList), &lookup);
        if (repairList) {
            m_strLookupMarker = kStockAndLabourMarker;
            CDataSet labour;
            labour.Open(U(kLabourList));
            const long n = labour.IsOpen() ? labour.m_pRecordset->RecordCount() : 0;
            if (n > 0 && lookup.m_rsBound->IsOpen()) {
                data.CopyRecords(labour.m_pRecordset, lookup.m_rsBound, 0, false);
                // The labour items copied last are marked as such.
                lookup.m_rsBound->MoveLast();
                for (long i = 0; i < n && !lookup.m_rsBound->BOF(); ++i) {
                    lookup.m_rsBound->Fields().Item("车型").PutValue(
                        ado::Variant(U("工时费").utf8_string()));
                    lookup.m_rsBound->MovePrevious();
                }
            }
        }
        lookup.m_strLookupMarker = m_strLookupMarker;
        lookup.SetTableName(m_strLookupMarker);
    }
    if (!data.m_pGrid || !data.m_pGrid->m_rsBound || !data.m_pGrid->m_rsBound->IsOpen()) return;
    CGridCtrl& lookup = *data.m_pGrid;
    const wxString title = GetItemText(0, col);
    const wxString key =
        title == U("项目名称") || title == U("零件名称") ? U("零件名称") : U("编号");
    ado::Recordset& rs = *lookup.m_rsBound;
    const ado::Variant kept = rs.Filter();
    rs.PutFilter(ado::Variant(
        (key + " like " + CSqlText::QuoteCriterion("%" + typed.Strip(wxString::both) + "%"))
            .utf8_string()));
    lookup.m_bLookupReady = true;
    if (rs.RecordCount() > 0) {
        m_bInLookup = true;
        data_grid::LoadPartsGrid(data, wxString(), 9, true);
        if (data.m_pGrid) data.m_pGrid->EnsureVisible(1, 0);
    } else {
        rs.PutFilter(kept);
        lookup.DeleteNonFixedRows();
        lookup.Refresh(false);
    }
    m_bInLookup = false;
}

void CGridCtrl::OnLookupPick(CGridNotifyEvent& event) {
    if (!g_pFrameData || !HasWindow()) return;
    const std::shared_ptr<CGridCtrl>& lookup = g_pFrameData->m_dsMain.m_pGrid;
    const int n = event.row;
    if (!lookup || !lookup->m_rsBound || !lookup->m_rsBound->IsOpen() || n < 1 ||
        lookup->m_rsBound->RecordCount() < n)
        return;
    lookup->m_rsBound->MoveFirst();
    if (n > 1) lookup->m_rsBound->Move(n - 1);
    lookup->SetItemImage(n, 0, 0);
    lookup->Refresh(false);
    TakeLookupRecord();
}

bool CGridCtrl::TakeLinkedLookupRow(int col, const wxString& typed) {
    const std::shared_ptr<CGridCtrl>& lookup =
        g_pFrameData ? g_pFrameData->m_dsMain.m_pGrid : nullptr;
    const wxString title = GetItemText(0, col);
    if (!lookup || !lookup->m_bLookupReady || !IsItemField(title) || !lookup->m_rsBound ||
        !lookup->m_rsBound->IsOpen() || lookup->m_rsBound->RecordCount() == 0)
        return false;
    ado::Recordset& rs = *lookup->m_rsBound;
    const wxString key = title == U("项目名称") ? U("零件名称") : title;
    rs.MoveFirst();
    rs.Find(CSqlText::Criterion(key, typed).utf8_string());
    const bool found = !rs.EndOfFile();
    if (!found) rs.MoveFirst();
    const ado::Variant value = rs.Fields().Item(key.utf8_string()).Value();
    if (value.IsNull()) return false;
    wxString text = wxString::FromUTF8(value.ToString()).Trim(true);
    if (!text.Contains(typed)) return false;
    TakeLookupRecord();
    int marked = 1;
    if (found)
        for (int r = 1; r < lookup->GetRowCount(); ++r)
            if (lookup->GetItemText(r, col) == text) {
                marked = r;
                break;
            }
    if (marked < lookup->GetRowCount()) lookup->SetItemImage(marked, 0, 0);
    lookup->Refresh(false);
    return true;
}
