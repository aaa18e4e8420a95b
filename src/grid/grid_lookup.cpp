// Taking a looked-up stock or labour row into a line of a work sheet.
#include "grid/grid_ctrl.h"
#include "grid/grid_record_fields.h"
#include "grid/grid_row_commands.h"

#include "data/main_frame_data.h"

namespace {
GridLineTakenHandler g_lineTaken;

wxString U(const char* text) {
    return wxString::FromUTF8(text);
}
} // namespace

void SetGridLineTakenHandler(GridLineTakenHandler handler) {
    g_lineTaken = std::move(handler);
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
