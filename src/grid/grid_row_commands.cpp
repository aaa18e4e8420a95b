// The grid's row commands: copying and pasting a row, the line flags of open work
// lines, printing, preview, the grid settings and inserting a row or column.
#include "grid/grid_row_commands.h"
#include "grid/grid_ctrl.h"
#include "grid/print_preview.h"

#include "data/data_set.h"
#include "data/record_fields.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/command_ids.h"

#include <wx/app.h>

namespace {
GridLineChangedHandler g_lineChanged;

const char* const kRecordNumber = "no";
constexpr unsigned kNewColumnFormat = 37; // centred both ways, one line

// Line flags as the column-0 image shows them and the field 其它 stores them.
constexpr int kNoFlag = -1;
constexpr int kGiftImage = 3;
const char* FlagText(int image) {
    switch (image) {
    case 1:
        return "N";
    case 2:
        return "S";
    default:
        return "Z";
    }
}

void LineChanged(CGridCtrl& grid, int row) {
    if (g_lineChanged) g_lineChanged(grid, row);
}
} // namespace

void SetGridLineChangedHandler(GridLineChangedHandler handler) {
    g_lineChanged = std::move(handler);
}

void CGridCtrl::NotifyLineChanged(int row) {
    LineChanged(*this, row);
}

void CGridCtrl::OnCopyRow() {
    m_nCopiedRow = m_cellFocus.row;
}

// The copied row is read now, cell by cell; every cell goes into the target row's
// record as well, so the line saved is the line shown.
void CGridCtrl::OnPasteRow() {
    if (!m_bEditMode) {
        platform::ShowMessageBox("非编辑状态下不允许此项操作");
        return;
    }
    const int source = m_nCopiedRow;
    const int target = m_cellFocus.row;
    // The copied row may have gone since (rows deleted): nothing to paste then.
    if (source <= 0 || source >= m_nRowCount || target < 1 || target >= m_nRowCount) return;
    for (int col = 1; col < m_nColCount; ++col) {
        const wxString title = GetItemText(0, col);
        if (GetItemText(source, col).empty() && title != U("项目名称") && title != U("编号") &&
            title != U("零件名称")) {
            SetFocusCell(target, col);
            break;
        }
    }
    try {
        for (int col = 1; col < m_nColCount; ++col) {
            // The record number is the record's own: a copy would collide on saving.
            if (GetItemText(0, col) == kRecordNumber) continue;
            const wxString text = GetItemText(source, col);
            SetItemText(target, col, text);
            PutFieldText(col, target, text);
        }
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
    }
    // A work line's flag shows in its image; the pasted 其它 keeps it.
    if (m_strTableName == "zyxm") SetItemImage(target, 0, GetItemImage(source, 0));
    SetModified(true);
    LineChanged(*this, target);
    if (HasWindow()) Refresh();
}

void CGridCtrl::OnToggleNoDiscount() {
    ToggleLineFlag(1);
}

void CGridCtrl::OnToggleWarrantyPart() {
    ToggleLineFlag(2);
}

void CGridCtrl::OnToggleGift() {
    ToggleLineFlag(kGiftImage);
}

// A set flag is cleared whichever flag command comes; the gift's unit price comes
// back only when the gift flag is the one cleared, as 零售价 holds it only then.
void CGridCtrl::ToggleLineFlag(int image) {
    const int row = m_cellFocus.row;
    if (!MoveToRowRecord(row)) return;
    try {
        ado::Fields& fields = m_rsBound->Fields();
        ado::Field& flag = fields.Item(U("其它").utf8_string());
        // A line whose image was never set may still hold a flag: it counts as set, so
        // a second gift never overwrites the kept price with the gift's 0.
        const wxString storedText = FieldText(*m_rsBound, "其它");
        const int shown = GetItemImage(row, 0);
        if (shown >= 0 || !storedText.empty()) {
            flag.PutValue(ado::Variant::Null());
            if (shown == kGiftImage || storedText == FlagText(kGiftImage))
                fields.Item(U("单价").utf8_string())
                    .PutValue(fields.Item(U("零售价").utf8_string()).Value());
            SetItemImage(row, 0, kNoFlag);
        } else {
            if (image == kGiftImage) {
                ado::Field& price = fields.Item(U("单价").utf8_string());
                fields.Item(U("零售价").utf8_string()).PutValue(price.Value());
                price.PutValue(ado::Variant(0.0));
            }
            flag.PutValue(ado::Variant(std::string(FlagText(image))));
            SetItemImage(row, 0, image);
        }
        FillRowFromRecord(row);
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        return;
    }
    SetModified(true);
    LineChanged(*this, row);
    if (HasWindow()) Refresh();
}

void CGridCtrl::OnGridSetup() {
    wxWindow* main = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    if (!main) return;
    wxCommandEvent command(wxEVT_MENU, WxCommandId(ID_GRID_SETUP));
    command.SetEventObject(this);
    main->GetEventHandler()->ProcessEvent(command);
}

// The menu's 打印 prints every page once, whatever a print dialog chose before.
void CGridCtrl::OnPrintGrid() {
    m_nFromPage = 0;
    m_nToPage = 99999;
    m_nCopies = 0;
    Print();
}

// A grid has one preview: asked again, the open one comes to the front.
void CGridCtrl::OnPrintPreview() {
    ClearSelectionAndFocus();
    if (!m_bPreviewing) {
        PrintPreview();
        return;
    }
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* preview = dynamic_cast<CViewPrintPreview*>(window))
            if (preview->m_pGrid == this) preview->Raise();
}

void CGridCtrl::OnInsertRowBefore() {
    const int row = m_cellFocus.row;
    if (row < 0 || InsertRow(wxString::Format("%i", row), row) < 0) return;
    for (int r = row + 1; r < m_nRowCount; ++r)
        SetItemText(r, 0, wxString::Format("%i", r));
    if (HasWindow()) Refresh();
}

void CGridCtrl::OnInsertColumnBefore() {
    const int col = m_cellFocus.col;
    if (col < 0) return;
    InsertColumn(U("新建列"), kNewColumnFormat, col);
    if (HasWindow()) Refresh();
}
